// What the command fuzzers share: a host that answers from a script and the
// layout of their input.
#pragma once

#include "commands/registry.h"
#include "frame/host.h"
#include "frame/settings.h"
#include "reading/number_text.h"
#include "report/render.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex::fuzz {

/// Answers every dialog from a script, in order; an order answer above 99
/// becomes 99, so a run stays quick.
class FuzzHost : public Host {
public:
    FuzzHost(std::string edit, std::vector<std::string> answers)
        : m_edit(std::move(edit)), m_answers(std::move(answers)) {}
    std::string inputBox(const std::string& prompt, const std::string&,
                         const std::string&) override {
        std::string answer = next();
        if (prompt.find("阶数") != std::string::npos && orderFromAnswer(answer).value_or(0) > 99)
            answer = "99";
        return answer;
    }
    void messageBox(const std::string& text, const std::string&) override {
        messages.push_back(text);
    }
    void notice(const std::string& text) override { notices.push_back(text); }
    bool askYesNo(const std::string&, const std::string&) override { return next() == "y"; }
    std::string editText() override { return m_edit; }
    std::string resultText() override { return m_result; }
    void setResultText(std::string text) override { m_result = std::move(text); }
    void appendResult(std::shared_ptr<const Document> report) override {
        m_result.append(renderText(*report));
    }

    /// The notices and the messages the command gave, for targets that
    /// check them.
    std::vector<std::string> notices;
    std::vector<std::string> messages;

private:
    std::string next() {
        // A script that keeps answering "no" would ask forever.
        if (++m_asked > 400 || m_next >= m_answers.size()) return {};
        return m_answers[m_next++];
    }
    std::string m_edit;
    std::vector<std::string> m_answers;
    std::size_t m_next = 0;
    int m_asked = 0;
    std::string m_result;
};

/// One fuzzed run: one byte picks the command, one the decimals (its low four
/// bits) and the options (exact fractions, worked steps), then the
/// answers separated by newlines up to a NUL byte (each cut to `answerLength`
/// characters), then the edit area's text.
inline void runFuzzedCommand(const std::uint8_t* data, std::size_t size, std::size_t answerLength) {
    static const std::vector<const Command*> all = allCommands();
    if (size < 2 || all.empty()) return;
    const Command* command = all[data[0] % all.size()];
    ReportSettings settings;
    settings.decimalDigits = 1 + data[1] % 16;
    settings.exact = (data[1] & 0x10) != 0;
    settings.steps = (data[1] & 0x20) != 0;
    std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::size_t nul = rest.find('\0');
    std::string_view script = rest.substr(0, nul);
    const std::string_view edit =
        nul == std::string_view::npos ? std::string_view() : rest.substr(nul + 1);
    std::vector<std::string> answers;
    while (!script.empty()) {
        const std::size_t nl = script.find('\n');
        answers.emplace_back(script.substr(0, std::min(answerLength, nl)));
        if (nl == std::string_view::npos) break;
        script.remove_prefix(nl + 1);
    }
    FuzzHost host(std::string(edit), std::move(answers));
    runCommand(*command, host, settings);
}

} // namespace quorvex::fuzz
