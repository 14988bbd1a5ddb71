// The fast elimination kernels against the reference loops, bit for bit, on
// random matrices of many orders and shapes: pivots anywhere, ties, zero
// columns, huge and tiny values, infinities and NaN; and the exact kernels
// against the rational loops, fraction for fraction.
#include "frame/frame.h"
#include "numerics/arithmetic.h"
#include "numerics/decomposition_routines.h"
#include "numerics/elimination_loops.h"
#include "numerics/elimination_routines.h"
#include "numerics/kernels/blocked_elimination.h"
#include "numerics/kernels/exact_decomposition.h"
#include "numerics/kernels/exact_elimination.h"
#include "numerics/kernels/exact_residues.h"
#include "numerics/kernels/full_pivot.h"
#include "numerics/kernels/leading_minors.h"
#include "numerics/kernels/rounded_update.h"
#include "reading/number_text.h"

#include <gtest/gtest.h>

#if defined(__linux__)
#include <unistd.h>
#endif
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace quorvex {
namespace {

using kernels::KernelSettings;

enum class Shape { Decimals, SmallIntegers, ZeroColumns, Wild, Dominant };

const char* const kShapeNames[] = {"Decimals", "SmallIntegers", "ZeroColumns", "Wild", "Dominant"};
const char* shapeName(Shape s) { return kShapeNames[static_cast<int>(s)]; }

/// One entry of a random matrix of the given shape. Small integers give
/// many pivot ties and exact zeros; the wild shape mixes magnitudes from
/// 1e-12 to 1e20, signed zeros, infinities and NaN.
double entry(Shape shape, std::mt19937_64& rng, int i, int j, int n) {
    std::uniform_int_distribution<int> small(-3, 3);
    std::uniform_int_distribution<int> decimals(-99999, 99999);
    std::uniform_int_distribution<int> pick(0, 99);
    switch (shape) {
    case Shape::Decimals: return decimals(rng) / 1000.0;
    case Shape::SmallIntegers: return small(rng);
    case Shape::ZeroColumns: return (j % 7 == 3 || i % 11 == 5) ? 0.0 : small(rng) / 4.0;
    case Shape::Dominant: return i == j ? 10.0 * n + pick(rng) : decimals(rng) / 1e4;
    case Shape::Wild: break;
    }
    const int kind = pick(rng);
    if (kind == 0) return std::numeric_limits<double>::infinity();
    if (kind == 1) return -std::numeric_limits<double>::infinity();
    if (kind == 2) return std::numeric_limits<double>::quiet_NaN();
    if (kind < 8) return kind % 2 ? 0.0 : -0.0;
    if (kind < 15) return decimals(rng) * 1e15;
    if (kind < 22) return decimals(rng) * 1e-17;
    return decimals(rng) / 7.0;
}

Matrix randomMatrix(Shape shape, int rows, int cols, std::uint64_t seed) {
    std::mt19937_64 rng(seed);
    Matrix m(rows, cols);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) m(i, j) = entry(shape, rng, i, j, rows);
    return m;
}

/// Equal to the last bit. Any NaN equals any other: which of two NaN
/// operands an instruction passes on depends on the order the compiler gave
/// them, not on the method, and reports write every NaN alike.
bool sameBits(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

/// Where two matrices first differ in their bits, or "" when they agree.
std::string firstDifference(const Matrix& a, const Matrix& b) {
    for (int i = 1; i <= a.rows(); ++i)
        for (int j = 1; j <= a.cols(); ++j)
            if (!sameBits(a(i, j), b(i, j))) {
                std::ostringstream out;
                out.precision(17);
                out << "(" << i << "," << j << "): " << a(i, j) << " vs " << b(i, j);
                return out.str();
            }
    return "";
}

// The commands' own straightforward loops are the reference (numerics/elimination_loops.h).

void expectGaussElimination(const Matrix& B, int n) {
    for (bool pivot : {false, true}) {
        Matrix expected = B;
        eliminate(expected, n, 7, pivot, StopRequest());
        for (int threads : {1, 4}) {
            Matrix A = B;
            kernels::eliminateFast(A, n, n + 1, 7,
                                   pivot ? kernels::Pivoting::Column : kernels::Pivoting::None,
                                   KernelSettings{threads});
            EXPECT_EQ(firstDifference(A, expected), "")
                << "Gauss, pivot " << pivot << ", threads " << threads;
        }
    }
}

void expectFullPivotElimination(const Matrix& B, int n) {
    Matrix expected = B;
    std::vector<int> expectedOrder(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) expectedOrder[static_cast<std::size_t>(i)] = i + 1;
    const std::vector<int> start = expectedOrder;
    eliminateFullPivot(expected, n, 7, expectedOrder, StopRequest());
    for (int threads : {1, 4}) {
        Matrix A = B;
        std::vector<int> order = start;
        kernels::eliminateFullPivotFast(A, n, 7, order, KernelSettings{threads});
        EXPECT_EQ(firstDifference(A, expected), "") << "full pivot, threads " << threads;
        EXPECT_EQ(order, expectedOrder);
    }
}

void expectDeterminant(const Matrix& B) {
    Matrix expected = B;
    int expectedExchanges = -1;
    const double expectedDet = ColumnPivotDeterminant(expected, expectedExchanges);
    for (int threads : {1, 4}) {
        Matrix A = B;
        int exchanges = -1;
        const double det =
            kernels::columnPivotDeterminantFast(A, exchanges, KernelSettings{threads});
        EXPECT_EQ(firstDifference(A, expected), "") << "determinant, threads " << threads;
        EXPECT_EQ(exchanges, expectedExchanges);
        EXPECT_TRUE(sameBits(det, expectedDet)) << det << " vs " << expectedDet;
    }
}

void expectGaussJordan(const Matrix& B, int n) {
    Matrix W(n, 2 * n);
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) W(i, j) = B(i, j);
        W(i, n + i) = 1.0;
    }
    // Each rounding takes the same code path; the large orders, which cost
    // most, check the one the commands use by default.
    const std::vector<int> roundings = n < 160 ? std::vector<int>{2, 7, 17} : std::vector<int>{7};
    for (int d : roundings) {
        Matrix expected = W;
        reduceGaussJordan(expected, n, d, StopRequest());
        for (int threads : {1, 4}) {
            Matrix A = W;
            kernels::reduceGaussJordanFast(A, n, d, KernelSettings{threads});
            EXPECT_EQ(firstDifference(A, expected), "")
                << "Gauss-Jordan, decimals " << d << ", threads " << threads;
        }
    }
}

