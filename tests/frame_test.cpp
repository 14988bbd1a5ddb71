#include "frame/registry.h"
#include "scripted_host.h"
#include "support.h"

#include <gtest/gtest.h>

#include <set>

namespace quorvex {
namespace {

/// Answers the command's order prompt with `order` and every other prompt
/// with its default, every question with Yes; remembers whether any answer
/// was empty (a cancel). `memory`: the bytes free, 0 when unknown.
class OrderHost : public testing::ScriptedHost {
public:
    OrderHost(std::string edit, const Command& command, std::string order, std::uint64_t memory = 0)
        : ScriptedHost(std::move(edit), {}), m_orderPrompt(command.opening.prompt),
          m_order(std::move(order)), m_memory(memory) {}
    std::string inputBox(const std::string& prompt, const std::string& caption,
                         const std::string& defaultAnswer) override {
        ScriptedHost::inputBox(prompt, caption, defaultAnswer);
        const std::string answer = prompt == m_orderPrompt ? m_order : defaultAnswer;
        cancelled = cancelled || answer.empty();
        return answer;
    }
    bool askYesNo(const std::string&, const std::string&) override { return true; }
    std::uint64_t availableMemory() override { return m_memory; }
    bool cancelled = false;

private:
    std::string_view m_orderPrompt;
    std::string m_order;
    std::uint64_t m_memory;
};

TEST(Memory, EveryCommandStopsCleanlyAtAnOrderTooLargeForTheMemory) {
    for (const Command* c : allCommands()) {
        if (c->opening.reads == Reads::Vector) continue; // asks no order
        OrderHost host("2 1 3\n1 3 5", *c, "32766", 64ull << 20);
        host.result = "earlier report";
        EXPECT_EQ(host.run(*c), Outcome::Failed) << c->id;
        EXPECT_EQ(host.result, "earlier report") << c->id;
        EXPECT_EQ(host.messages,
                  std::vector<std::string>{"内存不足，不能处理 32766 阶的矩阵，请减小阶数#"})
            << c->id;
    }
    OrderHost small("2 1 3\n1 3 5", *findCommand("GaussTier"), "2", 64ull << 20);
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

// Every command whose work grows faster than n² must look at the stop request
// inside its loops: stopped at a look part way through its work, it has to
// end there, put back the result area and report nothing. A loop that forgot
// to look lets the command run to its end instead. Only the commands whose
// work stays within the size of their input need not look.
TEST(Stopping, EveryCommandStopsPartWayThroughItsWork) {
    const std::set<std::string_view> withinInputSize = {"Purase", "StrictMatrixJudge",
                                                        "VectorModel", "CheckWork"};
    // The reference loops look once a stage; the fast kernels (from order 48)
    // once a panel of 32 columns.
    const struct {
        int n;
        int look;
    } runs[] = {{40, 20}, {100, 2}};
    for (const auto [n, look] : runs) {
        for (const bool exact : {false, true}) {
            for (const Command* command : allCommands()) {
                if (withinInputSize.contains(command->id)) continue;
                OrderHost host(testing::secondDifferences(n), *command, std::to_string(n));
                host.settings.exact = exact;
                host.result = "earlier report\r\n";
                StopRequest stop;
                stop.requestAtLook(look);
                const Outcome outcome = runCommand(*command, host, host.settings, &stop);
                const std::string run = std::string(command->id) + " order " + std::to_string(n) +
                                        (exact ? " exact" : "");
                EXPECT_EQ(outcome, Outcome::Stopped) << run;
                EXPECT_FALSE(host.cancelled) << run;
                EXPECT_TRUE(host.messages.empty()) << run;
                EXPECT_EQ(host.result, "earlier report\r\n") << run;
            }
        }
    }
}

} // namespace
} // namespace quorvex
