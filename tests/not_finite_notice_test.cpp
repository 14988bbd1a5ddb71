// A report that shows Infinity or NaN comes with one notice naming why, and
// a report that shows neither comes with none of those notices. Random
// systems that are singular, not positive definite, overflowing, typed with
// an entry beyond the doubles or ordinary go through every direct method,
// test and norm; where the kind of system decides the cause, the notice
// must name that cause.
#include "commands/registry.h"
#include "scripted_host.h"
#include "texts/fill.h"
#include "texts/notice_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using quorvex::Command;
using quorvex::CommandGroup;
using quorvex::Language;
using quorvex::Outcome;
using quorvex::Text;
using quorvex::testing::ScriptedHost;
namespace N = quorvex::texts::notice;

constexpr Text kNotices[] = {N::kEntryBeyondRange,
                             N::kEntryUndefined,
                             N::kElementBeyondRange,
                             N::kElementUndefined,
                             N::kOverflow,
                             N::kZeroPivotNoExchange,
                             N::kChaseZeroPivot,
                             N::kSingular,
                             N::kSingularByRounding,
                             N::kSingularOrNearly,
                             N::kNotPositiveDefinite,
                             N::kPositiveDefiniteByRounding,
                             N::kNotPositiveDefiniteOrNearly};

/// True when `text` is `pattern` with its placeholders filled somehow.
bool fits(std::string_view pattern, const std::string& text) {
    std::string re;
    for (std::size_t i = 0; i < pattern.size();) {
        const std::string_view rest = pattern.substr(i);
        if (rest.starts_with("{}")) {
            re += "(.+?)";
            i += 2;
        } else if (rest.size() >= 3 && rest[0] == '{' && rest[1] >= '1' && rest[1] <= '9' &&
                   rest[2] == '}') {
            re += "(.+?)";
            i += 3;
        } else {
            const char c = pattern[i++];
            if (std::string_view("\\^$.|?*+()[]{}").find(c) != std::string_view::npos) re += '\\';
            re += c;
        }
    }
    return std::regex_match(text, std::regex(re));
}

/// The notices of this kind among all a run gave.
std::vector<std::string> notFiniteNotices(const std::vector<std::string>& notices,
                                          Language language) {
    std::vector<std::string> found;
    for (const std::string& n : notices)
        for (const Text& t : kNotices)
            if (fits(t.in(language), n)) {
                found.push_back(n);
                break;
            }
    return found;
}

bool showsNotFinite(const std::string& report) {
    return report.find("Infinity") != std::string::npos || report.find("NaN") != std::string::npos;
}

/// The commands whose reports this test holds to the rule: the direct
/// methods, the tests, the norms, the error analysis and the comparison of
/// the eliminations.
std::vector<const Command*> commandsHeld() {
    std::vector<const Command*> held;
    for (const Command* c : quorvex::allCommands())
        if (c->group == CommandGroup::Elimination || c->group == CommandGroup::Decomposition ||
            c->group == CommandGroup::TestsAndNorms || c->id == "PivotComparison" ||
            c->id == "ErrorAnalysis")
            held.push_back(c);
    return held;
}

bool isVector(const Command& c) { return c.opening.reads == quorvex::Reads::Vector; }

/// A system as typed: n rows of n + 1 entries (the square commands read
/// the first n), each entry as text.
struct Typed {
    int n = 0;
    std::vector<std::vector<std::string>> rows;

    std::string text() const {
        std::ostringstream out;
        for (const auto& row : rows) {
            for (std::size_t j = 0; j < row.size(); ++j) out << (j ? " " : "") << row[j];
            out << "\n";
        }
        return out.str();
    }
};

/// The kinds of system, each with the notice it must bring where its report
/// shows Infinity or NaN, for the commands whose cause it decides.
enum class Kind {
    Ordinary,
    Singular,
    ZeroLeadingPivot,
    NotDefinite,
    Overflow,
    OverflowBeforeZeroPivot,
    BeyondRange
};

std::string number(double v) {
    std::ostringstream out;
    out.precision(17);
    out << v;
    return out.str();
}

class Generator {
public:
    explicit Generator(unsigned seed) : m_random(seed) {}

