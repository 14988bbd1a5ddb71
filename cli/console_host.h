#pragma once

#include "frame/host.h"
#include "report/result_area.h"

#include <cstdio>
#include <deque>
#include <string>

namespace quorvex::cli {

/// Runs a command headless: dialogs take their answers from a script, in
/// the order they are shown; message boxes go to standard error.
class ConsoleHost : public Host {
public:
    ConsoleHost(std::string editText, std::string previousResult, std::deque<std::string> answers,
                bool trace, std::FILE* err);

    std::string inputBox(const std::string& prompt, const std::string& caption,
                         const std::string& defaultAnswer) override;
    void messageBox(const std::string& text, const std::string& caption) override;
    bool askYesNo(const std::string& text, const std::string& caption) override;
    std::string editText() override { return m_edit; }
    std::string resultText() override { return m_result.text(); }
    void setResultText(std::string text) override { m_result.setText(std::move(text)); }
    void appendResult(std::shared_ptr<const Document> report) override {
        m_result.append(std::move(report));
    }
    std::uint64_t availableMemory() override;
    /// The console cannot draw: the chart's title and table go to standard
    /// error, after the messages.
    void showChart(const ErrorChart& chart) override;
    void notice(const std::string& text) override;

    /// The result area, which the console writes out at the end.
    const ResultArea& result() const { return m_result; }

private:
    std::string m_edit;
    ResultArea m_result;
    std::deque<std::string> m_answers;
    bool m_trace;
    std::FILE* m_err;
};

/// Reads a yes/no answer: yes/y/是 and no/n/否, any case. Anything else gives
/// nothing.
enum class YesNo { Yes, No, Unknown };
YesNo parseYesNo(std::string_view answer);

} // namespace quorvex::cli
