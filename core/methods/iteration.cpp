#include "methods/method_groups.h"

namespace quorvex {

std::span<const CommandDef> iterationCommands() { return {}; }

} // namespace quorvex
