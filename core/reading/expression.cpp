#include "reading/expression.h"

#include "reading/expression_machine.h"
#include "reading/number_text.h"
#include "reading/text_passes.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <vector>

namespace quorvex {

using detail::isDigitOrPoint;
using detail::numberToken;

namespace {

constexpr const char* kPiText = "+3.14159265358979";

std::string replaceAll(std::string_view s, std::string_view from, std::string_view to) {
    std::string out(s);
    replaceAllInPlace(out, from, to);
    return out;
}

std::string removeChars(std::string_view s, char a, char b) {
    std::string out;
    out.reserve(s.size());
    for (char c : s)
        if (c != a && c != b) out.push_back(c);
    return out;
}

/// Makes a sign that follows an operand and precedes a number into a binary
/// operator followed by an explicitly signed number ("3-5" reads "3-+5").
/// A sign at the start, or after "(" or another operator, stays attached to
/// its number: "2*-3" is minus six, not a sign with nothing on its left.
std::string applySignRule(std::string_view s) {
    std::string out;
    out.reserve(s.size() + s.size() / 4 + 1);
    std::size_t i = 0;
    while (i < s.size()) {
        char c = s[i];
        if (c != '+' && c != '-') {
            out.push_back(c);
            ++i;
            continue;
        }
        const bool last = i + 1 == s.size();
        const bool numberFollows = last || isDigitOrPoint(s[i + 1]);
        bool attached = out.empty();
        if (!attached) {
            switch (out.back()) {
            case '+':
            case '-':
            case '(':
            case '*':
            case '/':
            case '\\':
            case '^': attached = true; break;
            default: break;
            }
        }
        out.push_back(c);
        if (numberFollows && !attached) {
            out.push_back('+');
            ++i; // the scan goes on right after the inserted "+"
        } else {
            // The scan resumes two characters on, so the character right
            // after an untouched sign is passed over.
            if (!last) out.push_back(s[i + 1]);
            i += 2;
        }
    }
    return out;
}

/// The common element of a large matrix: an optional sign, at most 15
/// digits with at most one point among them, and an optional row mark. Its
/// digits as an integer and the power of ten it is divided by are both
/// exact doubles, so their quotient is the correctly rounded value that
/// decimalValue would find.
bool shortDecimal(std::string_view t, double& value) {
    constexpr int kMaxDigits = 15;
    std::size_t i = 0;
    const bool negative = !t.empty() && t[0] == '-';
    if (!t.empty() && (t[0] == '-' || t[0] == '+')) ++i;
    std::uint64_t digits = 0;
    int count = 0;
    int decimals = 0;
    bool point = false;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (c >= '0' && c <= '9') {
            if (++count > kMaxDigits) return false;
            digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
            decimals += point ? 1 : 0;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (count == 0 || (i < t.size() && !(t[i] == '#' && i + 1 == t.size()))) return false;
    const double v =
        static_cast<double>(digits) / detail::kPow10[static_cast<std::size_t>(decimals)];
    value = negative ? -v : v;
    return true;
}

/// A plain number (optional sign, digits and points, optional exponent,
/// optional row mark) evaluates to its own value; recognising it up front
/// spares the normalisation passes for the common case.
bool plainNumber(std::string_view t, double& value) {
    if (shortDecimal(t, value)) return true;
    std::size_t end = numberToken(t);
    if (end == 0) return false;
    if (end < t.size() && t[end] == '#') ++end;
    if (end != t.size()) return false;
    const std::size_t sign = (t[0] == '+' || t[0] == '-') ? 1 : 0;
    value = decimalValue(t.substr(sign), t[0] == '-');
    return true;
}

double applyFunction(std::string_view name, double a) {
    double r = 0.0;
    if (name == "abs") r = std::fabs(a);
    else if (name == "sqr") r = std::sqrt(a);
    else if (name == "exp") r = std::exp(a);
    else if (name == "log") r = std::log(a);
    else if (name == "sin") r = std::sin(a);
    else if (name == "cos") r = std::cos(a);
    else if (name == "tan") r = std::tan(a);
    else if (name == "atn") r = std::atan(a);
    else if (name == "lgg") r = std::log(a) / 2.30258509299405;
    else if (name == "lg2") r = std::log(a) / 0.693147180559945;
    // A domain error or an overflow of a finite argument yields 0.
    if (!std::isfinite(r) && std::isfinite(a)) return 0.0;
    return r;
}

bool toInt32(double v, std::int32_t& out) {
    const double r = roundHalfEven(v);
    if (!(r >= static_cast<double>(INT32_MIN) && r <= static_cast<double>(INT32_MAX))) return false;
    out = static_cast<std::int32_t>(r);
    return true;
}

/// Only the binary operators ever reach here: the precedence table never
/// lets anything else onto the operator stack below a value.
double applyOperator(double a, std::string_view op, double b) {
    if (op == "+") return a + b;
    if (op == "-") return a - b;
    if (op == "*") return a * b;
    if (op == "/") return a / b;
    if (op == "\\") {
        std::int32_t ia = 0, ib = 0;
        if (!toInt32(a, ia) || !toInt32(b, ib) || ib == 0) return 0.0;
        if (ia == INT32_MIN && ib == -1) return 0.0; // overflows 32 bits
        return static_cast<double>(ia / ib);
    }
    const double r = std::pow(a, b);
    if (!std::isfinite(r) && std::isfinite(a) && std::isfinite(b)) return 0.0;
    return r;
}

/// The evaluator's numbers in double precision.
struct DecimalArithmetic {
    using Value = double;
    static double number(std::string_view digits, bool negative) {
        return decimalValue(digits, negative);
    }
    static double function(std::string_view name, double a) { return applyFunction(name, a); }
    static double binary(double a, std::string_view op, double b) {
        return applyOperator(a, op, b);
    }
};

/// Whether a number text (digits, points, an optional exponent) has a
/// digit other than 0 before its exponent: a value that reads as 0 without
/// being 0.
bool nonzeroDigits(std::string_view digits) {
    for (char c : digits) {
        if (c == 'e' || c == 'E') break;
        if (c >= '1' && c <= '9') return true;
    }
    return false;
}

/// The evaluator's numbers in double precision, noting each step whose
/// value a double cannot hold: a typed number, a power, exp, a sum,
/// product or quotient of finite values that overflows (to an infinity, or
/// to the 0 a faulting power or function yields), or that underflows to 0.
/// A division by 0, or a result outside a function's domain, is no such
/// step: its value is no finite number to begin with. The values are the
/// decimal evaluator's, step by step.
struct RangeNotingArithmetic {
    using Value = double;
    RangeLoss loss;

    double number(std::string_view digits, bool negative) {
        const double v = decimalValue(digits, negative);
        note(std::isinf(v), v == 0.0 && nonzeroDigits(digits));
        return v;
    }
    double function(std::string_view name, double a) {
        if (name == "exp" && std::isfinite(a)) {
            const double raw = std::exp(a);
            note(std::isinf(raw), raw == 0.0);
        }
        return applyFunction(name, a);
    }
    double binary(double a, std::string_view op, double b) {
        const double r = applyOperator(a, op, b);
        if (!std::isfinite(a) || !std::isfinite(b) || op == "\\") return r;
        if (op == "^") {
            const double raw = std::pow(a, b);
            if (a != 0.0) note(std::isinf(raw), raw == 0.0);
        } else if (op == "/") {
            if (b != 0.0) note(std::isinf(r), r == 0.0 && a != 0.0);
        } else if (op == "*") {
            note(std::isinf(r), r == 0.0 && a != 0.0 && b != 0.0);
        } else {
            note(std::isinf(r), false);
        }
        return r;
    }

private:
    void note(bool overflow, bool underflow) {
        loss.overflow = loss.overflow || overflow;
        loss.underflow = loss.underflow || underflow;
    }
};

} // namespace

std::string NormaliseExpression(std::string_view text, bool* usesPi) {
    std::string s = replaceAll(text, "f(x)=", "");
    s = replaceAll(s, "f(x)", "");
    if (auto eq = s.find('='); eq != std::string::npos) s.resize(eq);
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    s = removeChars(s, ' ', ' ');
    s = replaceAll(s, "e+", "E+");
    s = replaceAll(s, "e-", "E-");
    s = removeChars(s, '\r', '\n');
    s = applySignRule(s);
    if (usesPi) *usesPi = s.find("pi") != std::string::npos;
    s = replaceAll(s, "pi", kPiText);
    if (s.size() >= 2 && (s[0] == '+' || s[0] == '-') &&
        ((s[1] >= 'a' && s[1] <= 'z') || s[1] == '('))
        s.insert(s.begin(), '0');
    s = replaceAll(s, "exp", "eyp");
    s = replaceAll(s, "log10", "lgg");
    s = replaceAll(s, "log2", "lg2");
    s = replaceAll(s, "E-+", "E-");
    s = replaceAll(s, "E++", "E+");
    return s;
}

std::string PrepareNormalised(std::string_view normalised, std::string_view xValue) {
    std::string xText = "(";
    xText += xValue;
    xText += ')';
    std::string s = replaceAll(normalised, "x", xText);
    s = replaceAll(s, "eyp", "exp");
    s += '#';
    return s;
}

double EvaluateNormalised(std::string_view normalised, double x) {
    const std::string s = PrepareNormalised(normalised, numberText(x));
    DecimalArithmetic decimal;
    return detail::evaluatePrepared(s, decimal);
}

double EvaluateExpression(std::string_view text) {
    double value = 0.0;
    if (plainNumber(text, value)) return value;
    return EvaluateNormalised(NormaliseExpression(text), 0.0);
}

double EvaluateExpressionNotingRange(std::string_view text, RangeLoss& loss) {
    double value = 0.0;
    if (plainNumber(text, value)) {
        std::string_view digits = text;
        if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) digits.remove_prefix(1);
        loss = {std::isinf(value), value == 0.0 && nonzeroDigits(digits)};
        return value;
    }
    const std::string s = PrepareNormalised(NormaliseExpression(text), numberText(0.0));
    RangeNotingArithmetic decimal;
    value = detail::evaluatePrepared(s, decimal);
    loss = decimal.loss;
    return value;
}

} // namespace quorvex