/// The minors of the positive-definite test, each extending the elimination
/// of the one before or eliminated afresh when a new row takes a pivot, are
/// the reference determinants of the leading blocks; so is an order asked
/// for again after a larger one.
void expectLeadingMinors(const Matrix& B, int n) {
    kernels::LeadingMinors minors(B, n, KernelSettings{});
    const auto reference = [&](int k) {
        Matrix V(k, k);
        for (int i = 1; i <= k; ++i)
            for (int j = 1; j <= k; ++j) V(i, j) = B(i, j);
        int exchanges = 0;
        return ColumnPivotDeterminant(V, exchanges);
    };
    for (int k = 1; k <= n; ++k) EXPECT_TRUE(sameBits(minors(k), reference(k))) << "minor " << k;
    const int again = (n + 1) / 2;
    EXPECT_TRUE(sameBits(minors(again), reference(again))) << "minor " << again << " again";
}

struct KernelCase {
    Shape shape;
    int order;
};

void PrintTo(const KernelCase& c, std::ostream* os) { *os << shapeName(c.shape) << c.order; }

class FastKernels : public ::testing::TestWithParam<KernelCase> {};

// One case a shape and order: each kernel on a matrix of its own.
TEST_P(FastKernels, MatchTheReference) {
    const int n = GetParam().order;
    const std::uint64_t seed = 1000u * n + static_cast<int>(GetParam().shape);
    const auto matrix = [&](int cols, std::uint64_t offset) {
        return randomMatrix(GetParam().shape, n, cols, seed + offset);
    };
    expectGaussElimination(matrix(n + 1, 0), n);
    expectFullPivotElimination(matrix(n + 1, 4), n);
    expectDeterminant(matrix(n, 1));
    expectGaussJordan(matrix(n, 2), n);
    const int m = std::min(n, 60);
    expectLeadingMinors(randomMatrix(GetParam().shape, m, m + 1, seed + 3), m);
}

