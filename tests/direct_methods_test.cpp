#include "methods/decomposition.h"
#include "methods/elimination.h"
#include "methods/tests_and_norms.h"
#include "scripted_host.h"

#include <gtest/gtest.h>

namespace quorvex {
namespace {

using testing::ScriptedHost;

/// Every command that asks an order first (their prompts are case files).
const Command* const kOrderCommands[] = {&commands::Gauss_1,
                                         &commands::GaussTier,
                                         &commands::GaussFull,
                                         &commands::A_matrix,
                                         &commands::A_range,
                                         &commands::MatrixBreak,
                                         &commands::LU_break,
                                         &commands::SqrtRoot,
                                         &commands::MendSqrt,
                                         &commands::Purase,
                                         &commands::TierLU,
                                         &commands::CMatrixJudge,
                                         &commands::StrictMatrixJudge,
                                         &commands::MatrixModel};

class EveryOrderCommand : public ::testing::TestWithParam<const Command*> {};

TEST_P(EveryOrderCommand, NonsenseInputEndsInAReportOrOneMessage) {
    for (const char* text : {"", "0 0 0 0\n0 0 0 0\n0 0 0 0", "x y\n1e308 1e308 1e308",
                             "1 2 3 4\n2 4 6 8\n3 6 9 12", "-1 0 0 1\n0 -1 0 1\n0 0 0 0"}) {
        ScriptedHost host(text, {"3"});
        host.result = "previous";
        if (host.run(*GetParam()) == Outcome::Failed) {
            EXPECT_EQ(host.result, "") << text;
            ASSERT_EQ(host.messages.size(), 1u) << text;
            EXPECT_EQ(host.dialogs.back().caption, "Quorvex") << text;
        } else {
            EXPECT_TRUE(host.messages.empty()) << text;
            EXPECT_NE(host.result.find("\r\n"), std::string::npos) << text;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, EveryOrderCommand, ::testing::ValuesIn(kOrderCommands),
                         [](const auto& info) { return std::string(info.param->id); });

using testing::Shape;

struct Solver {
    const char* name;
    const Command* command;
    Shape needs; ///< the shapes from this one on in General, Symmetric, Tridiagonal
};

const Solver kSolvers[] = {
    {"Gauss_1", &commands::Gauss_1, Shape::General},
    {"GaussTier", &commands::GaussTier, Shape::General},
    {"GaussFull", &commands::GaussFull, Shape::General},
    {"LU_break", &commands::LU_break, Shape::General},
    {"TierLU", &commands::TierLU, Shape::General},
    {"SqrtRoot", &commands::SqrtRoot, Shape::Symmetric},
    {"MendSqrt", &commands::MendSqrt, Shape::Symmetric},
    {"Purase", &commands::Purase, Shape::Tridiagonal},
};

TEST(SolvingCommands, AgreeOnWellConditionedSystemsToThePrintedPrecision) {
    std::mt19937 rng(11);
    for (Shape shape : {Shape::General, Shape::Symmetric, Shape::Tridiagonal}) {
        for (int n = 1; n <= 12; ++n) {
            std::vector<double> solution;
            const std::string text = testing::dominantSystem(n, 10, shape, rng, solution);
            for (const Solver& s : kSolvers) {
                if (shape < s.needs) continue;
                ScriptedHost host(text, {std::to_string(n)});
                ASSERT_EQ(host.run(*s.command), Outcome::Reported) << s.name << " n=" << n;
                const auto x = testing::solutionOf(host.result);
                ASSERT_EQ(x.size(), solution.size()) << s.name;
                // Six decimals are printed: one unit in the last place.
                for (int i = 0; i < n; ++i)
                    EXPECT_NEAR(x[i], solution[i], 1e-6) << s.name << " n=" << n << " x" << i + 1;
            }
        }
    }
}

} // namespace
} // namespace quorvex