    int integer(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_random); }
    int nonzero() { return integer(1, 9) * (integer(0, 1) ? 1 : -1); }

    /// n x (n + 1) small integers.
    std::vector<std::vector<double>> integers(int n, bool zeros) {
        std::vector<std::vector<double>> a(static_cast<std::size_t>(n));
        for (auto& row : a)
            for (int j = 0; j <= n; ++j) row.push_back(zeros ? integer(-9, 9) : nonzero());
        return a;
    }

    Typed system(Kind kind, int n) {
        auto a = integers(n, kind == Kind::Ordinary);
        const auto at = [&](int i, int j) -> double& {
            return a[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(j - 1)];
        };
        switch (kind) {
        case Kind::Ordinary:
        case Kind::BeyondRange: break;
        case Kind::Singular: {
            // One row of coefficients a multiple of another.
            const int i = integer(1, n);
            const int k = integer(1, n);
            const int c = nonzero();
            if (i != k)
                for (int j = 1; j <= n; ++j) at(i, j) = c * at(k, j);
            else
                for (int j = 1; j <= n; ++j) at(i, j) = 0.0;
            break;
        }
        case Kind::ZeroLeadingPivot: at(1, 1) = 0.0; break;
        case Kind::OverflowBeforeZeroPivot:
            // Row 2's coefficients a multiple of row 1's, whose right-hand
            // side 1E+308 the multiple takes past the largest double at
            // step 1, before step 2 meets its pivot of 0.
            if (n >= 2) {
                for (int j = 1; j <= n; ++j) at(2, j) = 10 * at(1, j);
                at(1, n + 1) = 1e308;
            }
            break;
        case Kind::NotDefinite:
            // Symmetric, its first leading minor negative.
            for (int i = 1; i <= n; ++i)
                for (int j = 1; j < i; ++j) at(j, i) = at(i, j);
            at(1, 1) = -std::abs(at(1, 1));
            break;
        case Kind::Overflow:
            // A pivot of 1E-300 beside entries of 1E+10: the multipliers and
            // the entries of L and l(2) pass the largest double; rows
            // 1E+308 and -1E+308 add to one past it in every pivoting
            // elimination.
            for (int i = 1; i <= n; ++i)
                for (int j = 1; j < i; ++j) at(j, i) = at(i, j);
            if (n >= 2 && integer(0, 1)) {
                at(1, 1) = 1e-300;
                at(2, 1) = at(1, 2) = 1e10;
            } else {
                for (int j = 1; j <= n; ++j) at(1, j) = 1e308;
                if (n >= 2)
                    for (int j = 1; j <= n; ++j) at(2, j) = j == 1 ? -1e308 : 1e308;
            }
            break;
        }
        Typed t{n, {}};
        for (const auto& row : a) {
            t.rows.emplace_back();
            for (double v : row) t.rows.back().push_back(number(v));
        }
        return t;
    }

private:
    std::mt19937 m_random;
};

/// What one run gave.
struct Outcomes {
    Outcome outcome;
    std::string report;
    std::vector<std::string> notices; ///< the not-finite ones only
    std::vector<std::string> messages;
};

Outcomes run(const Command& c, const std::string& edit, int n, Language language) {
    std::vector<std::string> answers;
    if (!isVector(c)) answers.push_back(std::to_string(n));
    ScriptedHost host(edit, answers);
    host.settings.language = language;
    const Outcome outcome = host.run(c);
    return {outcome, host.result, notFiniteNotices(host.notices, language), host.messages};
}

std::string describe(const Command& c, const std::string& edit, const Outcomes& r) {
    std::ostringstream out;
    out << c.id << " on\n" << edit << "gave\n" << r.report << "\nnotices:";
    for (const std::string& n : r.notices) out << "\n  " << n;
    return out.str();
}

/// The rule every report is held to: a notice of this kind exactly when
/// the report shows Infinity or NaN, and then one only.
void expectNoticeExactlyWhenShown(const Command& c, const std::string& edit, const Outcomes& r) {
    if (r.outcome != Outcome::Reported) {
        EXPECT_TRUE(r.notices.empty()) << describe(c, edit, r);
        return;
    }
    EXPECT_EQ(r.notices.size(), showsNotFinite(r.report) ? 1u : 0u) << describe(c, edit, r);
}

/// The notice a kind of system must bring from a command, where it decides
/// one; nothing where another cause may come first.
std::optional<std::string> decidedNotice(Kind kind, std::string_view id, Language lang) {
    const auto in = [lang](const Text& t) { return std::string(t.in(lang)); };
    switch (kind) {
    case Kind::ZeroLeadingPivot:
        if (id == "Gauss_1") return quorvex::fillText(in(N::kZeroPivotNoExchange), {"1"});
        if (id == "Purase") return quorvex::fillText(in(N::kChaseZeroPivot), {"1"});
        return std::nullopt;
    case Kind::NotDefinite:
        if (id == "SqrtRoot") return quorvex::fillText(in(N::kNotPositiveDefinite), {"1"});
        return std::nullopt;
    case Kind::Overflow:
        // Nothing but an overflow can go wrong in these systems: their
        // entries are finite and no pivot before the overflow is 0. The
        // square-root method alone may meet a matrix that is not positive
        // definite first: 1E+308 and -1E+308 in its lower triangle.
        if (id == "SqrtRoot") return std::nullopt;
        return in(N::kOverflow);
    case Kind::OverflowBeforeZeroPivot:
        // The first thing that went wrong, where the method meets both.
        if (id == "Gauss_1") return in(N::kOverflow);
        return std::nullopt;
    case Kind::Ordinary:
    case Kind::Singular:
    case Kind::BeyondRange: return std::nullopt;
    }
    return std::nullopt;
}

