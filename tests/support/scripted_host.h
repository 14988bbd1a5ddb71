#pragma once

#include "frame/frame.h"
#include "frame/host.h"
#include "frame/settings.h"
#include "report/render.h"

#include <algorithm>
#include <deque>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex::testing {

/// A Host whose dialogs take queued answers and record what they showed.
/// An input box with no answer left is cancelled (empty text); a question
/// with no answer left is answered No.
class ScriptedHost : public Host {
public:
    struct Dialog {
        enum Kind { Input, Message, Question } kind;
        std::string text; ///< prompt or message text
        std::string caption;
        std::string defaultAnswer;
    };

    ScriptedHost(std::string edit, std::vector<std::string> answers, int digits = 6)
        : m_edit(std::move(edit)), m_answers(answers.begin(), answers.end()) {
        settings.decimalDigits = digits;
    }

    std::string inputBox(const std::string& prompt, const std::string& caption,
                         const std::string& defaultAnswer) override {
        dialogs.push_back({Dialog::Input, prompt, caption, defaultAnswer});
        return next();
    }
    void messageBox(const std::string& text, const std::string& caption) override {
        dialogs.push_back({Dialog::Message, text, caption, {}});
        messages.push_back(text);
    }
    bool askYesNo(const std::string& text, const std::string& caption) override {
        dialogs.push_back({Dialog::Question, text, caption, {}});
        return next() == "yes";
    }
    void notice(const std::string& text) override { notices.push_back(text); }
    std::string editText() override { return m_edit; }
    std::string resultText() override { return result; }
    void setResultText(std::string text) override { result = std::move(text); }
    void appendResult(std::shared_ptr<const Document> doc) override {
        // As the real hosts: a document only while the area holds one report.
        const std::string text = renderText(*doc);
        document = result.empty() ? std::move(doc) : nullptr;
        result.append(text);
    }

    /// Runs a command here with this host's settings.
    Outcome run(const Command& command) { return runCommand(command, *this, settings); }

    ReportSettings settings;
    std::string result;
    std::shared_ptr<const Document> document; ///< the report the area holds, if it holds one
    std::vector<Dialog> dialogs;
    std::vector<std::string> messages;
    std::vector<std::string> notices;

private:
    std::string next() {
        if (m_answers.empty()) return {};
        std::string a = m_answers.front();
        m_answers.pop_front();
        return a;
    }

    std::string m_edit;
    std::deque<std::string> m_answers;
};

/// A host that has run the command on the text with these answers, with its
/// steps and in exact fractions as asked, at this many decimals.
inline ScriptedHost ran(const Command& command, const std::string& text,
                        std::vector<std::string> answers, bool steps = false, bool exact = false,
                        int digits = 6) {
    ScriptedHost host(text, std::move(answers), digits);
    host.settings.steps = steps;
    host.settings.exact = exact;
    host.run(command);
    return host;
}

/// Whether `on` is `off` with one stretch of text inserted, a stretch that
/// holds `inside`: how a report with its steps stands to the same report
/// without them.
inline bool oneStretchAdded(const std::string& off, const std::string& on,
                            std::string_view inside) {
    if (on.size() <= off.size() || on.find(inside) == std::string::npos) return false;
    const auto start = std::mismatch(off.begin(), off.end(), on.begin()).first - off.begin();
    std::string without = on;
    without.erase(static_cast<std::size_t>(start), on.size() - off.size());
    return without == off;
}

/// The values of the report's "x(k)=v" lines, placed by the unknown's number
/// k (a full-pivot report lists them in pivot order).
inline std::vector<double> solutionOf(const std::string& report) {
    std::vector<double> x;
    std::istringstream in(report);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("x(", 0) != 0) continue;
        const auto k = static_cast<std::size_t>(std::stoi(line.substr(2)));
        if (x.size() < k) x.resize(k);
        x[k - 1] = std::stod(line.substr(line.find('=') + 1));
    }
    return x;
}

enum class Shape { General, Symmetric, Tridiagonal };

/// The text of an n x (n+1) system with an integer solution (stored in
/// `solution`): off-diagonal entries in -9..9, diagonal entries weight * n
/// plus such an entry, so weight >= 10 makes it strictly diagonally dominant
/// (and, when symmetric, positive definite).
inline std::string dominantSystem(int n, int weight, Shape shape, std::mt19937& rng,
                                  std::vector<double>& solution) {
    std::uniform_int_distribution<int> coef(-9, 9);
    std::vector<std::vector<double>> a(n, std::vector<double>(n, 0.0));
    solution.assign(n, 0.0);
    for (double& x : solution) x = coef(rng);
    std::ostringstream text;
    for (int i = 0; i < n; ++i) {
        double b = 0;
        for (int j = 0; j < n; ++j) {
            if (shape != Shape::Tridiagonal || std::abs(i - j) <= 1)
                a[i][j] = i == j                               ? weight * n + coef(rng)
                          : (shape != Shape::General && j < i) ? a[j][i]
                                                               : coef(rng);
            b += a[i][j] * solution[j];
            text << a[i][j] << ' ';
        }
        text << b << "\r\n";
    }
    return text.str();
}

} // namespace quorvex::testing
