// 核对解题步骤 on hand-worked exercises: each case's lines were found on
// paper, the multipliers from the pivots, the right values by hand.
#include "check/entry.h"
#include "check/fit.h"
#include "check/step_check.h"
#include "frame/registry.h"
#include "scripted_host.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace quorvex {
namespace {

std::vector<std::string> linesOf(const std::string& report) {
    std::vector<std::string> lines;
    std::istringstream in(report);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

struct Exercise {
    const char* name;
    const char* order;
    const char* text;
    std::vector<std::string> lines; ///< lines the report holds, in this order
    const char* verdict;
};

void PrintTo(const Exercise& e, std::ostream* os) { *os << e.name; }

class CheckWorkExercise : public ::testing::TestWithParam<Exercise> {};

TEST_P(CheckWorkExercise, NamesTheOperationsTheSlipsAndTheFirstWrongStep) {
    const Exercise& e = GetParam();
    testing::ScriptedHost host(e.text, {e.order});
    ASSERT_EQ(host.run(*findCommand("CheckWork")), Outcome::Reported) << host.result;
    const std::vector<std::string> lines = linesOf(host.result);
    auto at = lines.begin();
    for (const std::string& expected : e.lines) {
        at = std::find(at, lines.end(), expected);
        ASSERT_NE(at, lines.end()) << expected << "\n" << host.result;
    }
    EXPECT_EQ(lines.back(), e.verdict) << host.result;
    const auto verdicts = std::count_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l == "全部步骤正确。" || l.find("步有误。") != std::string::npos;
    });
    EXPECT_EQ(verdicts, 1) << host.result;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckWorkExercise,
    ::testing::Values(
        // r3 := 2·r1 leaves the system with rank 2 instead of 3.
        Exercise{"RowReplacedByAMultipleOfAnother",
                 "3",
                 "1 1 2 9\n2 4 -3 1\n3 6 -5 0\n\n1 1 2 9\n2 4 -3 1\n2 2 4 18\n",
                 {"第3行 = 2 × 第1行", "各行的秩由 3 降为 2，丢失了方程组的信息（第3行）。",
                  "此步有错误。"},
                 "第 1 步有误。"},
        // 5/3 and 7/3 rounded to four places, then r2 divided by its pivot
        // and the last entry rounded to one place (1.39995...).
        Exercise{"DecimalsRoundedByHand",
                 "2",
                 "3 1 2\n1 2 3\n\n3 1 2\n0 1.6667 2.3334\n\n3 1 2\n0 1 1.4\n",
                 {"第2行 − 1/3 × 第1行", "此步正确。", "此步正确。"},
                 "全部步骤正确。"},
        // 2.3335 is 0.000167 from 7/3: beyond one unit of its fourth place.
        Exercise{
            "RoundingSlipBeyondOneUnit",
            "2",
            "3 1 2\n1 2 3\n\n3 1 2\n0 1.6667 2.3335\n",
            {"第2行 − 1/3 × 第1行", "第2行第3列：写的是 2.3335，应为 2.33333。", "此步有错误。"},
            "第 1 步有误。"},
        // 5 - 1/2·3 = 7/2.
        Exercise{"ExactFractionWrittenWrongly",
                 "2",
                 "2 1 3\n1 3 5\n\n2 1 3\n0 5/2 7/3\n",
                 {"第2行 − 0.5 × 第1行", "第2行第3列：写的是 7/3，应为 7/2。"},
                 "第 1 步有误。"},
        Exercise{"GaussJordanToTheIdentity",
                 "2",
                 "2 1 3\n1 3 5\n\n1 0.5 1.5\n1 3 5\n\n1 0.5 1.5\n0 2.5 3.5\n\n"
                 "1 0.5 1.5\n0 1 1.4\n\n1 0 0.8\n0 1 1.4\n\n0.8 1.4\n",
                 {"0.5 × 第1行", "第2行 − 第1行", "0.4 × 第2行", "第1行 − 0.5 × 第2行",
                  "第 5 步：解", "代入原方程组，各方程都成立。"},
                 "全部步骤正确。"},
        // x = (0.8, 1.4); 1.6 is two units of its place off, and the second
        // equation gives 0.8 + 4.8 = 5.6, beyond 0.1 + 3·0.1 of 5.
        Exercise{"WrongSolutionRow",
                 "2",
                 "2 1 3\n1 3 5\n\n2 1 3\n0 2.5 3.5\n\n0.8 1.6\n",
                 {"第2行 − 0.5 × 第1行", "此步正确。", "第 2 步：解",
                  "第2个方程不成立：左边为 5.6，右边为 5。", "x(2)：写的是 1.6，应为 1.4。"},
                 "第 2 步有误。"},
        // The slip (4 for 7/2) is carried on rightly: 0.4·4 = 1.6.
        Exercise{"LaterStepsCheckedAgainstTheWrongBlock",
                 "2",
                 "2 1 3\n1 3 5\n\n2 1 3\n0 2.5 4\n\n2 1 3\n0 1 1.6\n",
                 {"第 1 步", "第2行第3列：写的是 4，应为 3.5。", "此步有错误。", "第 2 步",
                  "0.4 × 第2行", "此步正确。"},
                 "第 1 步有误。"},
        // 2·(1, 3, 5) - (2, 1, 3) = (0, 5, 7), fractions avoided.
        Exercise{"TwoRowCombination",
                 "2",
                 "2 1 3\n1 3 5\n\n2 1 3\n0 5 7\n",
                 {"2 × 第2行 − 第1行"},
                 "全部步骤正确。"},
        // 2·(2, 1, 3) - (4, 3, 5) = (0, -1, 1): the positive term leads.
        Exercise{"CombinationLedByItsPositiveTerm",
                 "2",
                 "2 1 3\n4 3 5\n\n2 1 3\n0 -1 1\n",
                 {"2 × 第1行 − 第2行"},
                 "全部步骤正确。"},
        // 2/3 taken as 0.67: -28/3 - 0.67·5 = -12.68, but -38/3 = -12.667;
        // the other entries of row 2 and all of row 3 (+ 1/3·r1) are right
        // to two places.
        Exercise{"MultiplierRoundedTooEarly",
                 "3",
                 "3 2 -1 5\n2 -2 4 -28/3\n-1 1 -1 8/3\n\n"
                 "3 2 -1 5\n0 -3.34 4.67 -12.68\n0 1.67 -1.33 4.33\n",
                 {"第2行 − 2/3 × 第1行", "第2行第4列：写的是 -12.68，应为 -12.667。",
                  "第2行的倍数取成了 0.67，应为 2/3：倍数舍入得太早，这一行的数因此不准。",
                  "第3行 + 1/3 × 第1行", "此步有错误。"},
                 "第 1 步有误。"},
        // r2 + 7/3·r1 = (0, -3 - 56/3, 5 - 7) = (0, -65/3, -2): -20.7 is a
        // whole unit off -21.67; a fitted 621/650·r2 must not explain it.
        Exercise{"OneEntryAUnitOff",
                 "2",
                 "3 -8 -3\n-7 -3 5\n\n3 -8 -3\n0 -20.7 -2.0\n",
                 {"第2行 + 7/3 × 第1行", "第2行第2列：写的是 -20.7，应为 -21.67。",
                  "第2行第2列算错了，这一行的其余各数都与这一变换相符。", "此步有错误。"},
                 "第 1 步有误。"},
        // (1, 3, 5) - 0.5·(2, 1, 3) = (0, 2.5, 3.5): one unit of the last
        // place off is no rounding.
        Exercise{"EachEntryOneUnitLow",
                 "2",
                 "2 1 3\n1 3 5\n\n2 1 3\n0 2.4 3.4\n",
                 {"第2行 − 0.5 × 第1行", "第2行第2列：写的是 2.4，应为 2.5。",
                  "第2行第3列：写的是 3.4，应为 3.5。",
                  "第2行第2列差了末位上的 1 个单位，超出了舍入的误差。",
                  "第2行第3列差了末位上的 1 个单位，超出了舍入的误差。", "此步有错误。"},
                 "第 1 步有误。"},
        Exercise{"EachEntryOneUnitHigh",
                 "2",
                 "2 1 3\n1 3 5\n\n2 1 3\n0 2.6 3.6\n",
                 {"第2行 − 0.5 × 第1行", "第2行第2列：写的是 2.6，应为 2.5。",
                  "第2行第3列：写的是 3.6，应为 3.5。", "此步有错误。"},
                 "第 1 步有误。"},
        Exercise{"SignSlip",
                 "2",
                 "2 1 3\n1 3 5\n\n2 1 3\n0 2.5 -3.5\n",
                 {"第2行第3列：写的是 -3.5，应为 3.5。", "第2行第3列的正负号写反了。"},
                 "第 1 步有误。"},
        Exercise{"RightHandSideLeftAsItWas",
                 "2",
                 "2 1 3\n1 3 5\n\n2 1 3\n0 2.5 5\n",
                 {"第2行 − 0.5 × 第1行", "第2行第3列：写的是 5，应为 3.5。",
                  "第2行的右端项还是原来的数，变换没有用到右端项。"},
                 "第 1 步有误。"},
        Exercise{"RowMiscopied",
                 "2",
                 "2 1 3\n1 3 5\n\n2 1 4\n0 2.5 3.5\n",
                 {"第1行第3列：写的是 4，应为 3。", "第1行第3列抄错了。", "第2行 − 0.5 × 第1行"},
                 "第 1 步有误。"},
        // Row 1 took row 2's place, row 2 stayed: the system lost row 1.
        Exercise{"ExchangeHalfDone",
                 "3",
                 "0 2 1 7\n1 1 1 6\n2 1 3 13\n\n1 1 1 6\n1 1 1 6\n2 1 3 13\n",
                 {"新的第1行是原来的第2行",
                  "原来的第2行写到了第1行，原来的第1行却没有换到第2行：交换只做了一半。",
                  "各行的秩由 3 降为 2，丢失了方程组的信息（第1行）。", "此步有错误。"},
                 "第 1 步有误。"},
        // r2 - 0.5·r1 = (0, 2.5, 3.5): 2 and 1 are far from it, and no
        // operation with one multiplier fits two of the three entries.
        Exercise{"RowNoOperationExplains",
                 "2",
                 "2 1 3\n1 3 5\n\n2 1 3\n0 2 1\n",
                 {"第2行不能由上一步的各行经初等行变换得到。", "此步有错误。"},
                 "第 1 步有误。"},
        // Both steps wrong (3.5 written 4; 0.4·4 = 1.6 written 2): the first
        // is named.
        Exercise{"TwoWrongStepsNameTheFirst",
                 "2",
                 "2 1 3\n1 3 5\n\n2 1 3\n0 2.5 4\n\n2 1 3\n0 1 2\n",
                 {"第2行第3列：写的是 4，应为 3.5。", "第2行第3列：写的是 2，应为 1.6。"},
                 "第 1 步有误。"},
        // x = 1/7 = 0.1428...: 7·0.14 = 0.98 is within 7 × 0.01 of 1.
        Exercise{"SolutionMeetingALargeCoefficient",
                 "2",
                 "7 0 1\n0 1 2\n\n0.14 2\n",
                 {"x(1)=0.14", "代入原方程组，各方程都成立。", "此步正确。"},
                 "全部步骤正确。"},
        // sqr(8)/2 = sqr(2) to double precision; 1e-9 more is a slip.
        Exercise{"FunctionEntryRight",
                 "2",
                 "2 0 sqr(8)\n0 1 pi\n\n1 0 sqr(2)\n0 1 pi\n",
                 {"0.5 × 第1行", "此步正确。"},
                 "全部步骤正确。"},
        Exercise{"FunctionEntryOffInTheNinthPlace",
                 "2",
                 "2 0 sqr(8)\n0 1 pi\n\n1 0 sqr(2)+1e-9\n0 1 pi\n",
                 {"0.5 × 第1行", "此步有错误。"},
                 "第 1 步有误。"},
        // x = (1/5, 7/5). Kept to one place, 7/3 became 2.3 and 5/3 1.7; the
        // block then gives x2 = 2.3/1.7 = 1.353, and the solution follows
        // it rightly. Row 2 is divided by 1.7 (no plain multiplier).
        Exercise{
            "RoundedTooEarlyForTheSolution",
            "2",
            "3 1 2\n1 2 3\n\n3 1 2\n0 1.7 2.3\n\n3 1 2\n0 1 1.35\n\n0.22 1.35\n",
            {"第2行 − 1/3 × 第1行", "此步正确。", "第2行 ÷ 1.7", "此步正确。",
             "第2个方程不成立：左边为 2.92，右边为 3。", "x(1)：写的是 0.22，应为 0.2。",
             "x(2)：写的是 1.35，应为 1.4。",
             "第 1 步的数只保留了 1 位小数，舍入得太早：由这一步的矩阵已求不出所写位数上准确的解。",
             "此步有错误。"},
            "第 3 步有误。"},
        Exercise{"ExchangeAndEliminationInOneBlock",
                 "3",
                 "0 2 1 7\n1 1 1 6\n2 1 3 13\n\n1 1 1 6\n0 2 1 7\n0 -1 1 1\n",
                 {"交换第1行与第2行", "第3行 − 2 × 第2行"},
                 "全部步骤正确。"}),
    [](const auto& info) { return std::string(info.param.name); });

