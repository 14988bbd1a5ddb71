#include "support.h"
#include "system_memory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace quorvex::platform {
namespace {

namespace fs = std::filesystem;

TEST(CgroupRoom, IsTheLeastRoomOfTheGroupAndTheGroupsAboveIt) {
    for (const auto& r : quorvex::testing::table("cgroup_room")) {
        const quorvex::testing::TempDir root("cgroup-" + r[0]);
        for (std::size_t f = 3; f + 1 < r.size(); f += 2) {
            fs::create_directories((root / r[f]).parent_path());
            std::ofstream(root / r[f]) << r[f + 1];
        }
        const std::optional<std::uint64_t> room =
            r[2] == "none" ? std::nullopt : std::optional(std::stoull(r[2]));
        EXPECT_EQ(cgroupRoomBytes(root.path(), r[1]), room) << r[0];
    }
}

} // namespace
} // namespace quorvex::platform
