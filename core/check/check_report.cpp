#include "check/check_report.h"

#include "base/rational.h"
#include "check/row_fit.h"
#include "check/value_text.h"
#include "reading/number_text.h"
#include "texts/check_texts.h"
#include "texts/sentence.h"

#include <algorithm>

namespace quorvex::check {

namespace T = texts::check;

namespace {

using T::fill;

std::string number(std::size_t k) { return std::to_string(k); }
std::string rowName(int row) { return fill(T::kRow, {number(static_cast<std::size_t>(row) + 1)}); }

/// A multiplier as a student writes it: a fraction with a small
/// denominator as a fraction (7/8 beside 1/3), a decimal of one place as
/// itself (0.5).
std::string multiplierText(const mpq_class& c, int decimals) {
    if (c.get_den() > 10 || c.get_den() == 2 || c.get_den() == 5 || c.get_den() == 10)
        return valueText(c, decimals);
    return rationalText(c);
}

std::string termText(const Term& t, bool first, int decimals) {
    mpq_class c = t.coefficient;
    std::string s;
    if (!first) {
        s = sgn(c) < 0 ? T::kMinus : T::kPlus;
        c = abs(c);
    }
    if (c == 1) return s + rowName(t.row);
    if (c == -1) return s + "-" + rowName(t.row);
    return s + multiplierText(c, decimals) + std::string(T::kTimes) + rowName(t.row);
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
        return fill(T::kExchange, {number(static_cast<std::size_t>(row) + 1),
                                   number(static_cast<std::size_t>(*other) + 1)});
    }
    const Combination& c = f.combination;
    if (c.size() == 1 && c[0].coefficient == 1)
        return fill(T::kCopiedFrom, {number(static_cast<std::size_t>(row) + 1),
                                     number(static_cast<std::size_t>(c[0].row) + 1)});
    // A row divided by an entry that is no plain multiplier: by the entry as typed.
    if (c.size() == 1 && c[0].row == row && !c[0].divisor.empty() && !isPlain(c[0].coefficient, 1))
        return fill(T::kDivided, {number(static_cast<std::size_t>(row) + 1),
                                  number(static_cast<std::size_t>(row) + 1), c[0].divisor});
    return operationText(c, row, decimals);
}

/// The line saying an exchange was half done: this row is a copy of another
/// row, which kept its place.
std::optional<std::string> halfExchangeLine(const StepFinding& step, int row) {
    const RowFinding& f = step.rows[static_cast<std::size_t>(row)];
    if (f.combination.size() != 1 || f.combination[0].coefficient != 1) return std::nullopt;
    const int other = f.combination[0].row;
    if (other == row || !isCopyOf(step.rows[static_cast<std::size_t>(other)], other))
        return std::nullopt;
    const std::string from = number(static_cast<std::size_t>(other) + 1);
    const std::string to = number(static_cast<std::size_t>(row) + 1);
    return fill(T::kExchangeHalfDone, {from, to, to, from});
}

/// The line naming why an entry differs, in plain words.
std::string causeLine(const WrongEntry& w, const Entry& e, const std::string& row,
                      std::size_t width) {
    const std::string column = number(static_cast<std::size_t>(w.column) + 1);
    switch (w.cause) {
    case Cause::BeyondRounding:
        return fill(T::kBeyondRounding,
                    {row, column, decimalText(abs(e.value - w.expected) / e.tolerance, 1)});
    case Cause::Sign: return fill(T::kSignSlip, {row, column});
    case Cause::Miscopied: return fill(T::kMiscopied, {row, column});
    case Cause::NotCarried:
        if (static_cast<std::size_t>(w.column) + 1 == width)
            return fill(T::kRightHandSideNotCarried, {row});
        return fill(T::kNotCarried, {row, column});
    case Cause::RoundedMultiplier:
    case Cause::Arithmetic: break;
    }
    return fill(T::kArithmeticSlip, {row, column});
}

std::string rankLine(const StepFinding& step) {
    const std::string before = number(static_cast<std::size_t>(step.rankBefore));
    const std::string after = number(static_cast<std::size_t>(*step.rankAfter));
    if (step.lostRows.empty()) return fill(T::kRankFalls, {before, after});
    std::string rows;
    for (int row : step.lostRows) {
        if (!rows.empty()) rows += T::kListSeparator;
        rows += rowName(row);
    }
    return fill(T::kRankFallsAt, {before, after, rows});
}

/// The line saying which rows took several operations at once, and why
/// the step is right all the same.
std::string severalOperationsLine(const StepFinding& step, const EntryMatrix& after) {
    std::string rows;
    for (std::size_t i = 0; i < step.rows.size(); ++i) {
        if (step.rows[i].kind != RowFinding::Kind::Combined) continue;
        if (!rows.empty()) rows += T::kListSeparator;
        rows += fill(T::kNewRow, {number(i + 1)});
    }
    bool exact = true;
    for (const EntryRow& row : after)
        for (const Entry& e : row) exact = exact && e.written == Written::Exact;
    return fill(exact ? T::kSeveralOperations : T::kSeveralOperationsRounded, {rows});
}

void writeRowLines(Report& r, const StepFinding& step, const EntryMatrix& after, int row,
                   int decimals, bool& anyLine) {
    const RowFinding& f = step.rows[static_cast<std::size_t>(row)];
    const auto line = [&](const std::string& s) {
        r.text(s).newline();
        anyLine = true;
    };
    const std::string rowNumber = number(static_cast<std::size_t>(row) + 1);
    if (f.kind == RowFinding::Kind::Unexplained) return line(fill(T::kUnexplained, {rowNumber}));
    if (const auto op = operationLine(step, row, decimals)) line(*op);
    if (const auto half = halfExchangeLine(step, row)) line(*half);
    const EntryRow& written = after[static_cast<std::size_t>(row)];
    for (const WrongEntry& w : f.wrong) {
        const Entry& e = written[static_cast<std::size_t>(w.column)];
        line(fill(T::kWrongEntry, {rowNumber, number(static_cast<std::size_t>(w.column) + 1),
                                   e.text, expectedText(e, w.expected, decimals)}));
    }
    if (f.roundedMultiplier) {
        line(fill(T::kRoundedMultiplier, {rowNumber, decimalText(*f.roundedMultiplier, 4),
                                          multiplierText(f.exactMultiplier, decimals)}));
    } else {
        for (const WrongEntry& w : f.wrong)
            line(causeLine(w, written[static_cast<std::size_t>(w.column)], rowNumber,
                           written.size()));
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
        r.text(fill(T::kEquationFails,
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
    // A combination starts from a positive term where it has one, as it is
    // written by hand: "2 × 第 1 行 − 第 2 行", not "-第 2 行 + 2 × 第 1 行".
    const auto positive = std::find_if(terms.begin(), terms.end(),
                                       [](const Term& t) { return sgn(t.coefficient) > 0; });
    if (positive != terms.end()) std::rotate(terms.begin(), positive, positive + 1);
    std::string s = terms.empty() ? std::string(T::kZero) : std::string();
    for (std::size_t k = 0; k < terms.size(); ++k) s += termText(terms[k], k == 0, decimals);
    return fill(T::kNewRowIs, {number(static_cast<std::size_t>(row) + 1), s});
}

bool writeStep(Report& r, int k, const StepFinding& step, const EntryMatrix& after, int decimals) {
    r.heading(fill(T::kStepHeading, {number(static_cast<std::size_t>(k))}));
    bool anyLine = false;
    for (int row = 0; row < static_cast<int>(step.rows.size()); ++row)
        writeRowLines(r, step, after, row, decimals, anyLine);
    if (!anyLine) r.text(T::kNothingChanged).newline();
    if (step.rankAfter && *step.rankAfter < step.rankBefore) r.text(rankLine(step)).newline();
    const bool right = step.right();
    if (right && step.combinesOperations()) r.text(severalOperationsLine(step, after)).newline();
    r.text(right ? T::kStepRight : T::kStepWrong).newline();
    return right;
}

namespace {

/// The fewest decimal places among the block's decimal entries, or nothing
/// when it holds none.
std::optional<int> fewestPlaces(const EntryMatrix& block) {
    std::optional<int> fewest;
    for (const EntryRow& row : block)
        for (const Entry& e : row)
            if (e.written == Written::Decimal && (!fewest || e.decimals < *fewest))
                fewest = e.decimals;
    return fewest;
}

/// The first step whose block, solved exactly, no longer gives the solution
/// to the places the unknowns were written with, and the places its numbers
/// were kept to: where rounding too early spoilt a solution worked out
/// rightly from the blocks.
std::optional<std::pair<int, int>>
roundedTooEarly(const Row& exact, const std::vector<EntryMatrix>& steps, const EntryRow& x) {
    for (std::size_t k = 0; k < steps.size(); ++k) {
        const auto y = uniqueSolution(valuesOf(steps[k]));
        if (!y) return std::nullopt;
        bool off = false;
        for (std::size_t j = 0; j < x.size(); ++j)
            off = off || abs((*y)[j] - exact[j]) > x[j].tolerance;
        if (!off) continue;
        const auto places = fewestPlaces(steps[k]);
        if (!places) return std::nullopt;
        return std::pair(static_cast<int>(k) + 1, *places);
    }
    return std::nullopt;
}

} // namespace

bool writeSolution(Report& r, int k, const EntryMatrix& system, const EntryRow& x, int decimals,
                   const std::vector<EntryMatrix>& rightSteps) {
    r.heading(fill(T::kSolutionHeading, {number(static_cast<std::size_t>(k))}));
    for (std::size_t j = 0; j < x.size(); ++j)
        writeSentence(r, T::kUnknownValue, {static_cast<long long>(j) + 1, x[j].text}).newline();
    bool right = substitute(r, system, x, decimals);
    // Small residuals need not mean close unknowns; where the system fixes
    // the solution, each unknown must also agree with it.
    if (const auto exact = uniqueSolution(valuesOf(system))) {
        for (std::size_t j = 0; j < x.size(); ++j) {
            if (agrees(x[j], (*exact)[j])) continue;
            right = false;
            r.text(fill(T::kUnknownWrong,
                        {number(j + 1), x[j].text, expectedText(x[j], (*exact)[j], decimals)}))
                .newline();
        }
        if (!right && !rightSteps.empty())
            if (const auto early = roundedTooEarly(*exact, rightSteps, x))
                r.text(fill(T::kEarlyRounding, {number(static_cast<std::size_t>(early->first)),
                                                number(static_cast<std::size_t>(early->second))}))
                    .newline();
    }
    if (right) r.text(T::kEquationsHold).newline();
    r.text(right ? T::kStepRight : T::kStepWrong).newline();
    return right;
}

void writeUnchecked(Report& r, int k, bool solution) {
    r.heading(fill(solution ? T::kSolutionHeading : T::kStepHeading,
                   {number(static_cast<std::size_t>(k))}));
    r.text(T::kStepUnchecked).newline();
}

std::string unheldNotice(const UnheldEntry& u) {
    const std::string reading = numberText(u.entry->decimalReading);
    if (u.block == 0)
        return fill(T::kSystemUnheld, {number(u.row), number(u.column), u.entry->text, reading});
    return fill(T::kStepUnheld,
                {number(u.block), number(u.row), number(u.column), u.entry->text, reading});
}

std::string verdict(int firstWrong, const std::vector<int>& unchecked, int steps) {
    if (firstWrong > 0)
        return fill(T::kStepWrongVerdict, {number(static_cast<std::size_t>(firstWrong))});
    if (unchecked.empty()) return std::string(T::kAllRight);
    if (static_cast<int>(unchecked.size()) == steps) return std::string(T::kNothingChecked);
    std::string list;
    for (int k : unchecked) {
        if (!list.empty()) list += T::kListSeparator;
        list += fill(T::kStepName, {number(static_cast<std::size_t>(k))});
    }
    return fill(T::kUncheckedVerdict, {list});
}

} // namespace quorvex::check