/// A stop asked for while a kernel runs ends it between its stages, the
/// way the reference loops end.
TEST(FastKernelsStop, EveryKernelStops) {
    StopRequest stop;
    stop.request();
    const KernelSettings settings{1, &stop};
    const int n = 64;
    Matrix A = randomMatrix(Shape::Dominant, n, 2 * n, 5);
    std::vector<int> order(static_cast<std::size_t>(n), 1);
    int exchanges = 0;
    EXPECT_THROW(kernels::eliminateFast(A, n, n + 1, 7, kernels::Pivoting::Column, settings),
                 CommandStopped);
    EXPECT_THROW(kernels::eliminateFullPivotFast(A, n, 7, order, settings), CommandStopped);
    EXPECT_THROW(kernels::reduceGaussJordanFast(A, n, 7, settings), CommandStopped);
    Matrix S = randomMatrix(Shape::Dominant, n, n, 6);
    EXPECT_THROW(kernels::columnPivotDeterminantFast(S, exchanges, settings), CommandStopped);
    kernels::LeadingMinors minors(S, n, settings);
    EXPECT_THROW(minors(n), CommandStopped);
}

std::vector<KernelCase> kernelCases() {
    // Every order up to the step-by-step width of 8 and beyond, both sides
    // of its multiples and of the panels' width of 32 (the orders between
    // take the same paths and add only time).
    std::vector<int> orders;
    for (int n = 1; n <= 9; ++n) orders.push_back(n);
    for (int n : {12, 15, 16, 17, 23, 31, 32,  33,  40,  47,  48,
                  63, 64, 65, 95, 96, 97, 129, 160, 211, 256, 300})
        orders.push_back(n);
    std::vector<KernelCase> cases;
    for (Shape s :
         {Shape::Decimals, Shape::SmallIntegers, Shape::ZeroColumns, Shape::Wild, Shape::Dominant})
        for (int n : orders)
            // The largest orders in two shapes only, to keep the suite quick.
            if (n <= 129 || s == Shape::Decimals || s == Shape::Wild) cases.push_back({s, n});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Orders, FastKernels, ::testing::ValuesIn(kernelCases()),
                         [](const auto& info) {
                             return std::string(shapeName(info.param.shape)) +
                                    std::to_string(info.param.order);
                         });

enum class ExactShape {
    SmallIntegers,
    Decimals,
    Fractions,
    Thirds,
    NearTies,
    ZeroCorner,
    Singular
};

/// A random exact matrix: small integers tie and cancel to zero pivots,
/// decimals and fractions give each row its own denominators, thirds and
/// sevenths tie exactly where doubles round them apart, near ties differ
/// beyond a double's precision, a zero corner needs an exchange at once,
/// and a repeated row makes the matrix singular.
RationalMatrix randomExact(ExactShape shape, int rows, int cols, std::uint64_t seed) {
    std::mt19937_64 rng(seed);
    std::uniform_int_distribution<int> small(-3, 3);
    std::uniform_int_distribution<int> wide(-99999, 99999);
    std::uniform_int_distribution<int> den(1, 12);
    std::bernoulli_distribution seventh(0.5);
    const mpz_class tiny("100000000000000000000");
    RationalMatrix m(rows, cols);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) {
            Rational& q = m(i, j);
            switch (shape) {
            case ExactShape::SmallIntegers: q = small(rng); break;
            case ExactShape::Decimals: q = Rational(wide(rng), 1000); break;
            case ExactShape::Fractions: q = Rational(small(rng) * 7 + 1, den(rng)); break;
            case ExactShape::Thirds:
                q = Rational(small(rng) * 3 + small(rng), seventh(rng) ? 7 : 3);
                break;
            case ExactShape::NearTies: q = small(rng) + Rational(small(rng), tiny); break;
            case ExactShape::ZeroCorner:
            case ExactShape::Singular: q = Rational(wide(rng), den(rng)); break;
            }
            q.canonicalize();
        }
    if (shape == ExactShape::ZeroCorner) m(1, 1) = 0;
    if (shape == ExactShape::Singular && rows > 1)
        for (int j = 1; j <= cols; ++j) m(rows, j) = m(1, j) * Rational(-2, 3);
    return m;
}

/// Notes the first stage whose pivot was zero.
class FirstZeroPivot final : public BasicStageObserver<Rational> {
public:
    void pivotSearched(const RationalMatrix& A, int k, int row, int column) override {
        if (stage == 0 && A(row, column) == 0) stage = k;
    }
    void stageDone(const RationalMatrix&, int) override {}
    int stage = 0;
};

