#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvex::platform {

/// True when the bytes are well-formed UTF-8.
bool isValidUtf8(std::string_view bytes);

/// How a file's bytes are to be read. Valid UTF-8 is UTF-8 whatever the
/// locale, a UTF-16 byte-order mark announces UTF-16; anything else is
/// text in the locale's 8-bit encoding (or GB18030).
enum class TextForm { Utf8, Utf16LE, Utf16BE, Legacy };

struct TextShape {
    TextForm form;
    std::size_t markBytes; ///< the byte-order mark to drop before decoding
};

/// The form of a file's bytes. A UTF-8 byte-order mark is dropped whatever
/// follows it.
TextShape textShapeOf(std::string_view bytes);

/// Text of a file's bytes as UTF-8, by the rule the window follows too
/// (see decodeFileText): UTF-8 or UTF-16 with a byte-order mark as they
/// are, otherwise the locale's encoding, then GB18030. Takes over the
/// bytes' buffer when they are UTF-8 already.
std::string decodeTextFile(std::string&& bytes);

/// decodeTextFile's text of bytes that are not UTF-8, by the platform's
/// converters.
std::string decodeOtherText(std::string_view bytes);

} // namespace quorvex::platform
