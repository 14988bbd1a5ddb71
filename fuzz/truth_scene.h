// One fuzzed system and the commands run on it: each run's report, notices
// and messages, and on a violated property the reproducer, then a trap so
// that libFuzzer keeps the input.
#pragma once

#include "frame/frame.h"
#include "fuzz_host.h"
#include "texts/text.h"
#include "truth_lines.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex::fuzz {

/// The properties checked, each with the name a run can set it aside by.
enum class Property {
    Reading,          ///< every entry reads as the number it was made as
    Shape,            ///< the report has the lines it must have
    ExactSolution,    ///< what the exact report solves satisfies the system
    DecimalSolution,  ///< a decimal solution within its rounding of the exact one
    SingularSolution, ///< no clean solution of a singular system
    RadiusVerdict,    ///< a spectral radius's verdict
    RadiusValue,      ///< a spectral radius's printed value
    Conditions,       ///< dominance and definiteness as stated
    BestFactor,       ///< the best relaxation factor's line
    FiniteVerdict,    ///< no verdict on Infinity or NaN without a notice
    ErrorAnalysis,    ///< the error analysis's solution, singularity and decimals
    Norms,            ///< norm values and their inequalities
    kCount
};

inline constexpr std::array<std::string_view, static_cast<std::size_t>(Property::kCount)>
    kPropertyNames{"reading",           "shape",          "exact-solution", "decimal-solution",
                   "singular-solution", "radius-verdict", "radius-value",   "conditions",
                   "best-factor",       "finite-verdict", "error-analysis", "norms"};

/// Thrown where a property that the run sets aside is violated: the input
/// is dropped as if nothing were wrong.
struct SetAside {};

/// True when REPORT_TRUTH_SET_ASIDE (names separated by commas) names the
/// property: a known fault waiting for its mend need not hide the others
/// while the target runs. CI sets nothing aside.
inline bool setAside(Property p) {
    static const std::string names = [] {
        const char* v = std::getenv("REPORT_TRUTH_SET_ASIDE");
        return "," + std::string(v ? v : "") + ",";
    }();
    const std::string name(kPropertyNames[static_cast<std::size_t>(p)]);
    return names.find("," + name + ",") != std::string::npos;
}

struct Run {
    const Command* command = nullptr;
    std::vector<std::string> answers;
    bool exact = false;
    std::string edit; ///< the edit area's text
    Outcome outcome = Outcome::Stopped;
    std::string report;
    std::vector<std::string> lines;
    std::vector<std::string> notices;
    std::vector<std::string> messages;
};

class Scene {
public:
    Scene(std::string edit, int digits, Language language)
        : m_edit(std::move(edit)), m_digits(digits), m_language(language) {}

    const std::string& edit() const { return m_edit; }
    int digits() const { return m_digits; }
    Language language() const { return m_language; }
    /// A catalogue text in the language of the reports.
    std::string_view text(const Text& t) const { return t.in(m_language); }

    /// Runs the command on the system with these answers, in decimals or
    /// in exact fractions.
    const Run& run(const Command& command, std::vector<std::string> answers, bool exact = false,
                   std::string edit = {}) {
        ReportSettings settings;
        settings.decimalDigits = m_digits;
        settings.exact = exact;
        settings.language = m_language;
        Run& r = m_runs.emplace_back();
        r.command = &command;
        r.answers = answers;
        r.exact = exact;
        r.edit = edit.empty() ? m_edit : std::move(edit);
        FuzzHost host(r.edit, std::move(answers));
        r.outcome = runCommand(command, host, settings);
        r.report = host.resultText();
        r.lines = reportLines(r.report);
        r.notices = std::move(host.notices);
        r.messages = std::move(host.messages);
        return r;
    }

    /// Prints what the run says against what is true, with a command line
    /// that shows it again, and traps.
    [[noreturn]] void fail(const Run& r, Property p, const std::string& what) const {
        if (setAside(p)) throw SetAside();
        std::fprintf(stderr, "\n==== report-truth finding (%s): %s\n",
                     kPropertyNames[static_cast<std::size_t>(p)].data(), what.c_str());
        std::string shown;
        for (const char c : r.edit) shown += c == '\n' ? std::string("\\n") : std::string(1, c);
        std::string line = "printf -- '" + shown + "' | quorvex-cli " + std::string(r.command->id);
        for (const std::string& a : r.answers) line += " -a '" + a + "'";
        line += " -d " + std::to_string(m_digits);
        if (r.exact) line += " --exact";
        if (m_language == Language::English) line += " --lang en";
        std::fprintf(stderr, "command: %s\n---- edit area\n%s---- report\n%s\n", line.c_str(),
                     r.edit.c_str(), r.report.c_str());
        for (const std::string& n : r.notices) std::fprintf(stderr, "notice: %s\n", n.c_str());
        for (const std::string& m : r.messages) std::fprintf(stderr, "message: %s\n", m.c_str());
        std::fflush(stderr);
        __builtin_trap();
    }

    /// Prints what is wrong with the system as read, before any command
    /// ran, and traps.
    [[noreturn]] void failReading(const std::string& what) const {
        if (setAside(Property::Reading)) throw SetAside();
        std::fprintf(stderr, "\n==== report-truth finding (reading): %s\n---- edit area\n%s",
                     what.c_str(), m_edit.c_str());
        std::fflush(stderr);
        __builtin_trap();
    }

private:
    std::string m_edit;
    int m_digits;
    Language m_language;
    std::deque<Run> m_runs; ///< a deque: references to earlier runs stay valid
};

} // namespace quorvex::fuzz
