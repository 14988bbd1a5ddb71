#include "commands/registry.h"
#include "methods/decomposition.h"
#include "methods/elimination.h"
#include "methods/tests_and_norms.h"
#include "scripted_host.h"

#include <gtest/gtest.h>

namespace quorvex {
namespace {

using testing::ScriptedHost;

// Every method that asks an order first (their prompts are case files).
TEST(EveryOrderCommand, NonsenseInputEndsInAReportOrOneMessage) {
    for (const MenuEntry& e : methodMenu()) {
        const Command* c = e.command;
        if (!c || c->opening.asksPrecision || c->opening.reads == Reads::Vector) continue;
        for (const char* text : {"", "0 0 0 0\n0 0 0 0\n0 0 0 0", "x y\n1e308 1e308 1e308",
                                 "1 2 3 4\n2 4 6 8\n3 6 9 12", "-1 0 0 1\n0 -1 0 1\n0 0 0 0"}) {
            ScriptedHost host(text, {"3"});
            host.result = "previous";
            const std::string what = std::string(c->id) + ": " + text;
            if (host.run(*c) == Outcome::Failed) {
                EXPECT_EQ(host.result, "") << what;
                ASSERT_EQ(host.messages.size(), 1u) << what;
                EXPECT_EQ(host.dialogs.back().caption, "Quorvex") << what;
            } else {
                EXPECT_TRUE(host.messages.empty()) << what;
                EXPECT_NE(host.result.find("\r\n"), std::string::npos) << what;
            }
        }
    }
}

using testing::Shape;

/// The solving commands and the shapes they need, from this one on in
/// General, Symmetric, Tridiagonal.
const std::pair<const Command*, Shape> kSolvers[] = {
    {&commands::Gauss_1, Shape::General},    {&commands::GaussTier, Shape::General},
    {&commands::GaussFull, Shape::General},  {&commands::LU_break, Shape::General},
    {&commands::TierLU, Shape::General},     {&commands::SqrtRoot, Shape::Symmetric},
    {&commands::MendSqrt, Shape::Symmetric}, {&commands::Purase, Shape::Tridiagonal}};

TEST(SolvingCommands, AgreeOnWellConditionedSystemsToThePrintedPrecision) {
    std::mt19937 rng(11);
    for (Shape shape : {Shape::General, Shape::Symmetric, Shape::Tridiagonal}) {
        for (int n = 1; n <= 12; ++n) {
            std::vector<double> solution;
            const std::string text = testing::dominantSystem(n, 10, shape, rng, solution);
            for (const auto& [command, needs] : kSolvers) {
                if (shape < needs) continue;
                const std::string name = std::string(command->id);
                ScriptedHost host(text, {std::to_string(n)});
                ASSERT_EQ(host.run(*command), Outcome::Reported) << name << " n=" << n;
                const auto x = testing::solutionOf(host.result);
                ASSERT_EQ(x.size(), solution.size()) << name;
                // Six decimals are printed: one unit in the last place.
                for (int i = 0; i < n; ++i)
                    EXPECT_NEAR(x[i], solution[i], 1e-6) << name << " n=" << n << " x" << i + 1;
            }
        }
    }
}

} // namespace
} // namespace quorvex
