#pragma once

#include <string>
#include <string_view>

namespace quorvex {

/// The value of one element text: a number or an arithmetic expression with
/// + - * / \ ^, parentheses, the functions sin cos tan exp sqr abs log atn
/// log10 log2, the constant pi and the variable x (always 0 here). The whole
/// text is evaluated, in time linear in its length. Never fails: malformed
/// input yields 0 or the value read before the fault.
double EvaluateExpression(std::string_view text);

/// Where the decimal reading of an element went beyond what a double
/// holds on the way.
struct RangeLoss {
    bool overflow = false;  ///< a number or a step too large (2^40000, 1e400)
    bool underflow = false; ///< a nonzero one too small, read as 0 (2^-40000)
};

/// EvaluateExpression's value of an element text, telling also whether a
/// number of it, or a power, exp, sum, product or quotient of finite
/// values in its working, overflowed or underflowed. The value is the
/// specified reading; after an overflow it need not be near the text's.
double EvaluateExpressionNotingRange(std::string_view text, RangeLoss& loss);

/// Rewrites an element text into the canonical form the evaluation reads:
/// lower case, no blanks, explicit signs, pi and two function names replaced.
/// `usesPi`, when given, tells whether pi was replaced.
std::string NormaliseExpression(std::string_view text, bool* usesPi = nullptr);

/// A normalised text as the evaluation's machine reads it: the variable x
/// replaced by the text of its value in parentheses, "#" at the end.
std::string PrepareNormalised(std::string_view normalised, std::string_view xValue);

/// Evaluates a normalised text with the given value of x.
double EvaluateNormalised(std::string_view normalised, double x);

} // namespace quorvex
