#include "methods/method_groups.h"

namespace quorvex {

std::span<const CommandDef> decompositionCommands() { return {}; }

} // namespace quorvex