/// Expects every exact kernel to give what the rational loops give on the
/// augmented n x (n+1) matrix B.
void expectKernelsMatch(const RationalMatrix& B, int n, const std::string& where) {
    ASSERT_TRUE(kernels::exactKernelFits(B, n, n + 1)) << where;
    for (bool pivot : {false, true}) {
        RationalMatrix expected = B;
        FirstZeroPivot watch;
        RationalVector expectedX;
        bool zero = false;
        try {
            eliminate(expected, n, 7, pivot, StopRequest(), &watch);
            expectedX = backSubstitute(expected, n, 7);
        } catch (const ExactDivisionByZero&) {
            zero = true;
        }
        RationalMatrix A = B;
        int stage = -1;
        RationalVector x;
        if (zero) {
            EXPECT_THROW(x = kernels::solveExact(A, n, pivot, StopRequest(), stage),
                         ExactDivisionByZero)
                << where;
            EXPECT_EQ(stage, watch.stage > 0 ? watch.stage : n) << where;
            continue;
        }
        x = kernels::solveExact(A, n, pivot, StopRequest(), stage);
        for (int i = 1; i <= n; ++i) {
            EXPECT_EQ(x(i), expectedX(i)) << where << ", x" << i;
            for (int j = 1; j <= n + 1; ++j)
                EXPECT_EQ(A(i, j), expected(i, j)) << where << " (" << i << "," << j << ")";
        }
    }
    {
        RationalMatrix expected = B;
        std::vector<int> expectedOrder(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) expectedOrder[static_cast<std::size_t>(i)] = i + 1;
        std::vector<int> order = expectedOrder;
        RationalMatrix A = B;
        try {
            eliminateFullPivot(expected, n, 7, expectedOrder, StopRequest());
            const RationalVector expectedX = backSubstitute(expected, n, 7);
            const RationalVector x = kernels::solveFullPivotExact(A, n, order, StopRequest());
            EXPECT_EQ(order, expectedOrder) << where;
            for (int i = 1; i <= n; ++i) {
                EXPECT_EQ(x(i), expectedX(i)) << where << ", full pivot x" << i;
                for (int j = 1; j <= n + 1; ++j)
                    EXPECT_EQ(A(i, j), expected(i, j)) << where << ", full pivot";
            }
        } catch (const ExactDivisionByZero&) {
            EXPECT_THROW(kernels::solveFullPivotExact(A, n, order, StopRequest()),
                         ExactDivisionByZero)
                << where;
        }
    }
    RationalMatrix square(n, n);
    RationalMatrix W(n, 2 * n);
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) square(i, j) = W(i, j) = B(i, j);
        W(i, n + i) = 1;
    }
    RationalMatrix expected = square;
    RationalMatrix A = square;
    int expectedExchanges = -1;
    int exchanges = -2;
    EXPECT_EQ(kernels::columnPivotDeterminantExact(A, exchanges, nullptr),
              ColumnPivotDeterminant(expected, expectedExchanges))
        << where;
    EXPECT_EQ(exchanges, expectedExchanges) << where;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) EXPECT_EQ(A(i, j), expected(i, j)) << where << ", determinant";
    kernels::ExactLeadingMinors minors(square, n, nullptr);
    for (int k = 1; k <= n; ++k) {
        RationalMatrix V(k, k);
        for (int i = 1; i <= k; ++i)
            for (int j = 1; j <= k; ++j) V(i, j) = B(i, j);
        EXPECT_EQ(minors(k), ColumnPivotDeterminant(V, expectedExchanges))
            << where << ", minor " << k;
    }
    RationalMatrix expectedW = W;
    try {
        reduceGaussJordan(expectedW, n, 7, StopRequest());
    } catch (const ExactDivisionByZero&) {
        EXPECT_THROW(kernels::reduceGaussJordanExact(W, n, StopRequest()), ExactDivisionByZero)
            << where;
        return;
    }
    kernels::reduceGaussJordanExact(W, n, StopRequest());
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= 2 * n; ++j)
            EXPECT_EQ(W(i, j), expectedW(i, j)) << where << ", inverse";
}

/// The first entry where two exact matrices differ, or "".
std::string firstExactDifference(const RationalMatrix& a, const RationalMatrix& b, int rows,
                                 int cols) {
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j)
            if (a(i, j) != b(i, j)) return "(" + std::to_string(i) + "," + std::to_string(j) + ")";
    return "";
}