class NotFiniteNotices : public ::testing::TestWithParam<Language> {};

TEST_P(NotFiniteNotices, ComeExactlyWithInfinityOrNaNAndNameTheCauseMet) {
    const Language lang = GetParam();
    Generator g(20261207u);
    const Kind kinds[] = {Kind::Ordinary,    Kind::Singular, Kind::ZeroLeadingPivot,
                          Kind::NotDefinite, Kind::Overflow, Kind::OverflowBeforeZeroPivot};
    int shown = 0;
    for (const Command* c : commandsHeld())
        for (const Kind kind : kinds)
            for (int trial = 0; trial < 12; ++trial) {
                const int n = g.integer(1, 4);
                const Typed t = g.system(kind, n);
                const std::string edit =
                    isVector(*c) ? t.text().substr(0, t.text().find('\n')) : t.text();
                const Outcomes r = run(*c, edit, n, lang);
                expectNoticeExactlyWhenShown(*c, edit, r);
                if (r.notices.size() != 1) continue;
                ++shown;
                if (const auto want = decidedNotice(kind, c->id, lang)) {
                    EXPECT_EQ(r.notices.front(), *want) << describe(*c, edit, r);
                }
            }
    // The systems must bring notices often enough to mean something.
    EXPECT_GT(shown, 100);
}

/// Singular systems of small integers are singular in exact fractions too:
/// a pivoting elimination that meets only zeros says the matrix is singular,
/// never that rounding made it so.
TEST_P(NotFiniteNotices, SingularIntegerSystemsAreCalledSingular) {
    const Language lang = GetParam();
    Generator g(7u);
    int called = 0;
    for (const std::string_view id : {"GaussTier", "GaussFull", "A_matrix"}) {
        const Command& c = *quorvex::findCommand(id);
        for (int trial = 0; trial < 30; ++trial) {
            const int n = g.integer(2, 4);
            const std::string edit = g.system(Kind::Singular, n).text();
            const Outcomes r = run(c, edit, n, lang);
            expectNoticeExactlyWhenShown(c, edit, r);
            if (r.notices.size() != 1) continue;
            ++called;
            EXPECT_TRUE(fits(N::kSingular.in(lang), r.notices.front())) << describe(c, edit, r);
        }
    }
    EXPECT_GT(called, 30);
}

