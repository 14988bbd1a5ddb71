#include "steps/decomposition_steps.h"

#include "exact/rational.h"
#include "steps/steps.h"
#include "texts/fill.h"
#include "texts/steps_texts.h"

#include <cmath>
#include <type_traits>
#include <utility>
#include <vector>

namespace quorvex::steps {

namespace texts = quorvex::texts::steps;

template <class T> void DecompositionRecorder<T>::stageBegun(int k) {
    if (!m_stopped) m_events.emplace_back(StageMark{k});
}

template <class T> void DecompositionRecorder<T>::pivotChosen(int k, int row) {
    if (!m_stopped) m_events.emplace_back(PivotMark{k, row});
}

template <class T> void DecompositionRecorder<T>::entryDone(FactorEntry<T> entry) {
    if (m_stopped) return;
    m_stopped = entry.stop != EntryStop::None;
    m_events.emplace_back(std::move(entry));
}

namespace {

/// How much of an entry's formula is written in numbers: none (the names),
/// every factor of every term, or the sum of the terms.
enum class Spelling { Names, Terms, Sum };

template <class T> Report& name(Report& r, const NamedValue<T>& v) {
    const std::string_view letter(&v.name, 1);
    if (v.j != 0) return entry(r, letter, v.i, v.j);
    return say(r, texts::kElement, letter, v.i);
}

template <class T>
Report& spell(Report& r, const NamedValue<T>& v, Spelling how, NumberStyle style) {
    return how == Spelling::Names ? name(r, v) : operand(r, v.value, style);
}

/// A divisor, or a factor after "×": a fraction in parentheses too.
template <class T>
Report& spellDivisor(Report& r, const NamedValue<T>& v, Spelling how, NumberStyle style) {
    return how == Spelling::Names ? name(r, v) : divisor(r, v.value, style);
}

/// The style of every number an entry's line writes. A decimal value is
/// used unrounded, so each is written with the decimals that keep the hand
/// result of the line within a tenth of a unit of the value's last place.
struct EntryStyles {
    NumberStyle base;
    NumberStyle divisor;
    NumberStyle sum;
    NumberStyle radicand;
    std::vector<std::vector<NumberStyle>> factors;
};

template <class T> EntryStyles stylesFor(const FactorEntry<T>& e, NumberStyle style) {
    EntryStyles st{style, style, style, style, {}};
    for (const auto& term : e.terms) st.factors.emplace_back(term.size(), style);
    if constexpr (std::is_same_v<T, double>) {
        // How far the entry's value moves per unit of each number, shared
        // out among all the numbers of the line.
        const bool divided = e.form == EntryForm::Quotient || e.form == EntryForm::QuotientFirst;
        const double q = divided ? std::fabs(e.divisor.value) : 1.0;
        double scale = divided ? 1.0 / q : 1.0;
        if (e.form == EntryForm::Root && e.radicand > 0.0) scale = 0.5 / std::sqrt(e.radicand);
        const double termScale = e.form == EntryForm::QuotientFirst ? 1.0 : scale;
        int count = divided ? 2 : 1;
        for (const auto& term : e.terms) count += static_cast<int>(term.size());
        const auto asUsed = [&](double v, double weight) {
            return NumberStyle::rounded(
                decimalsAsUsed(v, weight * count, style.decimals, style.decimals));
        };
        st.base = asUsed(e.base.value, scale);
        if (divided) {
            const double dividend =
                e.form == EntryForm::Quotient ? e.base.value - e.sum : e.base.value;
            st.divisor = asUsed(e.divisor.value, std::fabs(dividend) / (q * q));
        }
        st.sum = asUsed(e.sum, termScale);
        if (e.form == EntryForm::Root) st.radicand = asUsed(e.radicand, scale);
        for (std::size_t t = 0; t < e.terms.size(); ++t)
            for (std::size_t f = 0; f < e.terms[t].size(); ++f) {
                double others = termScale;
                for (std::size_t g = 0; g < e.terms[t].size(); ++g)
                    if (g != f) others *= std::fabs(e.terms[t][g].value);
                st.factors[t][f] = asUsed(e.terms[t][f].value, others);
            }
    }
    return st;
}

/// The subtracted part: one term as it is, several in parentheses.
template <class T>
void writeSum(Report& r, const FactorEntry<T>& e, Spelling how, const EntryStyles& st) {
    if (how == Spelling::Sum) {
        operand(r, e.sum, st.sum);
        return;
    }
    const bool several = e.terms.size() > 1;
    if (several) r.text("(");
    for (std::size_t t = 0; t < e.terms.size(); ++t) {
        if (t > 0) r.text(texts::kPlus);
        for (std::size_t f = 0; f < e.terms[t].size(); ++f) {
            if (f > 0) spellDivisor(r.text(texts::kTimes), e.terms[t][f], how, st.factors[t][f]);
            else spell(r, e.terms[t][f], how, st.factors[t][f]);
        }
    }
    if (several) r.text(")");
}

/// base − sum, or the base alone when there is nothing to subtract.
template <class T>
void writeDifference(Report& r, const FactorEntry<T>& e, Spelling how, const EntryStyles& st) {
    spell(r, e.base, how, st.base);
    if (e.terms.empty()) return;
    r.text(texts::kMinus);
    writeSum(r, e, how, st);
}

/// The right-hand side of the entry's formula, in the spelling asked for.
template <class T>
void writeForm(Report& r, const FactorEntry<T>& e, Spelling how, const EntryStyles& st) {
    const bool bracketed = !e.terms.empty();
    switch (e.form) {
    case EntryForm::Difference: writeDifference(r, e, how, st); break;
    case EntryForm::Root:
        say(r, texts::kRoot, [&](Report& to) {
            // A lone number under the root needs no parentheses of its own.
            if (!bracketed && how != Spelling::Names) to.number(e.base.value, st.base);
            else writeDifference(to, e, how, st);
        });
        break;
    case EntryForm::Quotient:
        if (bracketed) r.text("(");
        writeDifference(r, e, how, st);
        if (bracketed) r.text(")");
        spellDivisor(r.text(texts::kDivide), e.divisor, how, st.divisor);
        break;
    case EntryForm::QuotientFirst:
        spell(r, e.base, how, st.base).text(texts::kDivide);
        spellDivisor(r, e.divisor, how, st.divisor);
        if (bracketed) writeSum(r.text(texts::kMinus), e, how, st);
        break;
    }
}

/// One entry: name = formula = numbers [= sum] [= √radicand] = value, or,
/// where the method stopped, up to the number it could not go on with and
/// a line saying why.
template <class T> void writeEntry(Report& r, const FactorEntry<T>& e, NumberStyle style) {
    const EntryStyles st = stylesFor(e, style);
    name(r, e.target).text(texts::kEquals);
    writeForm(r, e, Spelling::Names, st);
    // A copied value (u(1) = b(1)) has no numbers but its own to show.
    const bool copied = e.form == EntryForm::Difference && e.terms.empty();
    if (!copied) writeForm(r.text(texts::kEquals), e, Spelling::Terms, st);
    if (!e.terms.empty()) writeForm(r.text(texts::kEquals), e, Spelling::Sum, st);
    // With nothing subtracted the radicand is the base, written already.
    if (e.form == EntryForm::Root && !e.terms.empty())
        say(r.text(texts::kEquals), texts::kRoot, number(e.radicand, st.radicand));
    if (e.stop == EntryStop::None) r.text(texts::kEquals).number(e.target.value, style);
    r.newline();
    if (e.stop == EntryStop::NotPositive) r.text(texts::kNotPositive).newline();
    if (e.stop == EntryStop::ZeroDivisor) r.text(texts::kZeroDivisor).newline();
    if (e.stop == EntryStop::ZeroPivot) {
        Report pivot;
        name(pivot, e.divisor);
        r.text(fillText(texts::kZeroPivotNoExchangeLU, {pivot.plainText()})).newline();
    }
}

void writePivot(Report& r, const PivotMark& p) {
    if (p.row == p.k) say(r, texts::kPivotKept, p.row).newline();
    else say(r, texts::kPivotExchanged, p.row, p.k, p.row).newline();
}

/// The heading of the substitution an entry opens, if it opens one.
template <class T>
void writePartHeading(Report& r, const FactorEntry<T>& e, const DecompositionTexts& headings,
                      char& part) {
    const char now = e.target.name == 'y' || e.target.name == 'x' ? e.target.name : 'f';
    if (now == part) return;
    part = now;
    r.text(now == 'y' ? headings.forward : headings.back).newline();
}

} // namespace

template <class T>
void writeDecomposition(Report& r, const DecompositionRecorder<T>& log,
                        const DecompositionTexts& headings, NumberStyle style) {
    r.text(headings.factor).newline();
    if (!headings.letters.empty()) r.text(headings.letters).newline();
    char part = 'f';
    for (const FactorEvent<T>& event : log.events()) {
        if (const auto* s = std::get_if<StageMark>(&event)) {
            say(r, texts::kStageHeading, s->k).newline();
        } else if (const auto* p = std::get_if<PivotMark>(&event)) {
            writePivot(r, *p);
        } else {
            const auto& e = std::get<FactorEntry<T>>(event);
            writePartHeading(r, e, headings, part);
            writeEntry(r, e, style);
        }
    }
}

#define QUORVEX_DECOMPOSITION_STEPS(T)                                                             \
    template class DecompositionRecorder<T>;                                                       \
    template void writeDecomposition(Report&, const DecompositionRecorder<T>&,                     \
                                     const DecompositionTexts&, NumberStyle);

QUORVEX_DECOMPOSITION_STEPS(double)
QUORVEX_DECOMPOSITION_STEPS(Rational)

} // namespace quorvex::steps