/// Column n+1 of B.
RationalVector lastColumn(const RationalMatrix& B, int n) {
    RationalVector b(n);
    for (int i = 1; i <= n; ++i) b(i) = B(i, n + 1);
    return b;
}

/// Expects the exact decompositions to give the routines' factors, forward
/// values and unknowns on the augmented n x (n+1) matrix B, and to decline
/// exactly where the routines stop on a zero pivot (ldlt reads B's lower
/// triangle as a symmetric matrix).
void expectDecompositionsMatch(const RationalMatrix& B, int n, const std::string& where) {
    const StopRequest stop;
    const auto vectors = [&](const RationalVector& a, const RationalVector& b) {
        std::string d;
        for (int i = 1; i <= n && d.empty(); ++i)
            if (a(i) != b(i)) d = std::to_string(i);
        return d;
    };
    RationalMatrix L(n, n), U(n, n), fastL(n, n), fastU(n, n);
    RationalVector Y(n), X(n), fastY(n), fastX(n), d(n), fastD(n);
    const bool factored = doolittle(B, n, L, U, stop);
    ASSERT_EQ(kernels::doolittleExact(B, n, fastL, fastU, stop), factored) << where;
    if (factored) {
        EXPECT_EQ(firstExactDifference(fastL, L, n, n), "") << where << ", Doolittle L";
        EXPECT_EQ(firstExactDifference(fastU, U, n, n), "") << where << ", Doolittle U";
    }
    bool solved = factored && U(n, n) != 0;
    if (solved) {
        Y = forwardUnit(L, lastColumn(B, n), n);
        EXPECT_TRUE(backUpper(U, Y, n, false, X));
    }
    ASSERT_EQ(kernels::doolittleSolveExact(B, n, fastL, fastU, fastY, fastX, stop), solved)
        << where;
    if (solved) {
        EXPECT_EQ(vectors(fastY, Y) + vectors(fastX, X), "") << where << ", Doolittle";
    }

    RationalMatrix P = B, fastP = B;
    L = U = fastL = fastU = RationalMatrix(n, n);
    solved = true;
    try {
        columnPivotDoolittle(P, n, L, U, stop);
        Y = forwardUnit(L, lastColumn(P, n), n);
        solved = backUpper(U, Y, n, true, X);
    } catch (const ExactDivisionByZero&) {
        solved = false;
    }
    ASSERT_EQ(kernels::columnPivotSolveExact(fastP, n, fastL, fastU, fastY, fastX, stop), solved)
        << where;
    if (solved) {
        EXPECT_EQ(firstExactDifference(fastP, P, n, n + 1), "") << where << ", pivot LU B";
        EXPECT_EQ(firstExactDifference(fastL, L, n, n), "") << where << ", pivot LU L";
        EXPECT_EQ(firstExactDifference(fastU, U, n, n), "") << where << ", pivot LU U";
        EXPECT_EQ(vectors(fastY, Y) + vectors(fastX, X), "") << where << ", pivot LU";
    } else {
        EXPECT_EQ(firstExactDifference(fastP, B, n, n + 1), "") << where << ", declined";
    }

    L = fastL = RationalMatrix(n, n);
    solved = ldlt(B, n, L, d, stop);
    if (solved) {
        Y = forwardUnit(L, lastColumn(B, n), n);
        solved = backWithLdlt(L, d, Y, n, X);
    }
    ASSERT_EQ(kernels::ldltSolveExact(B, n, fastL, fastD, fastY, fastX, stop), solved) << where;
    if (solved) {
        EXPECT_EQ(firstExactDifference(fastL, L, n, n), "") << where << ", LDLt L";
        EXPECT_EQ(vectors(fastD, d) + vectors(fastY, Y) + vectors(fastX, X), "")
            << where << ", LDLt";
    }
}

