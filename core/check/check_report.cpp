#include "check/check_report.h"

#include "check/check_texts.h"
#include "check/value_text.h"

#include <algorithm>

namespace quorvex::check {

namespace {

using texts::fill;

std::string number(std::size_t k) { return std::to_string(k); }
std::string rowName(int row) {
    return fill(texts::kRow, {number(static_cast<std::size_t>(row) + 1)});
}

std::string termText(const Term& t, bool first, int decimals) {
    mpq_class c = t.coefficient;
    std::string s;
    if (!first) {
        s = sgn(c) < 0 ? texts::kMinus : texts::kPlus;
        c = abs(c);
    }
    if (c == 1) return s + rowName(t.row);
    if (c == -1) return s + "-" + rowName(t.row);
    return s + valueText(c, decimals) + std::string(texts::kTimes) + rowName(t.row);
}

bool isCopyOf(const RowFinding& f, int row) {
    return f.combination.size() == 1 && f.combination[0].row == row &&
           f.combination[0].coefficient == 1;
}

/// The row this row was copied from, when the two changed places.
std::optional<int> exchangedWith(const StepFinding& step, int row) {
    const RowFinding& f = step.rows[static_cast<std::size_t>(row)];
    if (f.combination.size() != 1 || f.combination[0].coefficient != 1) return std::nullopt;
    const int other = f.combination[0].row;
    if (other == row || !isCopyOf(step.rows[static_cast<std::size_t>(other)], row))
        return std::nullopt;
    return other;
}

/// The line naming what happened to the row, or nothing when it was kept or
/// takes part in an exchange named at the other row.
std::optional<std::string> operationLine(const StepFinding& step, int row, int decimals) {
    const RowFinding& f = step.rows[static_cast<std::size_t>(row)];
    if (isCopyOf(f, row)) return std::nullopt;
    if (const auto other = exchangedWith(step, row)) {
        if (*other < row) return std::nullopt;
        return fill(texts::kExchange, {number(static_cast<std::size_t>(row) + 1),
                                       number(static_cast<std::size_t>(*other) + 1)});
    }
    return operationText(f.combination, row, decimals);
}

std::string rankLine(const StepFinding& step) {
    std::string line = fill(texts::kRankFalls, {number(static_cast<std::size_t>(step.rankBefore)),
                                                number(static_cast<std::size_t>(*step.rankAfter))});
    if (!step.lostRows.empty()) {
        std::string rows;
        for (int row : step.lostRows) {
            if (!rows.empty()) rows += texts::kListSeparator;
            rows += rowName(row);
        }
        line += fill(texts::kRankFallsAt, {rows});
    }
    return line + std::string(texts::kFullStop);
}

void writeRowLines(Report& r, const StepFinding& step, const EntryMatrix& after, int row,
                   int decimals, bool& anyLine) {
    const RowFinding& f = step.rows[static_cast<std::size_t>(row)];
    const auto line = [&](const std::string& s) {
        r.text(s).newline();
        anyLine = true;
    };
    const std::string rowNumber = number(static_cast<std::size_t>(row) + 1);
    if (f.kind == RowFinding::Kind::Unexplained)
        return line(fill(texts::kUnexplained, {rowNumber}));
    if (const auto op = operationLine(step, row, decimals)) line(*op);
    if (f.kind == RowFinding::Kind::OneWrongEntry) {
        const Entry& e = after[static_cast<std::size_t>(row)][static_cast<std::size_t>(f.column)];
        line(fill(texts::kWrongEntry, {rowNumber, number(static_cast<std::size_t>(f.column) + 1),
                                       e.text, expectedText(e, f.expected, decimals)}));
    }
}

/// Substitutes the unknowns into each equation and names those whose two
/// sides differ by more than the unknowns' tolerances allow.
bool substitute(Report& r, const EntryMatrix& system, const EntryRow& x, int decimals) {
    const auto own = [](const Entry& e) { return e.written == Written::Inexact ? e.tolerance : 0; };
    bool right = true;
    for (std::size_t i = 0; i < system.size(); ++i) {
        mpq_class left, tolerance = own(system[i][x.size()]);
        for (std::size_t j = 0; j < x.size(); ++j) {
            const Entry& a = system[i][j];
            left += a.value * x[j].value;
            tolerance += abs(a.value) * x[j].tolerance + own(a) * abs(x[j].value);
        }
        const mpq_class& b = system[i][x.size()].value;
        if (abs(left - b) <= tolerance) continue;
        right = false;
        r.text(fill(texts::kEquationFails,
                    {number(i + 1), valueText(left, decimals), valueText(b, decimals)}))
            .newline();
    }
    return right;
}

} // namespace

std::string operationText(const Combination& c, int row, int decimals) {
    Combination terms = c;
    // The row's own previous row leads, the others follow in row order.
    std::stable_sort(terms.begin(), terms.end(), [row](const Term& a, const Term& b) {
        if ((a.row == row) != (b.row == row)) return a.row == row;
        return a.row < b.row;
    });
    const bool keepsOwn = !terms.empty() && terms[0].row == row;
    std::string s = keepsOwn ? std::string() : rowName(row) + std::string(texts::kIs);
    if (terms.empty()) return s + std::string(texts::kZero);
    for (std::size_t k = 0; k < terms.size(); ++k) s += termText(terms[k], k == 0, decimals);
    return s;
}

bool writeStep(Report& r, int k, const StepFinding& step, const EntryMatrix& after, int decimals) {
    r.heading(fill(texts::kStepHeading, {number(static_cast<std::size_t>(k))}));
    bool anyLine = false;
    for (int row = 0; row < static_cast<int>(step.rows.size()); ++row)
        writeRowLines(r, step, after, row, decimals, anyLine);
    if (!anyLine) r.text(texts::kNothingChanged).newline();
    if (step.rankAfter && *step.rankAfter < step.rankBefore) r.text(rankLine(step)).newline();
    const bool right = step.right();
    r.text(right ? texts::kStepRight : texts::kStepWrong).newline();
    return right;
}

bool writeSolution(Report& r, int k, const EntryMatrix& system, const EntryRow& x, int decimals) {
    r.heading(fill(texts::kSolutionHeading, {number(static_cast<std::size_t>(k))}));
    for (std::size_t j = 0; j < x.size(); ++j)
        r.text("x(").integer(static_cast<long long>(j) + 1).text(")=").text(x[j].text).newline();
    bool right = substitute(r, system, x, decimals);
    // Small residuals need not mean close unknowns; where the system fixes
    // the solution, each unknown must also agree with it.
    if (const auto exact = uniqueSolution(valuesOf(system))) {
        for (std::size_t j = 0; j < x.size(); ++j) {
            if (agrees(x[j], (*exact)[j])) continue;
            right = false;
            r.text(fill(texts::kUnknownWrong,
                        {number(j + 1), x[j].text, expectedText(x[j], (*exact)[j], decimals)}))
                .newline();
        }
    }
    if (right) r.text(texts::kEquationsHold).newline();
    r.text(right ? texts::kStepRight : texts::kStepWrong).newline();
    return right;
}

} // namespace quorvex::check