// Workings made at random, seeded: each block is worked from the block
// before as written, in exact fractions or rounded to 1 to 4 places, with
// the pivot rows chosen freely, rows scaled or not, eliminated by the
// ratio of the pivots or crosswise, a row or all rows at a time. So every
// working is right; moving one entry by 2 to 9 units of its last place
// makes exactly that step and entry wrong.
class RandomWorking {
public:
    explicit RandomWorking(std::uint32_t seed) : m_rng(seed) {}

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
    /// scaled), and a move that keeps the row in the previous block's row
    /// space, which may well be another right operation.
    std::pair<int, std::string> spoil() {
        for (int tries = 0; tries < 100; ++tries) {
            const int b = pick(0, steps() - 1), i = pick(0, m_n - 1), j = pick(0, m_n);
            if (aimedAt(b, i, j)) continue;
            auto row = m_blocks[static_cast<std::size_t>(b)][static_cast<std::size_t>(i)];
            Cell& c = row[static_cast<std::size_t>(j)];
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
            m_blocks[static_cast<std::size_t>(b)][static_cast<std::size_t>(i)] = row;
            return {b + 1, "第" + std::to_string(i + 1) + "行第" + std::to_string(j + 1) +
                               "列：写的是 " + row[static_cast<std::size_t>(j)].text + "，应为 "};
        }
        return {0, {}}; // every move stays in the row space
    }