/// The exact kernels against the rational loops: every entry the same
/// reduced fraction, the same unknowns, exchanges, column order,
/// determinant and leading minors, and a zero pivot met at the same stage.
TEST(ExactKernels, MatchTheRationalLoops) {
    for (ExactShape shape :
         {ExactShape::SmallIntegers, ExactShape::Decimals, ExactShape::Fractions,
          ExactShape::Thirds, ExactShape::NearTies, ExactShape::ZeroCorner, ExactShape::Singular}) {
        for (int n : {1, 2, 3, 4, 5, 7, 9, 12, 17, 30}) {
            const auto seed = 100u * static_cast<unsigned>(n) + static_cast<unsigned>(shape);
            const std::string where =
                "shape " + std::to_string(static_cast<int>(shape)) + ", order " + std::to_string(n);
            const RationalMatrix B = randomExact(shape, n, n + 1, seed);
            expectKernelsMatch(B, n, where);
            expectDecompositionsMatch(B, n, where);
        }
    }
    // The second stage's candidates tie exactly, while doubles round the
    // lower one larger: the first of the tie must stay the pivot.
    const char* ties[][3][4] = {
        {{"2", "1", "1", "-1/7"}, {"0", "5/7", "0", "0"}, {"-3", "-3/7", "-1", "1"}},
        {{"-1/7", "-5/7", "8/3", "0"}, {"1", "-1", "5", "-5/3"}, {"0", "6/7", "-5/7", "-8/7"}},
        {{"-3", "-2/3", "-3/7", "-2"}, {"-8", "-4/3", "2", "-5/3"}, {"1", "0", "-8", "2"}}};
    for (const auto& tie : ties) {
        RationalMatrix B(3, 4);
        for (int i = 1; i <= 3; ++i)
            for (int j = 1; j <= 4; ++j) B(i, j) = Rational(tie[i - 1][j - 1]);
        for (int i = 1; i <= 3; ++i)
            for (int j = 1; j <= 4; ++j) B(i, j).canonicalize();
        expectKernelsMatch(B, 3, std::string("tie ") + tie[0][0]);
        expectDecompositionsMatch(B, 3, std::string("tie ") + tie[0][0]);
    }
    // A leading minor exactly 0 that doubles miss (1/3 · 7 − 7/3 is 8.9e-16
    // in doubles): a method without exchanges stops there, and no residue's
    // own row exchange may pass for an elimination that made none.
    const char* zeroMinors[][3][4] = {
        {{"1/3", "1", "1", "1"}, {"7/3", "7", "2", "1"}, {"1", "1", "1", "1"}},
        {{"1/7", "2/7", "3", "1"}, {"3/7", "6/7", "5", "2"}, {"1/3", "2", "1", "3"}}};
    for (const auto& rows : zeroMinors) {
        RationalMatrix B(3, 4);
        for (int i = 1; i <= 3; ++i)
            for (int j = 1; j <= 4; ++j) {
                B(i, j) = Rational(rows[i - 1][j - 1]);
                B(i, j).canonicalize();
            }
        expectKernelsMatch(B, 3, std::string("zero minor ") + rows[0][0]);
        expectDecompositionsMatch(B, 3, std::string("zero minor ") + rows[0][0]);
    }
}

/// Rows of fractions over one denominator come out as each reduced alone:
/// numerators sharing some, all or none of the denominator's factors,
/// zeros, and denominators of either sign.
TEST(ExactKernels, ReduceARowOverItsDenominatorAsEachEntryAlone) {
    std::mt19937_64 rng(17);
    gmp_randclass random(gmp_randinit_default);
    random.seed(5);
    const unsigned long smallPrimes[] = {2, 3, 5, 7, 11, 13, 10007};
    std::uniform_int_distribution<int> pick(0, 6), count(0, 4), length(1, 12);
    const auto smooth = [&] {
        mpz_class v = 1;
        for (int k = count(rng); k > 0; --k) v *= smallPrimes[pick(rng)];
        return v;
    };
    for (int t = 0; t < 300; ++t) {
        mpz_class den = smooth() * random.get_z_bits(t % 3 == 0 ? 1 : 400) + 1;
        if (t % 2) den = -den;
        const int n = length(rng);
        std::vector<Rational> row(static_cast<std::size_t>(n));
        std::vector<Rational> expected(static_cast<std::size_t>(n));
        for (int j = 0; j < n; ++j) {
            mpz_class num = pick(rng) == 0 ? mpz_class(0) : smooth() * random.get_z_bits(300);
            if (pick(rng) < 2) num *= den; // the whole denominator cancels
            if (pick(rng) < 3) num = -num;
            row[static_cast<std::size_t>(j)].get_num() = num;
            expected[static_cast<std::size_t>(j)] = Rational(num, den);
            expected[static_cast<std::size_t>(j)].canonicalize();
        }
        kernels::reduceOverDenominator(
            n, den, [&](int j) -> Rational& { return row[static_cast<std::size_t>(j)]; });
        for (int j = 0; j < n; ++j) {
            const Rational& got = row[static_cast<std::size_t>(j)];
            EXPECT_EQ(got, expected[static_cast<std::size_t>(j)])
                << "case " << t << ", entry " << j;
            EXPECT_TRUE(got.get_den() > 0 && gcd(got.get_num(), got.get_den()) == 1)
                << "case " << t << ", entry " << j << " not in lowest terms";
        }
    }
}

