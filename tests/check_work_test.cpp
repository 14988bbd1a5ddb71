// 核对解题步骤 where hand-worked cases (tests/data/checkwork_*.case) cannot
// reach: generated workings, a stop inside a step and the simplest
// multipliers.
#include "base/rational.h"
#include "check/entry.h"
#include "check/fit.h"
#include "check/step_check.h"
#include "check/value_text.h"
#include "commands/registry.h"
#include "scripted_host.h"
#include "support.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <random>
#include <sstream>

namespace quorvex {
namespace {

using testing::linesOf;

// Workings made at random, seeded: each block is worked from the block
// before as written, in exact fractions or rounded to 1 to 4 places, with
// the pivot rows chosen freely, rows scaled or not, eliminated by the
// ratio of the pivots or crosswise, a row or all rows at a time. So every
// working is right; moving one entry by 2 to 9 units of its last place
// makes exactly that step and entry wrong. Asked for several operations at
// once, a block may also carry on into the next column's elimination (the
// values kept exact until the block is written, then rounded once), and
// the working may end with [I | x] written straight from the echelon form.
class RandomWorking {
public:
    explicit RandomWorking(std::uint32_t seed, bool severalAtOnce = false)
        : m_rng(seed), m_several(severalAtOnce) {}

    /// A new working; false when the system or a rounded block is singular.
    bool make() {
        m_n = pick(2, 5);
        m_places = pick(0, 4);
        m_blocks.clear();
        Block system;
        for (int i = 0; i < m_n; ++i) {
            system.emplace_back();
            for (int j = 0; j <= m_n; ++j) system.back().push_back(cell(pick(-9, 9), true));
        }
        m_system = system;
        Block current = system;
        for (int k = 0; k + 1 < m_n; ++k)
            if (!eliminate(current, k)) return false;
        if (m_several) {
            if (pendingIn(current)) push(current);
            if (pick(0, 1) == 0 && !solveAtOnce(current)) return false;
        }
        return !m_blocks.empty() && check::uniqueSolution(values(m_system)).has_value();
    }

    int order() const { return m_n; }
    int steps() const { return static_cast<int>(m_blocks.size()); }

    std::string text() const {
        std::string t = blockText(m_system);
        for (const Block& b : m_blocks) t.append("\n").append(blockText(b));
        return t;
    }

    /// Moves one entry of one step by 2 to 9 units of its last place; gives
    /// the step (1-based) and the report line that must name it. Left alone
    /// are the 0 and 1 an operation aims at (moved, they change which
    /// operation the row shows: 9 for the 1 of (1, 0, 0) is (9, 0, 0)
    /// scaled; moved in a row of several operations, too few entries are
    /// left to fix the combination), and a move that keeps the row in the
    /// previous block's row space, which may well be another right operation.
    std::pair<int, std::string> spoil() {
        for (int tries = 0; tries < 100; ++tries) {
            const int b = pick(0, steps() - 1), i = pick(0, m_n - 1), j = pick(0, m_n);
            if (aimedAt(b, i, j)) continue;
            auto row = m_blocks.at(b).at(i);
            Cell& c = row.at(j);
            const int places = placesOf(c.text);
            const mpq_class unit =
                places > 0 ? mpq_class(1, pow10(places)) : mpq_class(1, c.value.get_den());
            mpq_class moved = c.value + (pick(0, 1) ? 1 : -1) * pick(2, 9) * unit;
            // A 0 may be what another operation aims at: moved the other way.
            if (sgn(moved) == 0) moved = 2 * c.value;
            c = places > 0 ? Cell{fixed(moved, places), moved} : Cell{rationalText(moved), moved};
            std::vector<check::Row> space =
                values(b == 0 ? m_system : m_blocks[static_cast<std::size_t>(b) - 1]);
            const int rank = check::rankOf(space);
            space.push_back(values({row})[0]);
            if (check::rankOf(space) == rank) {
                ++m_inRowSpace;
                continue;
            }
            m_blocks.at(b).at(i) = row;
            return {b + 1, "第" + std::to_string(i + 1) + "行第" + std::to_string(j + 1) +
                               "列：写的是 " + row.at(j).text + "，应为 "};
        }
        return {0, {}}; // every move stays in the row space
    }

