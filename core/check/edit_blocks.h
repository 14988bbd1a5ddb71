#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvex::check {

/// One block of the edit area: consecutive lines that hold something,
/// each split into its element texts the way the matrix reader splits a
/// row.
struct TextBlock {
    std::string text; ///< the block's lines, for the matrix reader
    std::vector<std::vector<std::string>> rows;
};

/// Splits the edit area's text into blocks at every run of blank lines
/// (lines of blanks, tabs or ideographic spaces only). Full-width forms read
/// as their ASCII counterparts, as everywhere in the edit area.
std::vector<TextBlock> splitIntoBlocks(std::string_view editText);

} // namespace quorvex::check