/// Hadamard's bound is reached by a Hadamard matrix, its rows scaled apart:
/// the residues must still hold every minor, the largest as large as the
/// bound, so each row of the elimination is what Bareiss's method leaves.
/// The scales put the determinant's 1002.3 bits a third of a bit past what
/// 17 primes hold: a bound short by that much takes one prime too few.
TEST(ExactKernels, ResiduesHoldMinorsAsLargeAsTheBound) {
    const int n = 16;
    const mpz_class kScale("1801307260590167552"); // 2^60.64375
    std::vector<std::vector<int>> h{{1}};
    while (static_cast<int>(h.size()) < n) {
        const std::size_t half = h.size();
        for (std::size_t i = 0; i < half; ++i) {
            std::vector<int> lower = h[i];
            for (int& v : lower) v = -v;
            h.push_back(h[i]);
            h.back().insert(h.back().end(), lower.begin(), lower.end());
            h[i].insert(h[i].end(), h[i].begin(), h[i].end());
        }
    }
    RationalMatrix B(n, n);
    for (int i = 1; i <= n; ++i) {
        const mpz_class scale = kScale - 2 * i - 1;
        for (int j = 1; j <= n; ++j)
            B(i, j) = scale * h[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(j - 1)];
    }
    kernels::FractionFree byResidues(B, n, n);
    ASSERT_TRUE(kernels::eliminateByResidues(byResidues, B, n, n, false, nullptr, false));
    kernels::FractionFree bareiss(B, n, n);
    for (int k = 1; k <= n; ++k) {
        bareiss.settle(k);
        bareiss.eliminateBelow(k, n);
    }
    for (int i = 1; i <= n; ++i)
        for (int j = i; j <= n; ++j)
            EXPECT_EQ(byResidues.at(i, j), bareiss.at(i, j)) << "(" << i << "," << j << ")";
    mpz_class scales = 1;
    for (int i = 1; i <= n; ++i) scales *= kScale - 2 * i - 1;
    EXPECT_EQ(abs(byResidues.at(n, n)), scales * (mpz_class(1) << 32));
}

/// Within the bound the kernels run; numbers that could pass the exact
/// limit are left to the rational loops, which watch the growth.
TEST(ExactKernels, FitOnlyWhereNoNumberCanOutgrowTheLimit) {
    RationalMatrix A(2, 3);
    A(1, 1) = 1;
    A(2, 2) = 1;
    A(1, 2) = Rational(mpz_class("1" + std::string(4000, '0')));
    EXPECT_TRUE(kernels::exactKernelFits(A, 2, 3));
    A(2, 1) = A(1, 2);
    A(2, 3) = A(1, 2) * A(1, 2);
    EXPECT_FALSE(kernels::exactKernelFits(A, 2, 3));
}

/// A stop asked for while an exact kernel runs ends it.
TEST(ExactKernelsStop, EveryKernelStops) {
    StopRequest stop;
    stop.request();
    const int n = 8;
    RationalMatrix A = randomExact(ExactShape::Decimals, n, n + 1, 3);
    RationalMatrix W = randomExact(ExactShape::Decimals, n, 2 * n, 4);
    std::vector<int> order(static_cast<std::size_t>(n), 1);
    int stage = 0;
    int exchanges = 0;
    EXPECT_THROW(kernels::solveExact(A, n, true, stop, stage), CommandStopped);
    EXPECT_THROW(kernels::solveFullPivotExact(A, n, order, stop), CommandStopped);
    EXPECT_THROW(kernels::reduceGaussJordanExact(W, n, stop), CommandStopped);
    RationalMatrix S = randomExact(ExactShape::Decimals, n, n, 5);
    EXPECT_THROW(kernels::columnPivotDeterminantExact(S, exchanges, &stop), CommandStopped);
    kernels::ExactLeadingMinors minors(S, n, &stop);
    EXPECT_THROW(minors(n), CommandStopped);
    RationalMatrix L(n, n), U(n, n);
    RationalVector d(n), y(n), x(n);
    EXPECT_THROW(kernels::doolittleExact(A, n, L, U, stop), CommandStopped);
    EXPECT_THROW(kernels::doolittleSolveExact(A, n, L, U, y, x, stop), CommandStopped);
    EXPECT_THROW(kernels::columnPivotSolveExact(A, n, L, U, y, x, stop), CommandStopped);
    EXPECT_THROW(kernels::ldltSolveExact(A, n, L, d, y, x, stop), CommandStopped);
}