    /// Moves passed over as still in the row space.
    int inRowSpace() const { return m_inRowSpace; }

private:
    struct Cell {
        std::string text;
        mpq_class value;
    };
    using Block = std::vector<std::vector<Cell>>;

    bool aimedAt(int b, int i, int j) const {
        const std::string& t = m_blocks[static_cast<std::size_t>(b)][static_cast<std::size_t>(i)]
                                       [static_cast<std::size_t>(j)]
                                           .text;
        return t == "0" || t == "1";
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
    static std::string rationalText(const mpq_class& q) {
        return q.get_den() == 1 ? q.get_num().get_str() : q.get_str();
    }
    Cell cell(const mpq_class& v, bool exact) const {
        if (exact || m_places == 0) return {rationalText(v), v};
        const std::string t = fixed(v, m_places);
        return {t, mpq_class(check::readEntry(t)->value)};
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
        const auto at = [&](int i, int j) -> const mpq_class& {
            return current[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)].value;
        };
        std::vector<int> candidates;
        for (int i = k; i < m_n; ++i)
            if (sgn(at(i, k)) != 0) candidates.push_back(i);
        if (candidates.empty()) return false;
        if (sgn(at(k, k)) == 0 || pick(0, 2) == 0) {
            const int p = candidates[static_cast<std::size_t>(
                pick(0, static_cast<int>(candidates.size()) - 1))];
            if (p != k) {
                std::swap(current[static_cast<std::size_t>(p)],
                          current[static_cast<std::size_t>(k)]);
                m_blocks.push_back(current);
            }
        }
        if (at(k, k) != 1 && pick(0, 2) == 0) {
            const mpq_class pivot = at(k, k);
            auto& row = current[static_cast<std::size_t>(k)];
            for (int j = 0; j <= m_n; ++j)
                row[static_cast<std::size_t>(j)] =
                    j == k ? Cell{"1", 1}
                           : cell(row[static_cast<std::size_t>(j)].value / pivot, false);
            m_blocks.push_back(current);
        }
        const bool oneBlock = pick(0, 1) == 0;
        bool pending = false;
        for (int i = k + 1; i < m_n; ++i) {
            if (sgn(at(i, k)) == 0) continue;
            const mpq_class p = at(k, k), q = at(i, k);
            const bool crosswise = p.get_den() == 1 && q.get_den() == 1 && pick(0, 1) == 0;
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
            current[static_cast<std::size_t>(i)] = std::move(row);
            pending = true;
            if (!oneBlock) {
                m_blocks.push_back(current);
                pending = false;
            }
        }
        if (pending) m_blocks.push_back(current);
        return true;
    }

