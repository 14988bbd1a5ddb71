#include "frame/registry.h"
#include "scripted_host.h"

#include <gtest/gtest.h>

namespace quorvex {
namespace {

/// Answers every order prompt with the largest order, every other prompt
/// with nothing, every question with Yes; 64 MiB of memory are free.
class LargestOrderHost : public testing::ScriptedHost {
public:
    LargestOrderHost() : ScriptedHost("1 2 3\n4 5 6", {}) {}
    std::string inputBox(const std::string& prompt, const std::string& caption,
                         const std::string& def) override {
        ScriptedHost::inputBox(prompt, caption, def);
        return prompt.find("阶数") != std::string::npos ? "32766" : "";
    }
    bool askYesNo(const std::string&, const std::string&) override { return true; }
    std::uint64_t availableMemory() override { return 64ull << 20; }
};

TEST(Memory, EveryCommandStopsCleanlyAtAnOrderTooLargeForTheMemory) {
    for (const Command* c : allCommands()) {
        if (c->opening.reads == Reads::Vector) continue; // asks no order
        LargestOrderHost host;
        host.result = "earlier report";
        EXPECT_EQ(host.run(*c), Outcome::Failed) << c->id;
        EXPECT_EQ(host.result, "earlier report") << c->id;
        EXPECT_EQ(host.messages,
                  std::vector<std::string>{"内存不足，不能处理 32766 阶的矩阵，请减小阶数#"})
            << c->id;
    }
}

} // namespace
} // namespace quorvex
