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
