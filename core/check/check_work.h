#pragma once

#include "frame/frame.h"

namespace quorvex::commands {

/// 核对解题步骤: checks a student's own elimination, matrix by matrix, and
/// their solution, naming the first wrong step, row and entry.
extern const Command CheckWork;

} // namespace quorvex::commands
