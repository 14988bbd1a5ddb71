#include "registry.h"
#include "scripted_host.h"

#include <gtest/gtest.h>

#include <set>

namespace quorvex {
namespace {

/// A host with 64 MiB of free memory.
class SmallMemoryHost : public testing::ScriptedHost {
public:
    using ScriptedHost::ScriptedHost;
    std::uint64_t availableMemory() override { return 64ull << 20; }
};

TEST(Registry, AnOrderTooLargeForTheMemoryStopsWhereASmallOneRuns) {
    SmallMemoryHost large("2 1 3\n1 3 5", {"20000"});
    EXPECT_EQ(large.run(*findCommand("Gauss_1")), Outcome::Failed);
    EXPECT_EQ(large.messages,
              std::vector<std::string>{"内存不足，不能处理 20000 阶的矩阵，请减小阶数#"});
    SmallMemoryHost small("2 1 3\n1 3 5", {"2"});
    EXPECT_EQ(small.run(*findCommand("GaussTier")), Outcome::Reported);
    EXPECT_TRUE(small.messages.empty());
}

TEST(Registry, MenuHoldsEveryMethodOnceInOrder) {
    std::set<std::string_view> ids;
    int commands = 0, separators = 0, submenus = 0;
    for (const MenuEntry& e : methodMenu()) {
        if (e.kind == MenuEntryKind::Command) {
            ++commands;
            EXPECT_TRUE(ids.insert(e.id()).second) << e.id();
        }
        separators += e.kind == MenuEntryKind::Separator;
        submenus += e.kind == MenuEntryKind::SubmenuBegin;
    }
    EXPECT_EQ(commands, 18);
    EXPECT_EQ(separators, 3);
    EXPECT_EQ(submenus, 1);
    EXPECT_EQ(methodMenu().front().id(), "Gauss_1");
    ASSERT_NE(findCommand("GaussTier"), nullptr);
    EXPECT_EQ(findCommand("GaussTier")->caption, "Gauss列主元消去法");
    EXPECT_EQ(findCommand("Nonsense"), nullptr);
    EXPECT_EQ(findCommand("GaussApply"), nullptr); // shown greyed, never run
}

} // namespace
} // namespace quorvex
