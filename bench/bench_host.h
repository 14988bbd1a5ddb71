#pragma once

#include "frame/frame.h"
#include "frame/host.h"
#include "report/render.h"

#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace quorvex::bench {

/// A host that answers every input box from a fixed list and keeps the
/// report in memory.
class BenchHost : public Host {
public:
    BenchHost(const std::string& edit, std::vector<std::string> answers, int digits = 6)
        : m_edit(edit), m_answers(std::move(answers)) {
        m_settings.decimalDigits = digits;
    }
    std::string inputBox(const std::string&, const std::string&, const std::string&) override {
        return m_next < m_answers.size() ? m_answers[m_next++] : std::string();
    }
    void messageBox(const std::string&, const std::string&) override {}
    void notice(const std::string&) override {}
    bool askYesNo(const std::string&, const std::string&) override { return true; }
    std::string editText() override { return m_edit; }
    std::string resultText() override { return m_result; }
    void setResultText(std::string text) override { m_result = std::move(text); }
    void appendResult(std::shared_ptr<const Document> report) override {
        m_result.append(renderText(*report));
    }
    const std::string& result() const { return m_result; }

    /// The settings the commands run with.
    ReportSettings& settings() { return m_settings; }

    /// Runs a command here, as the window would.
    Outcome run(const Command& command) { return runCommand(command, *this, m_settings); }

private:
    const std::string& m_edit;
    std::vector<std::string> m_answers;
    std::size_t m_next = 0;
    ReportSettings m_settings;
    std::string m_result;
};

/// The text of a random strictly diagonally dominant augmented system of
/// order n, numbers with a few decimals, one row per CR LF line.
inline std::string dominantSystemText(int n, std::uint32_t seed = 42, bool symmetric = false) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> v(-9999, 9999);
    std::vector<double> a(static_cast<std::size_t>(n) * n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            a[static_cast<std::size_t>(i) * n + j] =
                (symmetric && j < i) ? a[static_cast<std::size_t>(j) * n + i] : v(rng) / 1000.0;
    std::ostringstream out;
    out.precision(15);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            double x = a[static_cast<std::size_t>(i) * n + j];
            if (i == j) x = 10.0 * n + (v(rng) + 10000) / 1000.0;
            out << x << ' ';
        }
        out << v(rng) / 100.0 << "\r\n";
    }
    return out.str();
}

} // namespace quorvex::bench