/// The vector builds of the update and the generic one agree on blocks of
/// every width around the vector sizes, at every rounding the methods use.
TEST(RoundedUpdate, VectorAndGenericBuildsAgree) {
    for (int cols : {1, 7, 8, 9, 15, 16, 17, 33, 70}) {
        for (int d : {0, 1, 7, 17, 22}) {
            const Matrix x = randomMatrix(Shape::Wild, 5, cols, 7u * cols + d);
            const Matrix u = randomMatrix(Shape::Wild, 6, cols, 11u * cols + d);
            const Matrix m = randomMatrix(Shape::Decimals, 5, 6, 13u * cols + d);
            Matrix vector = x;
            Matrix generic = x;
            kernels::roundedUpdate({vector.row(1), cols}, {m.row(1), 6}, {u.row(1), cols}, 5, cols,
                                   6, d);
            kernels::roundedUpdateGeneric({generic.row(1), cols}, {m.row(1), 6}, {u.row(1), cols},
                                          5, cols, 6, d);
            EXPECT_EQ(firstDifference(vector, generic), "") << cols << " columns, " << d;
        }
    }
}

/// The vector rounding, with its quotient by multiplication and its
/// hardware rounding, against roundTo itself on values of every magnitude
/// at every number of decimals: integers at the scale up to 2^52 and
/// beyond, halves, values just beside halves, and zeros of both signs.
TEST(RoundedUpdate, RoundsAsRoundToDoes) {
    std::mt19937_64 rng(17);
    std::uniform_real_distribution<double> exponent(-3.0, 53.5);
    std::uniform_int_distribution<int> nudge(-2, 2);
    constexpr int kCount = 1 << 14;
    for (int d = 0; d <= 22; ++d) {
        const double p = std::pow(10.0, d);
        std::vector<double> x(kCount), u(kCount, 1.0);
        for (double& v : x) {
            double y = std::floor(std::pow(2.0, exponent(rng)));
            if (nudge(rng) == 0) y += 0.5; // a tie at the scale
            v = y / p;
            for (int k = nudge(rng); k != 0; k += k > 0 ? -1 : 1)
                v = std::nextafter(v, k > 0 ? INFINITY : -INFINITY);
            if (nudge(rng) < 0) v = -v;
        }
        x[0] = 0.0;
        x[1] = -0.0;
        std::vector<double> expected(x);
        for (double& v : expected) v = roundTo(v - 0.0 * 1.0, d);
        const double zero = 0.0;
        kernels::roundedUpdate({x.data(), kCount}, {&zero, 1}, {u.data(), kCount}, 1, kCount, 1, d);
        for (int i = 0; i < kCount; ++i)
            ASSERT_TRUE(
                sameBits(x[static_cast<std::size_t>(i)], expected[static_cast<std::size_t>(i)]))
                << "decimals " << d << ", element " << i;
    }
}

#if defined(__linux__)
/// The pages of this process in memory now.
std::size_t residentBytes() {
    std::ifstream statm("/proc/self/statm");
    std::size_t size = 0, resident = 0;
    statm >> size >> resident;
    return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

TEST(LargeBuffers, GoBackToTheSystemWhenFreed) {
    // quorvex-cli keeps buffers up to 32 MB on the heap. The arrays of a
    // command there, freed and asked for again in other sizes, left holes in
    // memory that later ones did not fit; the analyses' peak grew by half.
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
    const std::size_t before = residentBytes();
    for (int rows = 1500; rows >= 1000; rows -= 250) {
        Matrix m(rows, 1000);
        for (int i = 1; i <= rows; ++i)
            for (int j = 1; j <= 1000; ++j) m(i, j) = i + j;
        ASSERT_EQ(m(rows, 1000), rows + 1000.0);
    }
    const std::size_t after = residentBytes();
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 128 << 10); // glibc's own settings
    mallopt(M_TRIM_THRESHOLD, 128 << 10);
#endif
    EXPECT_LT(after, before + (std::size_t{4} << 20));
}
#endif

} // namespace
} // namespace quorvex
