#include "methods/iteration.h"
#include "scripted_host.h"

#include <gtest/gtest.h>

namespace quorvex {
namespace {

using testing::ScriptedHost;
using testing::solutionOf;

struct Iteration {
    const Command* command;
    bool asksFactor;
};

const Iteration kIterations[] = {
    {&commands::JacobiDie, false}, {&commands::Gauss_SeidelDie, false}, {&commands::SorDie, true}};

/// Answers for precision e, order n, n initial values and, for relaxation, w.
std::vector<std::string> answers(const Iteration& it, const std::string& e, int n,
                                 const std::string& start = "0", const std::string& w = "1") {
    std::vector<std::string> a{e, std::to_string(n)};
    for (int i = 0; i < n; ++i) a.push_back(start);
    if (it.asksFactor) a.push_back(w);
    return a;
}

TEST(EveryIteration, FallingComponentsAreNotConvergence) {
    // From 0 the first sweep sends every component down, though not yet to
    // the solution (-1, -2); the iteration must go on to it, not stop there.
    for (const Iteration& it : kIterations) {
        ScriptedHost host("4 1 -6\n1 3 -7\n", answers(it, "1E-09", 2), 10);
        ASSERT_EQ(host.run(*it.command), Outcome::Reported) << it.command->id;
        const auto x = solutionOf(host.result);
        ASSERT_EQ(x.size(), 2u);
        EXPECT_NEAR(x[0], -1.0, 1e-8) << it.command->id;
        EXPECT_NEAR(x[1], -2.0, 1e-8) << it.command->id;
    }
}

TEST(EveryIteration, SolvesALargeDominantSystemToThePrecision) {
    // Off-diagonal sums stay below a quarter of the diagonal, so a last step
    // below e leaves an error below e.
    constexpr int n = 50;
    std::mt19937 rng(11);
    std::vector<double> solution;
    const auto text = testing::dominantSystem(n, 36, testing::Shape::General, rng, solution);
    for (const Iteration& it : kIterations) {
        ScriptedHost host(text, answers(it, "1E-07", n, "0", "1.1"), 10);
        ASSERT_EQ(host.run(*it.command), Outcome::Reported) << it.command->id;
        const auto x = solutionOf(host.result);
        ASSERT_EQ(x.size(), solution.size());
        for (int i = 0; i < n; ++i)
            EXPECT_NEAR(x[i], solution[i], 1e-7) << it.command->id << " x(" << i + 1 << ")";
    }
}

} // namespace
} // namespace quorvex
