#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace quorvex::platform {

/// Bytes the program could still take: the least of the physical memory
/// free without making the system swap, the room left under the
/// address-space limit (ulimit -v) and the room left under the memory limit
/// of the process's control groups. 0 when the system says nothing; at least
/// 1 when it does, even with no room left.
std::uint64_t availableMemoryBytes();

/// The room the memory limits of the control groups named in `membership`
/// (the text of /proc/self/cgroup) leave, read from the hierarchy mounted at
/// `root`: memory.max less memory.current for cgroup v2, and
/// memory.limit_in_bytes less memory.usage_in_bytes for v1's memory
/// controller, for the group and each group above it. Nothing when no limit
/// is set.
std::optional<std::uint64_t> cgroupRoomBytes(const std::filesystem::path& root,
                                             std::string_view membership);

} // namespace quorvex::platform
