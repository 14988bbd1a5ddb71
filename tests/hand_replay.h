#pragma once

// Worked steps redone as a student would redo them: each line's arithmetic
// from the numbers printed in it, with × and ÷ before + and −, left to
// right.

#include <cmath>
#include <exception>
#include <sstream>
#include <string>
#include <vector>

namespace quorvex::testing {

/// A line of steps evaluated as a student would: numbers, parentheses,
/// "+", "−", "×", "÷", with × and ÷ before + and −, left to right.
class HandArithmetic {
public:
    explicit HandArithmetic(const std::string& text) : m_text(text) {}
    double value() {
        const double v = sum();
        skipBlanks();
        if (m_at != m_text.size()) m_bad = true;
        return m_bad ? NAN : v;
    }

private:
    bool take(const std::string& op) {
        skipBlanks();
        if (m_text.compare(m_at, op.size(), op) != 0) return false;
        m_at += op.size();
        return true;
    }
    void skipBlanks() {
        while (m_at < m_text.size() && m_text[m_at] == ' ') ++m_at;
    }
    double sum() {
        double v = product();
        for (;;) {
            if (take("+")) v += product();
            else if (take("−")) v -= product();
            else return v;
        }
    }
    double product() {
        double v = factor();
        for (;;) {
            if (take("×")) v *= factor();
            else if (take("÷") || take("/")) v /= factor(); // "/" in fractions: 5/2
            else return v;
        }
    }
    double factor() {
        if (take("√")) return std::sqrt(factor());
        if (take("(")) {
            const double v = sum();
            if (!take(")")) m_bad = true;
            return v;
        }
        skipBlanks();
        std::size_t used = 0;
        double v = NAN;
        try {
            v = std::stod(m_text.substr(m_at), &used);
        } catch (const std::exception&) {
            m_bad = true;
        }
        m_at += used;
        return v;
    }

    std::string m_text;
    std::size_t m_at = 0;
    bool m_bad = false;
};

inline double byHand(const std::string& text) { return HandArithmetic(text).value(); }

inline std::vector<std::string> linesOf(const std::string& report) {
    std::vector<std::string> lines;
    std::string line;
    for (std::istringstream in(report); std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

/// Whether a hand result agrees with the printed one to within one unit of
/// the printed place (non-finite values are named by lines of their own).
inline bool agrees(double hand, double printed, double unit) {
    if (!std::isfinite(printed) || !std::isfinite(hand)) return true;
    return std::fabs(hand - printed) <= unit * (1 + 1e-9) + 1e-12 * std::fabs(printed);
}

/// The lines of the steps whose numeric forms (those with no names in
/// them) do not give the value the line ends with, to within one unit of
/// `decimals` decimals or of the value's own last decimal.
inline std::vector<std::string> linesNotComingOut(const std::string& report, int decimals) {
    std::vector<std::string> wrong;
    const std::vector<std::string> lines = linesOf(report);
    std::size_t at = 0;
    while (at < lines.size() && lines[at] != "详细步骤：") ++at;
    for (++at; at < lines.size() && !lines[at].empty(); ++at) {
        std::vector<std::string> parts;
        const std::string& line = lines[at];
        for (std::size_t from = 0;;) {
            const std::size_t eq = line.find(" = ", from);
            parts.push_back(line.substr(from, eq == std::string::npos ? eq : eq - from));
            if (eq == std::string::npos) break;
            from = eq + 3;
        }
        if (parts.size() < 3) continue;
        const std::string& last = parts.back();
        const double value = byHand(last);
        if (std::isnan(value) && last != "NaN") continue; // a name or a sentence
        const auto point = last.find('.');
        const int shown = point == std::string::npos || last.find('E') != std::string::npos
                              ? 0
                              : static_cast<int>(last.size() - point - 1);
        const double unit = std::pow(10.0, -std::max(decimals, shown));
        for (std::size_t p = 1; p + 1 < parts.size(); ++p) {
            if (parts[p].find_first_of("abcdefghijklmnopqrstuvwxyz") != std::string::npos) continue;
            if (!agrees(byHand(parts[p]), value, unit)) {
                wrong.push_back(line);
                break;
            }
        }
    }
    return wrong;
}

} // namespace quorvex::testing
