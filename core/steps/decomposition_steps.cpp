#include "steps/decomposition_steps.h"

#include "base/rational.h"
#include "report/document.h"
#include "steps/steps.h"
#include "texts/fill.h"
#include "texts/steps_texts.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
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
/// result of the line within a tenth of a unit of its `held`-th decimal.
struct EntryStyles {
    NumberStyle base;
    NumberStyle divisor;
    NumberStyle sum;
    NumberStyle radicand;
    std::vector<std::vector<NumberStyle>> factors;
};

template <class T> EntryStyles stylesFor(const FactorEntry<T>& e, NumberStyle style, int held) {
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
            return NumberStyle::rounded(decimalsAsUsed(v, weight * count, style.decimals, held));
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

/// The decimals each value is written with wherever it appears: the most
/// that any line using it, or its own, needs. A student who takes a value
/// from the end of its own line and redoes a later line with it then gets
/// what the later line printed.
class Faces {
public:
    void need(double v, NumberStyle style) {
        if (!std::isfinite(v) || style.decimals == NumberStyle::kPlain) return;
        int& most = m_decimals.try_emplace(v, style.decimals).first->second;
        most = std::max(most, style.decimals);
    }
    /// Whether some value is written with more than `decimals` decimals.
    bool beyond(int decimals) const {
        return std::any_of(m_decimals.begin(), m_decimals.end(),
                           [decimals](const auto& v) { return v.second > decimals; });
    }
    /// Writes v with no more than `decimals` decimals.
    void limit(double v, int decimals) {
        const auto at = m_decimals.find(v);
        if (at != m_decimals.end()) at->second = std::min(at->second, decimals);
    }
    NumberStyle of(double v, NumberStyle style) const {
        const auto at = m_decimals.find(v);
        return at == m_decimals.end() ? style : NumberStyle::rounded(at->second);
    }

    bool operator==(const Faces&) const = default;

private:
    std::map<double, int> m_decimals;
};

/// The styles of an entry's line, its value written as `faces` has it.
template <class T>
EntryStyles lineStyles(const FactorEntry<T>& e, NumberStyle style, const Faces& faces) {
    if constexpr (std::is_same_v<T, double>)
        return stylesFor(e, style, faces.of(e.target.value, style).decimals);
    else return stylesFor(e, style, style.decimals);
}

template <class T> void needAll(Faces& faces, const FactorEntry<T>& e, const EntryStyles& st) {
    if constexpr (std::is_same_v<T, double>) {
        faces.need(e.base.value, st.base);
        if (e.form == EntryForm::Quotient || e.form == EntryForm::QuotientFirst)
            faces.need(e.divisor.value, st.divisor);
        for (std::size_t t = 0; t < e.terms.size(); ++t)
            for (std::size_t f = 0; f < e.terms[t].size(); ++f)
                faces.need(e.terms[t][f].value, st.factors[t][f]);
    }
}

/// What a number reads as where it is written in this style.
double asWritten(double v, NumberStyle style) {
    return std::strtod(styledText(v, style).c_str(), nullptr);
}

/// Whether every form of an entry's line, redone by hand from its numbers
/// as written, lands within one unit of the `decimals`-th place of the
/// value written so.
bool comesOut(const FactorEntry<double>& e, const EntryStyles& st, int decimals) {
    const double base = asWritten(e.base.value, st.base);
    const auto whole = [&](double subtracted) {
        switch (e.form) {
        case EntryForm::Difference: return base - subtracted;
        case EntryForm::Quotient:
            return (base - subtracted) / asWritten(e.divisor.value, st.divisor);
        case EntryForm::QuotientFirst:
            return base / asWritten(e.divisor.value, st.divisor) - subtracted;
        case EntryForm::Root: return std::sqrt(base - subtracted);
        }
        return base;
    };
    double terms = 0.0;
    for (std::size_t t = 0; t < e.terms.size(); ++t) {
        double product = 1.0;
        for (std::size_t f = 0; f < e.terms[t].size(); ++f)
            product *= asWritten(e.terms[t][f].value, st.factors[t][f]);
        terms += product;
    }
    std::vector<double> forms{whole(terms)};
    if (!e.terms.empty()) forms.push_back(whole(asWritten(e.sum, st.sum)));
    if (e.form == EntryForm::Root && !e.terms.empty())
        forms.push_back(std::sqrt(asWritten(e.radicand, st.radicand)));
    const double value = asWritten(e.target.value, NumberStyle::rounded(decimals));
    const double unit = std::pow(10.0, -decimals);
    return std::all_of(forms.begin(), forms.end(), [&](double hand) {
        return !std::isfinite(hand) || !std::isfinite(value) ||
               std::fabs(hand - value) <= unit * (1 + 1e-9) + 1e-14 * std::fabs(value);
    });
}

/// Every value's face. A value's own line needs the digits its uses need,
/// and the numbers of that line then need as many more as the value's
/// face holds: the lines are gone through from the last, and again should
/// a value the last pass met already have grown since. Then, from the
/// first line on, no value keeps more digits than its line, redone from
/// the numbers as written, gives: where the line cancels digits past the
/// fifteen significant ones a report writes, rounding decides them, and
/// the value is written short of the steps' decimals with a line saying so.
template <class T> Faces facesFor(const DecompositionRecorder<T>& log, NumberStyle style) {
    Faces faces;
    if constexpr (std::is_same_v<T, double>) {
        if (style.decimals == NumberStyle::kPlain) return faces;
        for (const FactorEvent<T>& event : log.events())
            if (const auto* e = std::get_if<FactorEntry<T>>(&event))
                if (e->stop == EntryStop::None) faces.need(e->target.value, style);
        for (int pass = 0; pass < 4; ++pass) {
            const Faces before = faces;
            for (auto event = log.events().rbegin(); event != log.events().rend(); ++event)
                if (const auto* e = std::get_if<FactorEntry<T>>(&*event))
                    needAll(faces, *e, lineStyles(*e, style, faces));
            if (faces == before) break;
        }
        for (const FactorEvent<T>& event : log.events()) {
            const auto* e = std::get_if<FactorEntry<T>>(&event);
            if (!e || e->stop != EntryStop::None) continue;
            const auto comesOutAt = [&](int decimals) {
                return comesOut(*e, facesOf(faces, *e, stylesFor(*e, style, decimals)), decimals);
            };
            const int most = faces.of(e->target.value, style).decimals;
            int decimals = most;
            while (decimals > 0 && !comesOutAt(decimals)) --decimals;
            // A line no number of decimals brings out keeps them all.
            faces.limit(e->target.value, comesOutAt(decimals) ? decimals : most);
        }
    }
    return faces;
}

template <class T>
EntryStyles facesOf(const Faces& faces, const FactorEntry<T>& e, EntryStyles st) {
    if constexpr (std::is_same_v<T, double>) {
        st.base = faces.of(e.base.value, st.base);
        st.divisor = faces.of(e.divisor.value, st.divisor);
        for (std::size_t t = 0; t < e.terms.size(); ++t)
            for (std::size_t f = 0; f < e.terms[t].size(); ++f)
                st.factors[t][f] = faces.of(e.terms[t][f].value, st.factors[t][f]);
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
template <class T>
void writeEntry(Report& r, const FactorEntry<T>& e, NumberStyle style, const Faces& faces) {
    const EntryStyles st = facesOf(faces, e, lineStyles(e, style, faces));
    name(r, e.target).text(texts::kEquals);
    writeForm(r, e, Spelling::Names, st);
    // A copied value (u(1) = b(1)) has no numbers but its own to show.
    const bool copied = e.form == EntryForm::Difference && e.terms.empty();
    if (!copied) writeForm(r.text(texts::kEquals), e, Spelling::Terms, st);
    if (!e.terms.empty()) writeForm(r.text(texts::kEquals), e, Spelling::Sum, st);
    // With nothing subtracted the radicand is the base, written already.
    if (e.form == EntryForm::Root && !e.terms.empty())
        say(r.text(texts::kEquals), texts::kRoot, number(e.radicand, st.radicand));
    if (e.stop == EntryStop::None) {
        NumberStyle own = style;
        if constexpr (std::is_same_v<T, double>) own = faces.of(e.target.value, style);
        r.text(texts::kEquals).number(e.target.value, own);
        if (own.decimals < style.decimals) {
            r.newline();
            say(
                r, texts::kFewerDecimals, [&](Report& to) { name(to, e.target); }, own.decimals);
        }
    }
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
    const Faces faces = facesFor(log, style);
    r.text(headings.factor).newline();
    if (!headings.letters.empty()) r.text(headings.letters).newline();
    if (style.decimals != NumberStyle::kPlain && faces.beyond(style.decimals))
        say(r, texts::kValuesAsUsed, style.decimals).newline();
    char part = 'f';
    for (const FactorEvent<T>& event : log.events()) {
        if (const auto* s = std::get_if<StageMark>(&event)) {
            say(r, texts::kStageHeading, s->k).newline();
        } else if (const auto* p = std::get_if<PivotMark>(&event)) {
            writePivot(r, *p);
        } else {
            const auto& e = std::get<FactorEntry<T>>(event);
            writePartHeading(r, e, headings, part);
            writeEntry(r, e, style, faces);
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
