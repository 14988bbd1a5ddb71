#include "steps/steps.h"

#include "numerics/arithmetic.h"
#include "reading/number_text.h"
#include "texts/fill.h"
#include "texts/steps_texts.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <type_traits>

namespace quorvex::steps {

namespace texts = quorvex::texts::steps;

bool open(Report& r, const ReportSettings& settings, int n, Reach reach) {
    if (!settings.stepsShown()) return false;
    if (reach == Reach::AnyOrder) {
        // A table of sweeps stays readable at any order with two columns.
        r.heading(texts::kHeading);
        if (n > kMaxStepsOrder) say(r, texts::kFewComponents, kMaxStepsOrder).newline();
        return true;
    }
    // The section stands apart by a blank line, also after a line of
    // numbers the report has not ended yet.
    if (!r.atLineStart()) r.newline();
    if (n > kMaxStepsOrder) {
        say(r.newline(), texts::kTooLarge, kMaxStepsOrder).newline();
        return false;
    }
    r.heading(texts::kHeading);
    return true;
}

namespace {

template <class T> Report& writeOperand(Report& r, const T& v, NumberStyle style) {
    if (!(v < 0.0)) return r.number(v, style);
    return say(r, texts::kBracketed, number(v, style));
}

template <class T> bool isFraction(const T& v) {
    if constexpr (std::is_same_v<T, Rational>) return v.get_den() != 1;
    else return false;
}

template <class T> Report& writeDivisor(Report& r, const T& v, NumberStyle style) {
    if (!(v < 0.0) && !isFraction(v)) return r.number(v, style);
    return say(r, texts::kBracketed, number(v, style));
}

} // namespace

Report& operand(Report& r, double v, NumberStyle style) { return writeOperand(r, v, style); }
Report& operand(Report& r, const Rational& v, NumberStyle style) {
    return writeOperand(r, v, style);
}

Report& divisor(Report& r, double v, NumberStyle style) { return writeDivisor(r, v, style); }
Report& divisor(Report& r, const Rational& v, NumberStyle style) {
    return writeDivisor(r, v, style);
}

int decimalsAsUsed(double v, double weight, int least, int held) {
    constexpr int kMost = 20;
    if (!std::isfinite(v) || !std::isfinite(weight)) return least;
    const double budget = 0.1 * std::pow(10.0, -held);
    for (int p = least; p < kMost; ++p)
        if (std::fabs(v - roundTo(v, p)) * weight <= budget) return p;
    return std::max(least, kMost);
}

namespace {

/// The most decimals a check's sums are written with.
constexpr int kMostCheckDecimals = 15;

/// Where a number stands in a line: as a result, as a term, or as a factor
/// after "×".
enum class Place { Result, Term, Factor };

/// The text of one number as a report piece writes it.
template <class T> std::string textOf(const T& v, NumberStyle style, Place place) {
    Report r;
    if (place == Place::Factor) divisor(r, v, style);
    else if (place == Place::Term) operand(r, v, style);
    else r.number(v, style);
    return r.plainText();
}

} // namespace

template <class T>
void writeSubstitutionCheck(Report& r, const BasicMatrix<T>& B, const BasicVector<T>& x, int n,
                            int decimals) {
    const bool exact = std::is_same_v<T, Rational>;
    BasicVector<T> shown(n);
    // The sums hold no more decimals than the typed numbers and the shown
    // solution together: rounded to those, they are what a hand gets.
    int places = decimals;
    for (int j = 1; j <= n; ++j) {
        shown(j) = roundTo(x(j), decimals);
        if constexpr (std::is_same_v<T, double>)
            if (!std::isfinite(shown(j))) return;
    }
    if constexpr (std::is_same_v<T, double>) {
        int typed = 0;
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n + 1; ++j)
                while (typed < kMostCheckDecimals && roundTo(B(i, j), typed) != B(i, j)) ++typed;
        places = std::min(decimals + typed, kMostCheckDecimals);
    }
    const NumberStyle style = NumberStyle::rounded(places);
    r.text(exact ? texts::kCheckHeading : texts::kCheckRoundedHeading).newline();
    for (int i = 1; i <= n; ++i) {
        std::string left;
        T sum = 0.0;
        for (int j = 1; j <= n; ++j) {
            if (j > 1) left += texts::kPlus;
            left += textOf<T>(B(i, j), NumberStyle::plain(), Place::Term) +
                    std::string(texts::kTimes) + textOf(shown(j), style, Place::Factor);
            sum = sum + B(i, j) * shown(j);
        }
        sum = roundTo(sum, places);
        const T residual = roundTo(B(i, n + 1) - sum, places);
        r.text(fillText(texts::kCheckEquation,
                        {std::to_string(i), left, textOf(sum, style, Place::Result),
                         textOf<T>(B(i, n + 1), NumberStyle::plain(), Place::Result),
                         textOf(sum, style, Place::Term), textOf(residual, style, Place::Result)}))
            .newline();
    }
}

template void writeSubstitutionCheck(Report&, const Matrix&, const Vector&, int, int);
template void writeSubstitutionCheck(Report&, const RationalMatrix&, const RationalVector&, int,
                                     int);

Report& entry(Report& r, std::string_view name, int i, int j) {
    return say(r, texts::kEntry, name, i, j);
}

} // namespace quorvex::steps
