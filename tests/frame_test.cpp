#include "commands/registry.h"
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
        const bool order = prompt == m_orderPrompt.zh || prompt == m_orderPrompt.en;
        const std::string answer = order ? m_order : defaultAnswer;
        cancelled = cancelled || answer.empty();
        return answer;
    }
    bool askYesNo(const std::string&, const std::string&) override { return true; }
    std::uint64_t availableMemory() override { return m_memory; }
    bool cancelled = false;

private:
    Text m_orderPrompt; ///< in either language
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

// Every command that asks an order stops at one it cannot take. A cancel
// and an order below 1 stop silently; an answer that is no number, or an
// order beyond 32766, is named in a notice with the text typed.
TEST(Opening, EveryCommandNamesAnOrderItCannotTake) {
    const struct {
        std::string answer;
        Language language;
        std::vector<std::string> notices;
    } rows[] = {
        {"", Language::Chinese, {}},
        {"   ", Language::Chinese, {}},
        {"0", Language::Chinese, {}},
        {"0.4", Language::Chinese, {}},
        {"-7", Language::Chinese, {}},
        {"abc", Language::Chinese, {"输入的阶数“abc”不是数，命令没有执行。"}},
        {"-", Language::Chinese, {"输入的阶数“-”不是数，命令没有执行。"}},
        {"x3",
         Language::English,
         {"The order “x3” is not a number; the command was not carried out."}},
        {"32767", Language::Chinese, {"输入的阶数“32767”超出了 1 到 32766 的范围，命令没有执行。"}},
        {"32767.5",
         Language::English,
         {"The order “32767.5” is outside the range 1 to 32766; the command was not carried out."}},
        {"1e9", Language::Chinese, {"输入的阶数“1e9”超出了 1 到 32766 的范围，命令没有执行。"}},
    };
    for (const Command* c : allCommands()) {
        if (c->opening.reads == Reads::Vector) continue; // asks no order
        for (const auto& row : rows) {
            OrderHost host("2 1 3\n1 3 5", *c, row.answer);
            host.settings.language = row.language;
            host.result = "earlier report";
            EXPECT_EQ(host.run(*c), Outcome::Stopped) << c->id << " '" << row.answer << "'";
            EXPECT_EQ(host.notices, row.notices) << c->id << " '" << row.answer << "'";
            EXPECT_TRUE(host.messages.empty()) << c->id << " '" << row.answer << "'";
        }
    }
}

// A vector's components are counted in 16 bits: one more than 32767 stops
// the command, with a notice that says why.
TEST(Opening, AVectorLongerThanItsCountCanHoldIsNamed) {
    const Command& norms = *findCommand("VectorModel");
    const auto ones = [](int k) {
        std::string line;
        for (int i = 0; i < k; ++i) line += "1 ";
        return line;
    };
    testing::ScriptedHost longest(ones(32767), {});
    EXPECT_EQ(longest.run(norms), Outcome::Reported);
    EXPECT_TRUE(longest.notices.empty());
    for (const Language language : {Language::Chinese, Language::English}) {
        testing::ScriptedHost tooLong(ones(32768), {});
        tooLong.settings.language = language;
        tooLong.result = "earlier report";
        EXPECT_EQ(tooLong.run(norms), Outcome::Stopped);
        EXPECT_EQ(tooLong.result, "");
        EXPECT_EQ(tooLong.notices,
                  std::vector<std::string>{
                      language == Language::English
                          ? "The vector has 32768 components, more than 32767; the command was not "
                            "carried out."
                          : "向量有 32768 个分量，超过了 32767 个，命令没有执行。"});
    }
}

} // namespace
} // namespace quorvex
