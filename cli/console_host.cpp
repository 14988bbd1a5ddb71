#include "console_host.h"

#include "analysis/error_chart.h"
#include "report/document.h"
#include "system_memory.h"

#include <algorithm>
#include <cctype>

namespace quorvex::cli {

namespace {

/// A dialog's texts on one trace line: line breaks shown as \n.
std::string oneLine(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else out += c;
    }
    return out;
}

} // namespace

ConsoleHost::ConsoleHost(std::string editText, std::string previousResult,
                         std::deque<std::string> answers, bool trace, std::FILE* err)
    : m_edit(std::move(editText)), m_result(std::move(previousResult)),
      m_answers(std::move(answers)), m_trace(trace), m_err(err) {}

std::string ConsoleHost::inputBox(const std::string& prompt, const std::string& caption,
                                  const std::string& defaultAnswer) {
    std::string answer;
    const bool cancelled = m_answers.empty();
    if (!cancelled) {
        answer = m_answers.front();
        m_answers.pop_front();
    }
    if (m_trace)
        std::fprintf(m_err, "input: caption=%s prompt=%s default=%s answer=%s\n",
                     oneLine(caption).c_str(), oneLine(prompt).c_str(),
                     oneLine(defaultAnswer).c_str(),
                     cancelled ? "(cancel)" : oneLine(answer).c_str());
    return answer;
}

void ConsoleHost::messageBox(const std::string& text, const std::string& caption) {
    if (m_trace) std::fprintf(m_err, "message box: caption=%s\n", oneLine(caption).c_str());
    std::fprintf(m_err, "message: %s\n", oneLine(text).c_str());
}

bool ConsoleHost::askYesNo(const std::string& text, const std::string& caption) {
    bool yes = false;
    std::string taken = "(none: No)";
    if (!m_answers.empty()) {
        taken = m_answers.front();
        m_answers.pop_front();
        const YesNo v = parseYesNo(taken);
        if (v == YesNo::Unknown)
            std::fprintf(m_err, "warning: answer '%s' to a yes/no question taken as No\n",
                         taken.c_str());
        yes = v == YesNo::Yes;
    }
    if (m_trace)
        std::fprintf(m_err, "question: caption=%s text=%s answer=%s\n", oneLine(caption).c_str(),
                     oneLine(text).c_str(), oneLine(taken).c_str());
    return yes;
}

void ConsoleHost::showChart(const ErrorChart& chart) {
    std::fprintf(m_err, "chart: %s\n%s", oneLine(chart.title).c_str(), chartTable(chart).c_str());
}

void ConsoleHost::notice(const std::string& text) {
    std::fprintf(m_err, "notice: %s\n", oneLine(text).c_str());
}

std::uint64_t ConsoleHost::availableMemory() { return platform::availableMemoryBytes(); }

YesNo parseYesNo(std::string_view answer) {
    std::string a(answer);
    std::transform(a.begin(), a.end(), a.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (a == "yes" || a == "y" || a == "是") return YesNo::Yes;
    if (a == "no" || a == "n" || a == "否") return YesNo::No;
    return YesNo::Unknown;
}

} // namespace quorvex::cli
