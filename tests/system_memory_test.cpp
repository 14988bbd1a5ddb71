#include "system_memory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace quorvex::platform {
namespace {

namespace fs = std::filesystem;

struct LimitFile {
    std::string path; ///< below the hierarchy's root
    std::string text;
};

struct CgroupCase {
    const char* name;
    const char* membership; ///< as /proc/self/cgroup says
    std::vector<LimitFile> files;
    std::optional<std::uint64_t> room;
};

void PrintTo(const CgroupCase& c, std::ostream* os) { *os << c.name; }

class CgroupRoom : public ::testing::TestWithParam<CgroupCase> {};

TEST_P(CgroupRoom, IsTheLeastRoomOfTheGroupAndTheGroupsAboveIt) {
    const CgroupCase& c = GetParam();
    const fs::path root = fs::temp_directory_path() / ("quorvex-cgroup-" + std::string(c.name));
    fs::remove_all(root);
    for (const LimitFile& f : c.files) {
        fs::create_directories((root / f.path).parent_path());
        std::ofstream(root / f.path) << f.text;
    }
    EXPECT_EQ(cgroupRoomBytes(root, c.membership), c.room);
    fs::remove_all(root);
}

INSTANTIATE_TEST_SUITE_P(
    Hierarchies, CgroupRoom,
    ::testing::Values(CgroupCase{"V2NoLimit",
                                 "0::/user.slice/session\n",
                                 {{"user.slice/session/memory.max", "max\n"},
                                  {"user.slice/session/memory.current", "5000\n"}},
                                 std::nullopt},
                      CgroupCase{
                          "V2OwnLimit",
                          "0::/app\n",
                          {{"app/memory.max", "1000000\n"}, {"app/memory.current", "400000\n"}},
                          600000},
                      CgroupCase{"V2ParentLimitIsTighter",
                                 "0::/a/b\n",
                                 {{"a/memory.max", "1000000\n"},
                                  {"a/memory.current", "900000\n"},
                                  {"a/b/memory.max", "max\n"},
                                  {"a/b/memory.current", "300000\n"}},
                                 100000},
                      CgroupCase{"V2UsageOverTheLimitLeavesNothing",
                                 "0::/a\n",
                                 {{"a/memory.max", "1000\n"}, {"a/memory.current", "2000\n"}},
                                 0},
                      // A namespaced view names a group the mounted hierarchy shows as its root.
                      CgroupCase{"V2GroupSeenFromANamespace",
                                 "0::/elsewhere/box\n",
                                 {{"memory.max", "8000\n"}, {"memory.current", "3000\n"}},
                                 5000},
                      CgroupCase{"V1MemoryController",
                                 "5:cpu,cpuacct:/\n4:memory:/job\n0::/\n",
                                 {{"memory/job/memory.limit_in_bytes", "5000\n"},
                                  {"memory/job/memory.usage_in_bytes", "1000\n"},
                                  {"memory/memory.limit_in_bytes", "9223372036854771712\n"},
                                  {"memory/memory.usage_in_bytes", "1000\n"}},
                                 4000},
                      CgroupCase{"NoLimitFiles", "0::/\n", {}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quorvex::platform
