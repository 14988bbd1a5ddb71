#pragma once

// The evaluator's machine: a precedence table over two stacks, one of
// operators and one of values. It is written once for any kind of number;
// the decimal evaluator runs it on doubles and the exact one on rationals,
// so both read an expression the same way.

#include "reading/text_passes.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvex::detail {

inline bool isDigitOrPoint(char c) { return isDigit(c) || c == '.'; }

/// Where a number's mantissa ending at i ends once its exponent (e or E,
/// a sign, digits) is taken too; i itself when no exponent follows.
inline std::size_t exponentEnd(std::string_view s, std::size_t i) {
    if (i >= s.size() || (s[i] != 'e' && s[i] != 'E')) return i;
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    if (j >= s.size() || !isDigit(s[j])) return i;
    while (j < s.size() && isDigit(s[j])) ++j;
    return j;
}

/// Length of the number token at the start of s, 0 when there is none.
inline std::size_t numberToken(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    if (i >= s.size() || !isDigitOrPoint(s[i])) return 0;
    while (i < s.size() && isDigitOrPoint(s[i])) ++i;
    return exponentEnd(s, i);
}

enum class OpClass { AddSub, MulDiv, Power, Open, Close, End, Function, Bottom, Other };

inline OpClass classifyChar(char c) {
    switch (c) {
    case '+':
    case '-': return OpClass::AddSub;
    case '*':
    case '/':
    case '\\': return OpClass::MulDiv;
    case '^': return OpClass::Power;
    case '(': return OpClass::Open;
    case ')': return OpClass::Close;
    case '#': return OpClass::End;
    default: return OpClass::Other;
    }
}

constexpr std::string_view kFunctions[] = {"sin", "cos", "tan", "exp", "sqr",
                                           "abs", "log", "atn", "lgg", "lg2"};

inline bool isFunctionName(std::string_view s) {
    for (auto f : kFunctions)
        if (s == f) return true;
    return false;
}

inline OpClass classifyTop(const std::string& op) {
    if (op.empty()) return OpClass::Bottom;
    if (op.size() == 1) return classifyChar(op[0]);
    return isFunctionName(op) ? OpClass::Function : OpClass::Other;
}

/// '<', '=', '>' or 0 for "no relation".
inline char precede(OpClass top, OpClass in) {
    using C = OpClass;
    if (in == C::Other || in == C::Function) {
        if (in == C::Other) return 0;
        switch (top) {
        case C::AddSub:
        case C::MulDiv:
        case C::Power:
        case C::Open:
        case C::End: return '<';
        default: return 0;
        }
    }
    switch (top) {
    case C::AddSub: return (in == C::MulDiv || in == C::Power || in == C::Open) ? '<' : '>';
    case C::MulDiv: return (in == C::Power || in == C::Open) ? '<' : '>';
    case C::Power: return in == C::Open ? '<' : '>';
    case C::Open:
        if (in == C::Close) return '=';
        return in == C::End ? 0 : '<';
    case C::Close: return (in == C::Close) ? 0 : '>';
    case C::Function: return in == C::Open ? '<' : '>';
    case C::End:
        if (in == C::End) return '=';
        return in == C::Close ? 0 : '<';
    default: return 0;
    }
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

/// Evaluates a prepared text (normalised, x replaced, "#" at the end).
/// Arith supplies the numbers: Value, number(digits, negative),
/// function(name, a) and binary(a, op, b), the last only ever for the
/// binary operators + - * / \ ^.
template <typename Arith> typename Arith::Value evaluatePrepared(std::string_view s, Arith& arith) {
    using Value = typename Arith::Value;
    BottomStack<std::string> ops{std::string()};
    ops.push("#");
    BottomStack<Value> values{Value(0)};

    // Every step either consumes input or pops an operator that consuming
    // input pushed, so the whole text is evaluated in linear time; no step
    // limit may cut a long expression short and pass off a partial value.
    std::string_view rest = s;
    while (!rest.empty()) {
        if (std::size_t len = numberToken(rest)) {
            const bool negative = rest[0] == '-';
            const std::size_t sign = (rest[0] == '+' || rest[0] == '-') ? 1 : 0;
            values.push(arith.number(rest.substr(sign, len - sign), negative));
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
                const Value a = values.pop();
                values.push(arith.function(op, a));
            } else {
                const Value b = values.pop();
                const Value a = values.pop();
                values.push(arith.binary(a, op, b));
            }
            break;
        }
        default:
            // No relation changes nothing, so every later step would meet
            // the same state: the outcome is already fixed.
            return values.items.size() >= 2 ? values.items[1] : Value(0);
        }
    }
    return values.items.size() >= 2 ? values.items[1] : Value(0);
}

} // namespace quorvex::detail
