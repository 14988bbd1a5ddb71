#pragma once

#include <string>
#include <string_view>

namespace quorvex::platform {

/// Writes `bytes` as the whole new content of the file at `path` (a
/// local 8-bit path, as the command line gives it): into a temporary file
/// beside it first, which then takes the file's place. A write that fails
/// on the way leaves the file as it was. Returns an empty text when done,
/// otherwise why not.
std::string writeWholeFile(const std::string& path, std::string_view bytes);

} // namespace quorvex::platform
