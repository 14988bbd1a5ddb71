#include "methods/method_groups.h"

namespace quorvex {

std::span<const CommandDef> testsAndNormsCommands() { return {}; }

} // namespace quorvex
