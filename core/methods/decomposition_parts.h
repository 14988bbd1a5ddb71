#pragma once

// Pieces the triangular decomposition commands share: forward substitution
// and the report forms they have in common.

#include "base/matrix.h"
#include "frame/frame.h"
#include "numerics/arithmetic.h"
#include "report/report.h"
#include "steps/decomposition_steps.h"
#include "steps/steps.h"

#include <string_view>
#include <type_traits>

namespace quorvex {

/// Column n+1 of the augmented matrix B.
template <class T> inline BasicVector<T> rightHandSide(const BasicMatrix<T>& B, int n) {
    BasicVector<T> b(n);
    for (int i = 1; i <= n; ++i) b(i) = B(i, n + 1);
    return b;
}

/// The opening most solving reports share: the augmented matrix as typed
/// (four blanks before each number), the heading, the coefficient block and,
/// after an empty line, the right-hand side on one line, unbroken.
template <class T>
inline void systemOpening(Report& r, const BasicMatrix<T>& echo, std::string_view heading,
                          const BasicMatrix<T>& coefficients, NumberStyle coefficientStyle,
                          const BasicVector<T>& rhs, NumberStyle rhsStyle,
                          std::string_view separator, int n) {
    r.matrixBlock(echo, n, n + 1, kFourBlanks, NumberStyle::plain()).augmented();
    r.heading(heading);
    r.matrixBlock(coefficients, n, n, separator, coefficientStyle);
    r.newline();
    r.vectorLine(rhs, 1, n, separator, rhsStyle);
}

/// name(i)=value for i = 1..n, each line ended by CR LF.
template <class T>
inline void valueLines(Report& r, std::string_view name, const BasicVector<T>& v, int n,
                       NumberStyle style) {
    for (int i = 1; i <= n; ++i) r.indexedValue(name, i, v(i), style);
}

/// The steps of a decomposition and its substitutions.
template <class T> using DecompositionLog = steps::Recorder<steps::DecompositionRecorder<T>>;

/// The steps of a decomposition, when the report shows them.
template <class T> inline DecompositionLog<T> decompositionRecorder(const CommandInput& in) {
    return steps::recorder<steps::DecompositionRecorder<T>>(in.settings, in.n);
}

/// The steps section, when the report shows one: the decomposition's
/// entries and the substitutions, with one decimal more than the solution.
template <class T>
inline void writeSteps(Report& r, const CommandInput& in, const DecompositionLog<T>& log,
                       const steps::DecompositionTexts& headings) {
    steps::write(r, in.settings, in.n, log, [&](const steps::DecompositionRecorder<T>& entries) {
        steps::writeDecomposition(r, entries, headings,
                                  NumberStyle::rounded(in.settings.decimalDigits + 1));
    });
}

/// The steps section of a solving command, closed by the check of its
/// solution X on the system B.
template <class T>
inline void writeSolvingSteps(Report& r, const CommandInput& in, const DecompositionLog<T>& log,
                              const steps::DecompositionTexts& headings, const BasicMatrix<T>& B,
                              const BasicVector<T>& X) {
    steps::write(r, in.settings, in.n, log, [&](const steps::DecompositionRecorder<T>& entries) {
        steps::writeDecomposition(r, entries, headings,
                                  NumberStyle::rounded(in.settings.decimalDigits + 1));
        steps::writeSubstitutionCheck(r, B, X, in.n, in.settings.decimalDigits);
    });
}

/// Shows a method's failure message; with steps on, first the system as
/// typed (cols columns) and the steps up to the entry where the method
/// stopped, with the line saying why (`reason`, where the entries do not
/// say it themselves).
template <class T>
inline Outcome failWithSteps(CommandInput& in, const BasicMatrix<T>& typed, int cols,
                             const DecompositionLog<T>& log,
                             const steps::DecompositionTexts& headings, std::string_view message,
                             std::string_view reason = {}) {
    if (log) {
        Report r;
        r.matrixBlock(typed, in.n, cols, kFourBlanks, NumberStyle::plain());
        if (cols > in.n) r.augmented();
        writeSteps(r, in, log, headings);
        if (!reason.empty()) r.text(reason).newline();
        publish(in.host, std::move(r));
    }
    return fail(in.host, message);
}

} // namespace quorvex
