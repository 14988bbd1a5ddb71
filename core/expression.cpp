#include "expression.h"

#include "number_text.h"
#include "text_passes.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <vector>

namespace quorvex {

namespace {

constexpr const char* kPiText = "+3.14159265358979";

bool isDigitOrPoint(char c) { return isDigit(c) || c == '.'; }

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
            case '+': case '-': case '(': case '*': case '/': case '\\': case '^':
                attached = true;
                break;
            default:
                break;
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

/// Length of the number token at the start of s, 0 when there is none.
std::size_t numberToken(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    if (i >= s.size() || !isDigitOrPoint(s[i])) return 0;
    while (i < s.size() && isDigitOrPoint(s[i])) ++i;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        if (j < s.size() && isDigit(s[j])) {
            while (j < s.size() && isDigit(s[j])) ++j;
            i = j;
        }
    }
    return i;
}

/// A plain number (optional sign, digits and points, optional exponent,
/// optional row mark) evaluates to its own value; recognising it up front
/// spares the normalisation passes for the common case.
bool plainNumber(std::string_view t, double& value) {
    std::size_t end = numberToken(t);
    if (end == 0) return false;
    if (end < t.size() && t[end] == '#') ++end;
    if (end != t.size()) return false;
    const std::size_t sign = (t[0] == '+' || t[0] == '-') ? 1 : 0;
    value = decimalValue(t.substr(sign), t[0] == '-');
    return true;
}

enum class OpClass { AddSub, MulDiv, Power, Open, Close, End, Function, Bottom, Other };

OpClass classifyChar(char c) {
    switch (c) {
    case '+': case '-': return OpClass::AddSub;
    case '*': case '/': case '\\': return OpClass::MulDiv;
    case '^': return OpClass::Power;
    case '(': return OpClass::Open;
    case ')': return OpClass::Close;
    case '#': return OpClass::End;
    default: return OpClass::Other;
    }
}

constexpr std::string_view kFunctions[] = {"sin", "cos", "tan", "exp", "sqr",
                                           "abs", "log", "atn", "lgg", "lg2"};

bool isFunctionName(std::string_view s) {
    for (auto f : kFunctions)
        if (s == f) return true;
    return false;
}

OpClass classifyTop(const std::string& op) {
    if (op.empty()) return OpClass::Bottom;
    if (op.size() == 1) return classifyChar(op[0]);
    return isFunctionName(op) ? OpClass::Function : OpClass::Other;
}

/// '<', '=', '>' or 0 for "no relation".
char precede(OpClass top, OpClass in) {
    using C = OpClass;
    if (in == C::Other || in == C::Function) {
        if (in == C::Other) return 0;
        switch (top) {
        case C::AddSub: case C::MulDiv: case C::Power: case C::Open: case C::End: return '<';
        default: return 0;
        }
    }
    switch (top) {
    case C::AddSub:
        return (in == C::MulDiv || in == C::Power || in == C::Open) ? '<' : '>';
    case C::MulDiv:
        return (in == C::Power || in == C::Open) ? '<' : '>';
    case C::Power:
        return in == C::Open ? '<' : '>';
    case C::Open:
        if (in == C::Close) return '=';
        return in == C::End ? 0 : '<';
    case C::Close:
        return (in == C::Close) ? 0 : '>';
    case C::Function:
        return in == C::Open ? '<' : '>';
    case C::End:
        if (in == C::End) return '=';
        return in == C::Close ? 0 : '<';
    default:
        return 0;
    }
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

/// Stacks whose bottom entry is never removed: popping it returns it.
template <typename T> struct BottomStack {
    std::vector<T> items;
    explicit BottomStack(T bottom) { items.push_back(std::move(bottom)); }
    void push(T v) { items.push_back(std::move(v)); }
    T pop() {
        if (items.size() == 1) return items.front();
        T v = std::move(items.back());
        items.pop_back();
        return v;
    }
    const T& top() const { return items.back(); }
};

} // namespace

std::string NormaliseExpression(std::string_view text) {
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

double EvaluateNormalised(std::string_view normalised, double x) {
    std::string xText = "(";
    appendNumber(xText, x);
    xText += ')';
    std::string s = replaceAll(normalised, "x", xText);
    s = replaceAll(s, "eyp", "exp");
    s += '#';

    BottomStack<std::string> ops{std::string()};
    ops.push("#");
    BottomStack<double> values{0.0};

    // Every step either consumes input or pops an operator that consuming
    // input pushed, so the whole text is evaluated in linear time; no step
    // limit may cut a long expression short and pass off a partial value.
    std::string_view rest = s;
    while (!rest.empty()) {
        if (std::size_t len = numberToken(rest)) {
            const bool negative = rest[0] == '-';
            const std::size_t sign = (rest[0] == '+' || rest[0] == '-') ? 1 : 0;
            values.push(decimalValue(rest.substr(sign, len - sign), negative));
            rest.remove_prefix(len);
            continue;
        }
        if (rest.size() >= 3 && isFunctionName(rest.substr(0, 3))) {
            ops.push(std::string(rest.substr(0, 3)));
            rest.remove_prefix(3);
            continue;
        }
        const char ch = rest[0];
        switch (precede(classifyTop(ops.top()), classifyChar(ch))) {
        case '<':
            ops.push(std::string(1, ch));
            rest.remove_prefix(1);
            break;
        case '=':
            ops.pop();
            rest.remove_prefix(1);
            break;
        case '>': {
            const std::string op = ops.pop();
            if (isFunctionName(op)) {
                const double a = values.pop();
                values.push(applyFunction(op, a));
            } else {
                const double b = values.pop();
                const double a = values.pop();
                values.push(applyOperator(a, op, b));
            }
            break;
        }
        default:
            // No relation changes nothing, so every later step would meet
            // the same state: the outcome is already fixed.
            return values.items.size() >= 2 ? values.items[1] : 0.0;
        }
    }
    return values.items.size() >= 2 ? values.items[1] : 0.0;
}

double EvaluateExpression(std::string_view text) {
    double value = 0.0;
    if (plainNumber(text, value)) return value;
    return EvaluateNormalised(NormaliseExpression(text), 0.0);
}

} // namespace quorvex