    /// Moves passed over as still in the row space.
    int inRowSpace() const { return m_inRowSpace; }

private:
    struct Cell {
        std::string text;
        mpq_class value;
        bool pending = false; ///< exact, to be rounded when its block is written
    };
    using Block = std::vector<std::vector<Cell>>;

    bool aimedAt(int b, int i, int j) const {
        const auto& row = m_blocks.at(b).at(i);
        const Cell& c = row.at(j);
        if (c.text == "0" || c.text == "1") return true;
        if (!m_several || j >= m_n || (sgn(c.value) != 0 && c.value != 1)) return false;
        // In a row of several operations the 0s of a cleared row and the 1
        // it was scaled to, however many places they were written to, fix
        // the combination.
        int pivot = 0;
        while (pivot < m_n && sgn(row.at(pivot).value) == 0) ++pivot;
        return j < pivot || (pivot < m_n && row.at(pivot).value == 1);
    }

    int pick(int lo, int hi) {
        return lo + static_cast<int>(m_rng() % static_cast<unsigned>(hi - lo + 1));
    }

    static mpz_class pow10(int d) {
        mpz_class p;
        mpz_ui_pow_ui(p.get_mpz_t(), 10, static_cast<unsigned long>(d));
        return p;
    }
    static int placesOf(const std::string& t) {
        const auto point = t.find('.');
        return point == std::string::npos ? 0 : static_cast<int>(t.size() - point - 1);
    }
    /// q rounded half away from zero to d places, all d written.
    static std::string fixed(const mpq_class& q, int d) {
        const mpq_class s = abs(q) * pow10(d) + mpq_class(1, 2);
        mpz_class r;
        mpz_fdiv_q(r.get_mpz_t(), s.get_num_mpz_t(), s.get_den_mpz_t());
        const auto places = static_cast<std::size_t>(d);
        std::string digits = r.get_str();
        if (digits.size() <= places) digits = std::string(places + 1 - digits.size(), '0') + digits;
        std::string out(sgn(q) < 0 && r != 0 ? "-" : "");
        out.append(digits, 0, digits.size() - places);
        out.push_back('.');
        out.append(digits, digits.size() - places, places);
        return out;
    }
    Cell cell(const mpq_class& v, bool exact) const {
        if (exact || m_places == 0) return {rationalText(v), v};
        if (m_several) return {rationalText(v), v, true};
        const std::string t = fixed(v, m_places);
        return {t, mpq_class(check::readEntry(t)->value)};
    }
    /// Writes the block: each value worked out since the last block rounded
    /// once, as the student writes it.
    void push(Block& current) {
        for (auto& row : current)
            for (Cell& c : row)
                if (c.pending) {
                    const std::string t = fixed(c.value, m_places);
                    c = {t, mpq_class(check::readEntry(t)->value)};
                }
        m_blocks.push_back(current);
    }
    static bool pendingIn(const Block& b) {
        for (const auto& row : b)
            for (const Cell& c : row)
                if (c.pending) return true;
        return false;
    }
    /// [I | x] in one block, x solved from the echelon form as written.
    bool solveAtOnce(Block& current) {
        const auto x = check::uniqueSolution(values(current));
        if (!x) return false;
        for (int i = 0; i < m_n; ++i)
            for (int j = 0; j <= m_n; ++j)
                current.at(i).at(j) = j == m_n ? cell(x->at(static_cast<std::size_t>(i)), false)
                                      : i == j ? Cell{"1", 1}
                                               : Cell{"0", 0};
        push(current);
        return true;
    }
    static std::vector<check::Row> values(const Block& b) {
        std::vector<check::Row> rows;
        for (const auto& r : b) {
            rows.emplace_back();
            for (const Cell& c : r) rows.back().push_back(c.value);
        }
        return rows;
    }
    static std::string blockText(const Block& b) {
        std::string t;
        for (const auto& r : b) {
            for (std::size_t j = 0; j < r.size(); ++j) t += (j ? " " : "") + r[j].text;
            t += "\n";
        }
        return t;
    }

