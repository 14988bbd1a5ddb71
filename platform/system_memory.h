#pragma once

#include <cstdint>

namespace quorvex::platform {

/// Bytes of physical memory the program could still take without making
/// the system swap, or 0 when the system does not say.
std::uint64_t availableMemoryBytes();

} // namespace quorvex::platform
