#pragma once

#include "base/matrix.h"

#include <vector>

namespace quorvex {

/// A named number a decomposition uses or makes: l(2,1), d(3), y(1). The
/// elements of vectors have column 0.
template <class T> struct NamedValue {
    char name = 0;
    int i = 0;
    int j = 0;
    T value{};
};

/// How an entry is formed from its base b, the sum s of its terms and its
/// divisor q.
enum class EntryForm {
    Difference,    ///< b − s
    Quotient,      ///< (b − s) ÷ q
    Root,          ///< √(b − s)
    QuotientFirst, ///< b ÷ q − s
};

/// Why a method went no further than an entry.
enum class EntryStop {
    None,
    NotPositive, ///< the number under the root is not positive
    ZeroDivisor, ///< the divisor is 0
    ZeroPivot,   ///< the divisor is a pivot of 0 that a row exchange would have avoided
};

/// One entry of a decomposition or a substitution, with the numbers the
/// routine formed it from. Each term is the product of its factors taken
/// left to right; the sum adds the terms in order to 0, unless it holds a
/// single term the routine subtracts as it is.
template <class T> struct FactorEntry {
    NamedValue<T> target;
    EntryForm form = EntryForm::Difference;
    NamedValue<T> base;
    std::vector<std::vector<NamedValue<T>>> terms;
    T sum{};                 ///< as the routine held it; 0 with no terms
    bool accumulated = true; ///< false: a single term, not added to 0 first
    NamedValue<T> divisor;   ///< Quotient and QuotientFirst only
    T radicand{};            ///< Root only: b − s as the routine held it
    EntryStop stop = EntryStop::None;
};

/// Told what a triangular decomposition and its substitutions compute, entry
/// by entry, so that the steps can be written down from the very numbers
/// used. The routines call it through an optional pointer, null when no one
/// listens.
template <class T> class BasicFactorObserver {
public:
    virtual ~BasicFactorObserver() = default;
    /// Step k of the decomposition begins.
    virtual void stageBegun(int k) { (void)k; }
    /// Step k chose the candidate of row `row` for its pivot, before
    /// exchanging rows k and `row`.
    virtual void pivotChosen(int k, int row) { (void)k, (void)row; }
    /// An entry is done.
    virtual void entryDone(FactorEntry<T> entry) = 0;
};

/// The entry target = base − (terms(from) + ... + terms(to)), or another
/// form of the same parts; `term(t)` gives the factors of term t.
template <class T, class Term>
FactorEntry<T> sumEntry(NamedValue<T> target, EntryForm form, NamedValue<T> base, const T& sum,
                        int from, int to, Term&& term) {
    FactorEntry<T> e;
    e.target = target;
    e.form = form;
    e.base = base;
    e.sum = sum;
    for (int t = from; t <= to; ++t) e.terms.push_back(term(t));
    return e;
}

} // namespace quorvex