    bool eliminate(Block& current, int k) {
        const auto at = [&](int i, int j) -> const mpq_class& { return current.at(i).at(j).value; };
        std::vector<int> candidates;
        for (int i = k; i < m_n; ++i)
            if (sgn(at(i, k)) != 0) candidates.push_back(i);
        if (candidates.empty()) return false;
        if (sgn(at(k, k)) == 0 || pick(0, 2) == 0) {
            const int p = candidates.at(pick(0, static_cast<int>(candidates.size()) - 1));
            if (p != k) {
                std::swap(current.at(p), current.at(k));
                push(current);
            }
        }
        if (at(k, k) != 1 && pick(0, 2) == 0) {
            const mpq_class pivot = at(k, k);
            auto& row = current.at(k);
            for (int j = 0; j <= m_n; ++j)
                row.at(j) = j == k ? Cell{"1", 1} : cell(row.at(j).value / pivot, false);
            push(current);
        }
        const bool oneBlock = pick(0, 1) == 0;
        // Carried on: the next column's elimination joins this block.
        const bool carried = m_several && k + 2 < m_n && pick(0, 1) == 0;
        bool pending = false;
        for (int i = k + 1; i < m_n; ++i) {
            if (sgn(at(i, k)) == 0) continue;
            const mpq_class p = at(k, k), q = at(i, k);
            // A row multiplied crosswise is not carried on: the check takes
            // a combination's scale from a row kept with coefficient 1, and
            // without it a slip in (0, 0, 5, 7) may be either number.
            const bool crosswise = p.get_den() == 1 && q.get_den() == 1 && pick(0, 1) == 0 &&
                                   !(m_several && (carried || pendingIn(current)));
            // Crosswise by the pivots divided by their common factor.
            mpz_class g = 1;
            if (crosswise) mpz_gcd(g.get_mpz_t(), p.get_num_mpz_t(), q.get_num_mpz_t());
            if (sgn(p) < 0) g = -g;
            std::vector<Cell> row;
            for (int j = 0; j <= m_n; ++j) {
                const mpq_class v = crosswise ? mpq_class((p * at(i, j) - q * at(k, j)) / g)
                                              : mpq_class(at(i, j) - q / p * at(k, j));
                row.push_back(j == k ? Cell{"0", 0} : cell(v, false));
            }
            current.at(i) = std::move(row);
            pending = true;
            if (!oneBlock) {
                push(current);
                pending = false;
            }
        }
        if (pending && !carried) push(current);
        return true;
    }

