#pragma once

#include "frame.h"
#include "matrix.h"

#include <string_view>

namespace quorvex {

/// The solution the analyses measure against: exact (rational arithmetic)
/// where every entry of the system has an exact value, otherwise the double
/// precision one.
struct ReferenceSolution {
    bool exact = false;    ///< worked in rational arithmetic
    bool singular = false; ///< the coefficient matrix has no inverse
    Vector x;              ///< the solution, rounded to double (empty when singular)
    double norm1 = 0.0;    ///< ||A||1
    double normInf = 0.0;  ///< ||A||∞
    double inverseNorm1 = 0.0;   ///< ||A⁻¹||1 (singular: not set)
    double inverseNormInf = 0.0; ///< ||A⁻¹||∞ (singular: not set)

    double cond1() const { return norm1 * inverseNorm1; }
    double condInf() const { return normInf * inverseNormInf; }
};

/// Solves the augmented n x (n+1) system Ab, read from `editText`, exactly
/// where the text allows it and in double precision otherwise.
ReferenceSolution referenceSolution(const Matrix& Ab, int n, std::string_view editText,
                                    const StopRequest& stop);

} // namespace quorvex
