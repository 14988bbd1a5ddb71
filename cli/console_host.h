#pragma once

#include "frame/host.h"
#include "report/render.h"

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
    std::string resultText() override;
    void setResultText(std::string text) override {
        m_result = std::move(text);
        m_document.reset();
        m_resultIsReport = false;
    }
    void appendResult(std::shared_ptr<const Document> report) override;
    std::uint64_t availableMemory() override;
    /// The console cannot draw: the chart's title and table go to standard
    /// error, after the messages.
    void showChart(const ErrorChart& chart) override;

    /// True when the result area holds nothing.
    bool resultEmpty() const;
    /// Hands the result area's text to sink, a report's piece by piece.
    bool writeResult(const TextSink& sink) const;
    /// The result area as a document: the report when it holds exactly
    /// one, otherwise its text line by line.
    Document resultDocument() const;

private:
    std::string m_edit;
    std::string m_result;                       ///< the area's text, unless it holds one report
    std::shared_ptr<const Document> m_document; ///< the report the area holds, if it is one
    /// The area is exactly m_document: its text is written only when asked
    /// for, so a large report is never held as a whole text.
    bool m_resultIsReport = false;
    std::deque<std::string> m_answers;
    bool m_trace;
    std::FILE* m_err;
};

/// Reads a yes/no answer: yes/y/是 and no/n/否, any case. Anything else gives
/// nothing.
enum class YesNo { Yes, No, Unknown };
YesNo parseYesNo(std::string_view answer);

} // namespace quorvex::cli