    std::mt19937 m_rng;
    bool m_several = false;
    int m_n = 0;
    int m_places = 0;
    Block m_system;
    std::vector<Block> m_blocks;
    int m_inRowSpace = 0;
};

std::string verdictOf(int n, const std::string& text, std::string* report = nullptr) {
    const testing::ScriptedHost host =
        testing::ran(*findCommand("CheckWork"), text, {std::to_string(n)});
    if (report) *report = host.result;
    const std::vector<std::string> lines = linesOf(host.result);
    return lines.empty() ? std::string() : lines.back();
}

/// The lines of step k's section of the report.
std::vector<std::string> sectionOf(const std::string& report, int k) {
    std::vector<std::string> section;
    bool inside = false;
    for (const std::string& line : linesOf(report)) {
        if (line.starts_with("第 ") && (line.ends_with(" 步") || line.ends_with(" 步：解")))
            inside = line == "第 " + std::to_string(k) + " 步";
        else if (inside) section.push_back(line);
    }
    return section;
}

/// The working with the entry at (row, column), from 1, of block `block`
/// (0 the system) written as `text`.
std::string withEntry(const std::string& working, int block, int row, int column,
                      const std::string& text) {
    std::vector<std::vector<std::vector<std::string>>> blocks(1);
    for (const std::string& line : linesOf(working)) {
        if (line.empty()) {
            blocks.emplace_back();
            continue;
        }
        std::vector<std::string> entries;
        std::istringstream in(line);
        for (std::string e; in >> e;) entries.push_back(e);
        blocks.back().push_back(entries);
    }
    blocks.at(static_cast<std::size_t>(block))
        .at(static_cast<std::size_t>(row - 1))
        .at(static_cast<std::size_t>(column - 1)) = text;
    std::string out;
    for (const auto& b : blocks) {
        if (!out.empty()) out += "\n";
        for (const auto& r : b) {
            for (std::size_t j = 0; j < r.size(); ++j) out += (j ? " " : "") + r[j];
            out += "\n";
        }
    }
    return out;
}

/// Moves one entry of a right working and expects the step it stands in
/// called wrong, with that entry named; false when no move was possible.
bool spoilAndExpectItNamed(RandomWorking& w) {
    const std::string original = w.text();
    const auto [step, line] = w.spoil();
    if (step == 0) return false;
    std::string report;
    EXPECT_EQ(verdictOf(w.order(), w.text(), &report), "第 " + std::to_string(step) + " 步有误。")
        << original << w.text() << report;
    const auto section = sectionOf(report, step);
    const auto named = std::find_if(section.begin(), section.end(), [](const std::string& l) {
        return l.find("：写的是 ") != std::string::npos;
    });
    EXPECT_NE(named, section.end()) << w.text() << report;
    if (named != section.end()) {
        EXPECT_TRUE(named->starts_with(line)) << line << "\n" << w.text() << report;
    }
    return true;
}

TEST(CheckWorkGenerated, RightWorkingsPassAndOneMovedEntryIsNamed) {
    RandomWorking w(20261207);
    int right = 0, wrong = 0;
    for (int tries = 0; right < 400 && tries < 4000; ++tries) {
        if (!w.make()) continue;
        ASSERT_EQ(verdictOf(w.order(), w.text()), "全部步骤正确。") << w.text();
        ++right;
        if (spoilAndExpectItNamed(w)) ++wrong;
    }
    EXPECT_EQ(right, 400);
    // Only a working whose every move stays in the row space goes unspoilt.
    EXPECT_GE(wrong, 390);
    RecordProperty("wrongWorkings", wrong);
    RecordProperty("movesPassedOverInRowSpace", w.inRowSpace());
}

// The same with blocks that do several operations at once: every one of
// them right, a moved entry named where it stands.
TEST(CheckWorkGenerated, SeveralOperationsAtOnceAreRightAndOneMovedEntryIsNamed) {
    RandomWorking w(20270311, true);
    int right = 0, wrong = 0, several = 0;
    for (int tries = 0; right < 300 && tries < 3000; ++tries) {
        if (!w.make()) continue;
        std::string report;
        ASSERT_EQ(verdictOf(w.order(), w.text(), &report), "全部步骤正确。") << w.text() << report;
        ++right;
        several += report.find("此步一次做了几个初等行变换") != std::string::npos;
        if (spoilAndExpectItNamed(w)) ++wrong;
    }
    EXPECT_EQ(right, 300);
    EXPECT_GE(wrong, 290);
    EXPECT_GE(several, 100);
    RecordProperty("workingsWithSeveralOperationsAtOnce", several);
}

// Steps that do several operations at once: the Gauss-Jordan block that
// writes [I | x] from the echelon form, two columns cleared in one block
// exactly and to two places, and an exchange with both columns cleared.
// Every one is right; every entry of theirs that the working fixes exactly
// at the places written, moved one unit of its last digit, makes that step
// wrong at that entry, with the value worked by hand.
TEST(CheckWorkSeveralAtOnce, AnEntryOneUnitOffIsNamedWithItsValue) {
    const std::map<std::string, std::string> workings = {
        {"gauss-jordan", "3 1 -1 4\n1 2 1 6\n2 -1 3 3\n\n3 1 -1 4\n0 5/3 4/3 14/3\n"
                         "0 -5/3 11/3 1/3\n\n3 1 -1 4\n0 5/3 4/3 14/3\n0 0 5 5\n\n"
                         "1 0 0 1\n0 1 0 2\n0 0 1 1\n\n1 2 1\n"},
        {"exact", "2 1 -1 8\n-3 -1 2 -11\n-2 1 2 -3\n\n2 1 -1 8\n0 1/2 1/2 1\n0 0 -1 1\n"},
        {"decimals", "3 2 1 10\n1 4 2 15\n2 1 5 19\n\n3 2 1 10\n0 3.33 1.67 11.67\n"
                     "0 0 4.50 13.50\n"},
        {"exchange", "1 1 1 6\n2 1 3 13\n0 2 1 7\n\n1 1 1 6\n0 2 1 7\n0 0 1.5 4.5\n"},
    };
    for (const auto& [name, text] : workings)
        EXPECT_EQ(verdictOf(3, text), "全部步骤正确。") << name;
    const struct {
        const char* working;
        int step, row, column;
        const char* written;
        const char* value; ///< what it should be, worked by hand
    } slips[] = {
        // x = (1, 2, 1) from the echelon form: the 0s and 1s fix each row.
        {"gauss-jordan", 3, 1, 4, "2", "1"},
        {"gauss-jordan", 3, 1, 4, "0", "1"},
        {"gauss-jordan", 3, 2, 4, "3", "2"},
        {"gauss-jordan", 3, 2, 4, "1", "2"},
        {"gauss-jordan", 3, 3, 4, "2", "1"},
        {"gauss-jordan", 3, 3, 4, "0", "1"},
        // Row 3 - 5·row 1 - 4·row 2 = (0, 0, -1, 1); row 2 + 1.5·row 1 ends in 1.
        {"exact", 1, 3, 3, "-2", "-1"},
        {"exact", 1, 3, 4, "2", "1"},
        {"exact", 1, 3, 4, "0", "1"},
        {"exact", 1, 2, 4, "2", "1"},
        {"exact", 1, 2, 4, "0", "1"},
        // Row 3 - 0.7·row 1 + 0.1·row 2 = (0, 0, 4.5, 13.5) exactly.
        {"decimals", 1, 3, 3, "4.51", "4.5"},
        {"decimals", 1, 3, 3, "4.49", "4.5"},
        {"decimals", 1, 3, 4, "13.51", "13.5"},
        {"decimals", 1, 3, 4, "13.49", "13.5"},
        // Row 2 - 2·row 1 + 0.5·row 3 = (0, 0, 1.5, 4.5) exactly.
        {"exchange", 1, 3, 3, "1.4", "1.5"},
        {"exchange", 1, 3, 3, "1.6", "1.5"},
        {"exchange", 1, 3, 4, "4.4", "4.5"},
        {"exchange", 1, 3, 4, "4.6", "4.5"},
    };
    for (const auto& s : slips) {
        const std::string text =
            withEntry(workings.at(s.working), s.step, s.row, s.column, s.written);
        std::string report;
        EXPECT_EQ(verdictOf(3, text, &report), "第 " + std::to_string(s.step) + " 步有误。")
            << text << report;
        std::vector<std::string> named;
        for (const std::string& line : sectionOf(report, s.step))
            if (line.find("：写的是 ") != std::string::npos) named.push_back(line);
        const std::string expected = "第" + std::to_string(s.row) + "行第" +
                                     std::to_string(s.column) + "列：写的是 " + s.written +
                                     "，应为 " + s.value + "。";
        EXPECT_EQ(named, std::vector<std::string>{expected}) << text << report;
    }
}

// An order-12 step looks at the stop request inside its search: a step
// no operation explains makes it search every row and column.
TEST(CheckWorkLimits, AStopRequestEndsALargeStep) {
    check::EntryMatrix before, after;
    for (int i = 0; i < 12; ++i) {
        before.emplace_back();
        after.emplace_back();
        for (int j = 0; j <= 12; ++j) {
            before.back().push_back(*check::readEntry(std::to_string((i * 7 + j * 3) % 11 - 5)));
            after.back().push_back(*check::readEntry(std::to_string((i * 5 + j * 2) % 13 - 6)));
        }
    }
    StopRequest stop;
    stop.request();
    EXPECT_THROW(check::checkStep(before, after, stop), CommandStopped);
}

// The multiplier shown is the simplest number the rounding allows.
TEST(CheckWorkSimplest, RationalInAnInterval) {
    const auto value = [](const std::string& text) {
        mpq_class q(text);
        q.canonicalize();
        return q;
    };
    for (const auto& r : testing::table("simplest_multiplier")) {
        const check::Interval i{value(r[0]), value(r[1])};
        EXPECT_EQ(r[2] == "non-zero" ? check::simplestNonZeroIn(i).value() : check::simplestIn(i),
                  value(r[3]))
            << r[0] << " " << r[1];
    }
}

// A multiplier or value is shown as the number used: a tiny one keeps the
// places that carry its first digits instead of rounding to 0, and the
// others are shown as before.
TEST(CheckWorkValues, ATinyValueIsShownToItsFirstDigits) {
    const struct {
        const char* value;
        int decimals;
        const char* shown;
    } rows[] = {
        {"1/10000000", 6, "0.0000001"},       // ends at its 7th place
        {"-3/20000000", 6, "-0.00000015"},    // 1.5e-7, not rounded to 2e-7
        {"1/30000000", 6, "0.0000000333333"}, // six significant digits
        {"1/3000000", 2, "0.00000033"},       // two, with two decimals
        {"1/70000000000000000000", 6, "0.0000000000000000000142857"},
        {"1/7000", 6, "0.000143"},             // rounds to non-zero: as before
        {"1/1000000", 6, "0.000001"},          // ends within the places
        {"2/3", 6, "2/3"},                     // a small fraction
        {"1234567/1000000000", 6, "0.001235"}, // a long decimal, rounded
    };
    for (const auto& r : rows) {
        mpq_class q(r.value);
        q.canonicalize();
        EXPECT_EQ(check::valueText(q, r.decimals), r.shown) << r.value;
    }
}

// An entry is judged by its value only when a double or an exact value
// within the limit holds it. Not held: a working past the exact limit whose
// decimal reading overflowed (whatever it came to) or came to 0 or to no
// finite number. Held: what exact arithmetic reaches, and a decimal reading
// that only lost a tiny part on the way.
TEST(CheckWorkEntries, ANumberNoDoubleHoldsIsNotJudgedByItsMisreading) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* text;
        bool held;
        double reading; ///< the decimal reading, when not held
    } rows[] = {
        {"2^40000", false, 0.0},       // the power overflows, the fault gives 0
        {"-2^40000", false, 0.0},      //
        {"2^-40000", false, 0.0},      // underflows to 0
        {"1.5e40000", false, inf},     // typed beyond the doubles
        {"1/2^40000", false, inf},     // 1/0 after the overflow
        {"1-2^40000", false, 1.0},     // came to a finite number, but overflowed
        {"exp(1000)", false, 0.0},     // no exact value; exp overflows
        {"sqr(10^400)", false, 0.0},   // no exact value; 10^400 overflows
        {"sqr(2)*1e-400", false, 0.0}, // no exact value; underflows to 0
        {"10^400", true, 0.0},         // exact
        {"1e400", true, 0.0},          // exact
        {"1e-400", true, 0.0},         // exact
        {"1+2^-40000", true, 0.0},     // 1 to double precision
        {"sqr(-1)", true, 0.0},        // outside the domain: 0, as specified
    };
    for (const auto& r : rows) {
        const auto e = check::readEntry(r.text);
        ASSERT_TRUE(e) << r.text;
        EXPECT_EQ(e->held, r.held) << r.text;
        if (!r.held) {
            EXPECT_EQ(e->decimalReading, r.reading) << r.text;
        }
    }
    EXPECT_EQ(check::readEntry("1/0"), std::nullopt); // no finite number at all
    EXPECT_EQ(check::readEntry("10^400")->value, mpq_class("1" + std::string(400, '0')));
}

} // namespace
} // namespace quorvex
