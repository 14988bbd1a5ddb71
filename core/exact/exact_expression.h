#pragma once

#include "base/rational.h"

#include <optional>
#include <string_view>

namespace quorvex {

/// The exact value of an element text, read with the evaluator's rules (the
/// same precedence, signs, row mark and faults): a typed decimal is its exact
/// value (0.1 is 1/10, 1e-3 is 1/1000), fractions and + - * / \ ^ with
/// integer exponents evaluate exactly, abs too. Nothing when the text has no
/// exact value: pi, any other function, a non-integer power, a division by
/// zero, or numbers beyond kMaxExactDigits.
std::optional<Rational> EvaluateExactly(std::string_view text);

/// An element text's exact value, or why it has none.
struct ExactValue {
    enum class Kind {
        Exact,   ///< `value` holds it
        Inexact, ///< pi, a root, a division by zero...: decimals only
        TooLong, ///< a number typed or computed past kMaxExactDigits
    } kind;
    Rational value; ///< Exact only
};

/// As EvaluateExactly, telling a number past kMaxExactDigits from a text
/// with no exact value.
ExactValue exactValueOf(std::string_view text);

/// The exact value of a decimal number text as decimalValue reads it
/// (digits and one point, an optional exponent; a second point ends it).
/// Nothing when it would exceed kMaxExactDigits.
std::optional<Rational> exactDecimalValue(std::string_view digits, bool negative);

} // namespace quorvex
