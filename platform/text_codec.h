#pragma once

#include <string>
#include <string_view>

namespace quorvex::platform {

/// True when the bytes are well-formed UTF-8.
bool isValidUtf8(std::string_view bytes);

/// Decodes bytes as GB18030 into UTF-8. Returns false when they are not
/// valid GB18030 (out then holds the text with replacement characters).
bool decodeGb18030(std::string_view bytes, std::string& out);

/// Text of a file's bytes as UTF-8: taken as UTF-8 when valid, otherwise
/// read as GB18030 (files written on Chinese Windows machines), otherwise
/// as UTF-8 with replacement characters.
std::string decodeTextFile(std::string_view bytes);

/// The same, taking over the bytes' buffer when they are UTF-8 already.
std::string decodeTextFile(std::string&& bytes);

} // namespace quorvex::platform