    std::mt19937 m_rng;
    int m_n = 0;
    int m_places = 0;
    Block m_system;
    std::vector<Block> m_blocks;
    int m_inRowSpace = 0;
};

std::string verdictOf(int n, const std::string& text, std::string* report = nullptr) {
    testing::ScriptedHost host(text, {std::to_string(n)});
    host.run(*findCommand("CheckWork"));
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

TEST(CheckWorkGenerated, RightWorkingsPassAndOneMovedEntryIsNamed) {
    RandomWorking w(20261207);
    int right = 0, wrong = 0;
    for (int tries = 0; right < 400 && tries < 4000; ++tries) {
        if (!w.make()) continue;
        ASSERT_EQ(verdictOf(w.order(), w.text()), "全部步骤正确。") << w.text();
        ++right;
        const std::string original = w.text();
        const auto [step, line] = w.spoil();
        if (step == 0) continue;
        std::string report;
        ASSERT_EQ(verdictOf(w.order(), w.text(), &report),
                  "第 " + std::to_string(step) + " 步有误。")
            << original << w.text() << report;
        const auto section = sectionOf(report, step);
        const auto named = std::find_if(section.begin(), section.end(), [](const std::string& l) {
            return l.find("：写的是 ") != std::string::npos;
        });
        ASSERT_NE(named, section.end()) << w.text() << report;
        EXPECT_TRUE(named->starts_with(line)) << line << "\n" << w.text() << report;
        ++wrong;
    }
    EXPECT_EQ(right, 400);
    // Only a working whose every move stays in the row space goes unspoilt.
    EXPECT_GE(wrong, 390);
    RecordProperty("wrongWorkings", wrong);
    RecordProperty("movesPassedOverInRowSpace", w.inRowSpace());
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

TEST(CheckWorkLimits, OrderAndDigitsBeyondTheLimitsStopWithAMessage) {
    testing::ScriptedHost large("1 2\n\n1 2\n", {"13"});
    EXPECT_EQ(large.run(*findCommand("CheckWork")), Outcome::Failed);
    EXPECT_EQ(large.messages,
              std::vector<std::string>{"核对解题步骤最多核对 12 阶的方程组，输入的阶数是 13。"});
    // 10^400 + 1 is exact however long: halved, it is not (10^400 + 3)/2.
    const std::string big = "1" + std::string(399, '0') + "1";
    const std::string near = "1" + std::string(399, '0') + "3";
    EXPECT_EQ(verdictOf(1, "2 " + big + "\n\n1 " + big + "/2\n"), "全部步骤正确。");
    EXPECT_EQ(verdictOf(1, "2 " + big + "\n\n1 " + near + "/2\n"), "第 1 步有误。");
    testing::ScriptedHost longer("1 " + std::string(10001, '7') + "\n\n1 2\n", {"1"});
    EXPECT_EQ(longer.run(*findCommand("CheckWork")), Outcome::Failed);
    EXPECT_EQ(longer.messages, std::vector<std::string>{
                                   "方程组第 1 行第 2 列的数超过了 10000 位数字，不能精确核对。"});
}

struct Misshapen {
    const char* name;
    const char* text;
    const char* message;
};

void PrintTo(const Misshapen& m, std::ostream* os) { *os << m.name; }

class CheckWorkShape : public ::testing::TestWithParam<Misshapen> {};

TEST_P(CheckWorkShape, StopsWithAMessageSayingWhatIsWrong) {
    testing::ScriptedHost host(GetParam().text, {"2"});
    EXPECT_EQ(host.run(*findCommand("CheckWork")), Outcome::Failed);
    EXPECT_EQ(host.messages, std::vector<std::string>{GetParam().message});
    EXPECT_EQ(host.result, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckWorkShape,
    ::testing::Values(
        Misshapen{"NoStepBlock", "2 1 3\n1 3 5\n",
                  "编辑区中只有方程组，没有要核对的步骤。请在方程组下面空一行，依次写出各步的矩阵，"
                  "矩阵之间也空一行。"},
        Misshapen{"SystemShortOfRows", "2 1 3\n\n2 1 3\n0 1 3\n",
                  "方程组应有 2 行，编辑区的第一块有 1 行。"},
        Misshapen{"StepShortOfRows", "2 1 3\n1 3 5\n\n2 1 3\n",
                  "第 1 步的矩阵应有 2 行，写出的有 1 行。"},
        Misshapen{"StepRowShortOfNumbers", "2 1 3\n1 3 5\n\n2 1 3\n0 2.5\n",
                  "第 1 步的矩阵第 2 行应有 3 个数，写出的有 2 个。"},
        Misshapen{"SecondStepRowWithTooMany",
                  "2 1 3\n1 3 5\n\n2 1 3\r\n0 2.5 3.5\r\n\r\n\r\n2 1 3 4\r\n0 1 1.4\r\n",
                  "第 2 步的矩阵第 1 行应有 3 个数，写出的有 4 个。"},
        Misshapen{"EntryNotFinite", "2 1 3\n1 3 5\n\n2 1 3\n0 1/0 3\n",
                  "第 1 步的矩阵第 2 行第 2 列的数“1/0”不是有限的数。"}),
    [](const auto& info) { return std::string(info.param.name); });

struct SimplestCase {
    const char* name;
    mpq_class lo, hi;
    bool nonZero;
    mpq_class simplest;
};

void PrintTo(const SimplestCase& c, std::ostream* os) { *os << c.name; }

class Simplest : public ::testing::TestWithParam<SimplestCase> {};

// The multiplier shown is the simplest number the rounding allows.
TEST_P(Simplest, RationalInAnInterval) {
    const SimplestCase& c = GetParam();
    const check::Interval r{c.lo, c.hi};
    EXPECT_EQ(c.nonZero ? check::simplestNonZeroIn(r).value() : check::simplestIn(r), c.simplest);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Simplest,
    ::testing::Values(
        SimplestCase{"OneThirdFromFourPlaces", {3333, 10000}, {3334, 10000}, false, {1, 3}},
        SimplestCase{"TwoThirdsBetweenTenths", {6, 10}, {7, 10}, false, {2, 3}},
        SimplestCase{"AHalfFromFivePlaces", {49999, 100000}, {50001, 100000}, false, {1, 2}},
        SimplestCase{"NegativeInteger", {-22, 10}, {-19, 10}, false, -2},
        SimplestCase{"APoint", {-7, 2}, {-7, 2}, false, {-7, 2}},
        SimplestCase{"ZeroWhenInside", {-1, 2}, {1, 2}, false, 0},
        SimplestCase{"NonZeroTakesTheSimplerSide", {-1, 4}, {1, 10}, true, {-1, 4}},
        SimplestCase{"NonZeroOneWhenWide", {0}, {5, 2}, true, 1}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quorvex
