#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace quorvex::platform {

/// Produces a file's bytes piece by piece through the writer it is given,
/// which returns false when a piece could not be written; produce then
/// stops and returns false. A large report is never held whole.
using PieceWriter = std::function<bool(const std::function<bool(std::string_view)>& write)>;

/// Writes what produce hands over as the whole new content of the file at
/// `path` (a local 8-bit path, as the command line gives it): into a
/// temporary file beside it first, which then takes the file's place. A
/// write that fails on the way leaves the file as it was. Returns an empty
/// text when done, otherwise why not.
std::string writeWholeFile(const std::string& path, const PieceWriter& produce);

} // namespace quorvex::platform
