#pragma once

#include "host.h"

#include <deque>
#include <sstream>
#include <string>
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
        : m_edit(std::move(edit)), m_answers(answers.begin(), answers.end()), m_digits(digits) {}

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
        const std::string a = next();
        return a == "yes" || a == "y";
    }
    std::string editText() override { return m_edit; }
    std::string resultText() override { return result; }
    void setResultText(std::string text) override { result = std::move(text); }
    void appendResult(std::string_view piece) override { result.append(piece); }
    int decimalDigits() override { return m_digits; }

    std::string result;
    std::vector<Dialog> dialogs;
    std::vector<std::string> messages;

private:
    std::string next() {
        if (m_answers.empty()) return {};
        std::string a = m_answers.front();
        m_answers.pop_front();
        return a;
    }

    std::string m_edit;
    std::deque<std::string> m_answers;
    int m_digits;
};

/// Joins lines with CR LF, the way reports break lines.
inline std::string crlf(std::initializer_list<std::string_view> lines) {
    std::string out;
    bool first = true;
    for (auto l : lines) {
        if (!first) out += "\r\n";
        out += l;
        first = false;
    }
    return out;
}

/// The values of the report's "x(i)=" lines, in the order they stand.
inline std::vector<double> solutionOf(const std::string& report) {
    std::vector<double> x;
    std::istringstream in(report);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("x(", 0) == 0) x.push_back(std::stod(line.substr(line.find('=') + 1)));
    return x;
}

} // namespace quorvex::testing