/// An entry typed beyond the doubles, or with no value, is named wherever
/// it stands among those the report shows: it comes before anything the
/// method meets.
TEST_P(NotFiniteNotices, AnEntryReadAsInfinityOrNaNIsNamed) {
    const Language lang = GetParam();
    const auto in = [lang](const Text& t) { return std::string(t.in(lang)); };
    Generator g(11u);
    const char* const beyond[][2] = {{"1e400", "Infinity"}, {"-1e400", "-Infinity"}, {"0/0", ""}};
    for (const Command* c : commandsHeld()) {
        // The comparison names such an entry as every analysis does, as an
        // entry the decimal reading could not hold.
        if (c->group == CommandGroup::Analysis) continue;
        for (int trial = 0; trial < 12; ++trial) {
            const int n = g.integer(1, 4);
            Typed t = g.system(Kind::Ordinary, n);
            const bool square = c->opening.reads == quorvex::Reads::SquareMatrix ||
                                c->id == "A_matrix" || c->id == "A_range";
            int i = g.integer(1, isVector(*c) ? 1 : n);
            int j = g.integer(1, square ? n : n + 1);
            // The Thomas algorithm reads and shows the three diagonals only.
            if (c->id == "Purase" && j <= n && std::abs(i - j) > 1) j = i;
            const auto& [text, read] = beyond[g.integer(0, 2)];
            t.rows[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(j - 1)] = text;
            const std::string edit =
                isVector(*c) ? t.text().substr(0, t.text().find('\n')) : t.text();
            const Outcomes r = run(*c, edit, n, lang);
            // A method that tests its pivots for NaN may refuse the system.
            if (r.outcome != Outcome::Reported) {
                EXPECT_TRUE(r.notices.empty()) << describe(*c, edit, r);
                continue;
            }
            ASSERT_TRUE(showsNotFinite(r.report)) << describe(*c, edit, r);
            const std::string si = std::to_string(i);
            const std::string sj = std::to_string(j);
            std::string want;
            if (isVector(*c))
                want = *read ? quorvex::fillText(in(N::kElementBeyondRange), {sj, read})
                             : quorvex::fillText(in(N::kElementUndefined), {sj});
            else
                want = *read ? quorvex::fillText(in(N::kEntryBeyondRange), {si, sj, read})
                             : quorvex::fillText(in(N::kEntryUndefined), {si, sj});
            ASSERT_EQ(r.notices.size(), 1u) << describe(*c, edit, r);
            EXPECT_EQ(r.notices.front(), want) << describe(*c, edit, r);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, NotFiniteNotices,
                         ::testing::Values(Language::Chinese, Language::English),
                         [](const auto& info) {
                             return info.param == Language::Chinese ? "Chinese" : "English";
                         });

/// A row that is a combination of two others with non-integer results on
/// the way (3·row 1 + row 2, say) leaves rounding residues where the
/// elimination should meet a 0: the report then shows a finite solution of
/// a singular system, which must come with the notice that says so, and
/// whether the system has infinitely many solutions or none. A regular
/// system never brings it.
TEST_P(NotFiniteNotices, AFiniteSolutionOfASingularSystemIsCalledSo) {
    const Language lang = GetParam();
    const std::string many(N::kSingularSolutionOneOfMany.in(lang));
    const std::string none(N::kSingularSolutionOfNone.in(lang));
    Generator g(20261208u);
    int called = 0;
    for (const std::string_view id : {"Gauss_1", "GaussTier", "GaussFull"}) {
        const Command& c = *quorvex::findCommand(id);
        for (int trial = 0; trial < 40; ++trial) {
            const int n = g.integer(3, 5);
            const bool singular = trial % 4 != 0;
            const bool solvable = trial % 2 == 1;
            Typed t = g.system(Kind::Ordinary, n);
            if (singular) {
                const int p = g.nonzero(), q = g.nonzero();
                auto& last = t.rows.back();
                for (int j = 0; j <= n; ++j)
                    last[static_cast<std::size_t>(j)] =
                        std::to_string(p) + "*(" + t.rows[0][static_cast<std::size_t>(j)] + ")+" +
                        std::to_string(q) + "*(" + t.rows[1][static_cast<std::size_t>(j)] + ")" +
                        (j == n && !solvable ? "+1" : "");
            }
            ScriptedHost host(t.text(), {std::to_string(n)});
            host.settings.language = lang;
            host.settings.decimalDigits = g.integer(2, 8);
            ASSERT_EQ(host.run(c), Outcome::Reported) << id << "\n" << t.text();
            if (showsNotFinite(host.result)) continue;
            const int told =
                static_cast<int>(std::count(host.notices.begin(), host.notices.end(), many) +
                                 std::count(host.notices.begin(), host.notices.end(), none));
            if (!singular) {
                EXPECT_EQ(told, 0) << id << "\n" << t.text() << host.result;
                continue;
            }
            ASSERT_EQ(host.notices.size(), 1u) << id << "\n" << t.text() << host.result;
            EXPECT_EQ(host.notices.front(), solvable ? many : none) << id << "\n" << t.text();
            ++called;
        }
    }
    // Most singular systems meet an exact 0 and show Infinity or NaN.
    EXPECT_GT(called, 20);
}

/// From order 48 on the eliminations run in the fast kernels, which tell no
/// one of their stages: the cause is found by the reference routine run
/// again, and the exact check is out of reach.
TEST(NotFiniteNoticesOfLargeOrders, NameTheStageTheFastKernelMet) {
    const int n = 50;
    std::ostringstream edit;
    for (int i = 1; i <= n; ++i) {
        // Rows 1 and 2 equal, the rest the identity: the second stage finds
        // only zeros.
        for (int j = 1; j <= n; ++j) edit << (i <= 2 ? 1 : (i == j ? 1 : 0)) << " ";
        edit << i << "\n";
    }
    // Complete pivoting takes the ones of the identity rows first and meets
    // the zero row last.
    const std::pair<std::string_view, std::string_view> stages[] = {
        {"GaussTier", "2"}, {"GaussFull", "50"}, {"A_matrix", "2"}};
    for (const auto& [id, stage] : stages) {
        ScriptedHost host(edit.str(), {std::to_string(n)});
        ASSERT_EQ(host.run(*quorvex::findCommand(id)), Outcome::Reported);
        ASSERT_TRUE(showsNotFinite(host.result)) << id;
        ASSERT_EQ(host.notices.size(), 1u) << id;
        EXPECT_EQ(host.notices.front(), quorvex::fillText(N::kSingularOrNearly, {stage, "7"}))
            << id;
    }
}

} // namespace
