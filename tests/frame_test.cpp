#include "frame.h"
#include "registry.h"
#include "report.h"
#include "scripted_host.h"

#include <gtest/gtest.h>

#include <set>

namespace quorvex {
namespace {

TEST(Report, FormsOfEveryReport) {
    Matrix m(2, 3);
    m(1, 1) = 1;
    m(1, 2) = 2;
    m(1, 3) = 3;
    m(2, 1) = 1.0 / 3.0;
    Report r;
    r.matrixBlock(m, 2, 3, "  ", NumberStyle::plain())
        .heading("H")
        .matrixBlock(m, 2, 3, "  ", NumberStyle::rounded(6))
        .indexedValue("x", 2, 1.5, NumberStyle::rounded(6))
        .title("T");
    EXPECT_EQ(r.str(), testing::crlf({"  1  2  3", "  0.333333333333333  0  0", "", "H",
                                      "  1  2  3", "  0.333333  0  0", "x(2)=1.5", "", "T"}));
}

TEST(Frame, DialogsWithoutCaptionShowTheApplicationTitle) {
    testing::ScriptedHost host("", {"7"});
    EXPECT_EQ(askOrder(host, kOrderPrompt), 7);
    ASSERT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(host.dialogs[0].caption, "Quorvex");
    EXPECT_EQ(host.dialogs[0].text, "输入方程组系数矩阵的阶数 n：");
    EXPECT_EQ(fail(host, "此方法不合适#"), Outcome::Failed);
    EXPECT_EQ(host.dialogs[1].kind, testing::ScriptedHost::Dialog::Message);
    EXPECT_EQ(host.dialogs[1].caption, "Quorvex");
}

/// A host that reports a fixed amount of free memory.
class SmallMemoryHost : public testing::ScriptedHost {
public:
    using ScriptedHost::ScriptedHost;
    std::uint64_t availableMemory() override { return m_memory; }
    std::uint64_t m_memory = 64ull << 20;
};

TEST(Registry, TooLargeAnOrderStopsWithOneMessageAndNothingChanged) {
    for (const char* id : {"Gauss_1", "GaussTier"}) {
        SmallMemoryHost host("2 1 3\n1 3 5", {"20000"});
        host.result = "previous report";
        EXPECT_EQ(runCommand(*findCommand(id), host), Outcome::Failed) << id;
        EXPECT_EQ(host.result, "previous report") << id;
        ASSERT_EQ(host.messages.size(), 1u) << id;
        EXPECT_EQ(host.messages[0], "内存不足，不能处理 20000 阶的矩阵，请减小阶数#");
    }
    SmallMemoryHost host("2 1 3\n1 3 5", {"2"});
    EXPECT_EQ(runCommand(*findCommand("GaussTier"), host), Outcome::Reported);
    EXPECT_TRUE(host.messages.empty());
}

TEST(Registry, MenuHoldsEveryMethodOnceInOrder) {
    std::set<std::string_view> ids;
    int commands = 0, separators = 0, submenus = 0;
    for (const MenuEntry& e : methodMenu()) {
        if (e.kind == MenuEntryKind::Command) {
            ++commands;
            EXPECT_TRUE(ids.insert(e.id).second) << e.id;
        }
        separators += e.kind == MenuEntryKind::Separator;
        submenus += e.kind == MenuEntryKind::SubmenuBegin;
    }
    EXPECT_EQ(commands, 18);
    EXPECT_EQ(separators, 3);
    EXPECT_EQ(submenus, 1);
    EXPECT_EQ(methodMenu().front().id, "Gauss_1");
    ASSERT_NE(findCommand("GaussTier"), nullptr);
    EXPECT_EQ(findCommand("GaussTier")->caption, "Gauss列主元消去法");
    EXPECT_EQ(findCommand("Nonsense"), nullptr);
    EXPECT_EQ(findCommand("GaussApply"), nullptr);
}

} // namespace
} // namespace quorvex
