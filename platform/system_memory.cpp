#include "system_memory.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#elif defined(__linux__)
#include <sys/resource.h>
#include <unistd.h>
#elif defined(__APPLE__)
#include <mach/mach.h>
#include <unistd.h>
#elif defined(__EMSCRIPTEN__)
#include <emscripten/heap.h>
#include <malloc.h>
#endif

namespace quorvex::platform {

namespace {

namespace fs = std::filesystem;
using Bytes = std::optional<std::uint64_t>;

/// The number a limit or usage file holds; nothing for "max" (no limit) or
/// a missing file.
Bytes readBytes(const fs::path& file) {
    std::ifstream in(file);
    std::string word;
    if (!(in >> word)) return std::nullopt;
    std::uint64_t v = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), v);
    if (ec != std::errc() || end != word.data() + word.size()) return std::nullopt;
    return v;
}

Bytes least(Bytes a, Bytes b) {
    if (!a) return b;
    if (!b) return a;
    return std::min(*a, *b);
}

/// The least room the limits of `group` and the groups above it, up to
/// `base`, leave. A group that is not there (the hierarchy is seen from
/// another namespace) is read at `base` itself.
Bytes hierarchyRoom(const fs::path& base, std::string_view group, const char* limitFile,
                    const char* usageFile) {
    const fs::path relative = fs::path(group).relative_path();
    fs::path dir = relative.empty() ? base : base / relative;
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) dir = base;
    Bytes room;
    for (;;) {
        if (const Bytes limit = readBytes(dir / limitFile)) {
            const std::uint64_t used = readBytes(dir / usageFile).value_or(0);
            room = least(room, *limit > used ? *limit - used : 0);
        }
        if (dir == base || !dir.has_parent_path() || dir.parent_path() == dir) break;
        dir = dir.parent_path();
    }
    return room;
}

bool namesMemoryController(std::string_view controllers) {
    while (!controllers.empty()) {
        const std::size_t comma = controllers.find(',');
        if (controllers.substr(0, comma) == "memory") return true;
        if (comma == std::string_view::npos) break;
        controllers.remove_prefix(comma + 1);
    }
    return false;
}

#if defined(__linux__)
std::string fileText(const char* path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

/// A value in kB from a "Key: value kB" file such as /proc/meminfo.
Bytes kibibytesOf(const char* path, const std::string& wanted) {
    std::ifstream in(path);
    std::string key;
    std::uint64_t kib = 0;
    std::string unit;
    while (in >> key >> kib >> unit)
        if (key == wanted) return kib * 1024;
    return std::nullopt;
}

Bytes physicalRoom() {
    // MemAvailable counts the caches the kernel would give up as well.
    if (const Bytes b = kibibytesOf("/proc/meminfo", "MemAvailable:")) return b;
    const long pages = sysconf(_SC_AVPHYS_PAGES);
    const long size = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || size <= 0) return std::nullopt;
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(size);
}

Bytes addressSpaceRoom() {
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return std::nullopt;
    const std::uint64_t used = kibibytesOf("/proc/self/status", "VmSize:").value_or(0);
    return limit.rlim_cur > used ? limit.rlim_cur - used : 0;
}
#endif

} // namespace

std::optional<std::uint64_t> cgroupRoomBytes(const fs::path& root, std::string_view membership) {
    Bytes room;
    std::istringstream lines{std::string(membership)};
    for (std::string line; std::getline(lines, line);) {
        // "hierarchy-id:controllers:path"
        const std::size_t first = line.find(':');
        const std::size_t second = line.find(':', first == std::string::npos ? first : first + 1);
        if (second == std::string::npos) continue;
        const std::string_view id = std::string_view(line).substr(0, first);
        const std::string_view controllers =
            std::string_view(line).substr(first + 1, second - first - 1);
        const std::string_view group = std::string_view(line).substr(second + 1);
        if (id == "0" && controllers.empty())
            room = least(room, hierarchyRoom(root, group, "memory.max", "memory.current"));
        else if (namesMemoryController(controllers))
            room = least(room, hierarchyRoom(root / "memory", group, "memory.limit_in_bytes",
                                             "memory.usage_in_bytes"));
    }
    return room;
}

std::uint64_t availableMemoryBytes() {
#if defined(_WIN32)
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) return 0;
    // Within a job or a 32-bit process the address space can be the limit.
    return std::max<std::uint64_t>(std::min(status.ullAvailPhys, status.ullAvailVirtual), 1);
#elif defined(__linux__)
    Bytes room = physicalRoom();
    room = least(room, addressSpaceRoom());
    room = least(room, cgroupRoomBytes("/sys/fs/cgroup", fileText("/proc/self/cgroup")));
    // 0 would say "unknown": a limit with no room left must refuse.
    return room ? std::max<std::uint64_t>(*room, 1) : 0;
#elif defined(__APPLE__)
    vm_statistics64_data_t stats{};
    mach_msg_type_number_t count = HOST_VM_INFO64_COUNT;
    if (host_statistics64(mach_host_self(), HOST_VM_INFO64, reinterpret_cast<host_info64_t>(&stats),
                          &count) != KERN_SUCCESS)
        return 0;
    return static_cast<std::uint64_t>(stats.free_count + stats.inactive_count) *
           sysconf(_SC_PAGESIZE);
#elif defined(__EMSCRIPTEN__)
    // WebAssembly's memory grows up to a fixed limit (4 GiB at most, the
    // whole 32-bit address space): what is not in use below it is the room.
    const std::uint64_t used = static_cast<std::uint64_t>(mallinfo().uordblks);
    const std::uint64_t limit = emscripten_get_heap_max();
    return limit > used ? limit - used : 1;
#else
    return 0;
#endif
}

} // namespace quorvex::platform
