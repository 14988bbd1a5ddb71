#pragma once

#include "analysis/error_chart.h"
#include "frame/host.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

class QPlainTextEdit;
class QWidget;

namespace quorvex::ui {

class DialogProvider;
class ResultArea;

/// The window as a command sees it. Dialogs go to the provider. The result
/// area is written into a copy that the window takes over whole before a
/// dialog shows and when the command is done, so that a report is never
/// seen half-written and a dialog always sees the window as it now is.
class QtHost final : public Host {
public:
    QtHost(DialogProvider& dialogs, QWidget* parent, const QPlainTextEdit& editArea,
           ResultArea& resultArea);

    std::string inputBox(const std::string& prompt, const std::string& caption,
                         const std::string& defaultAnswer) override;
    void messageBox(const std::string& text, const std::string& caption) override;
    bool askYesNo(const std::string& text, const std::string& caption) override;
    std::string editText() override;
    std::string resultText() override;
    void setResultText(std::string text) override;
    void appendResult(std::shared_ptr<const Document> report) override;
    /// Appends a report whose text is already written.
    void appendRendered(std::string text, std::shared_ptr<const Document> report);
    std::uint64_t availableMemory() override;
    /// Keeps the chart until the command is done (takeChart).
    void showChart(const ErrorChart& chart) override { m_chart = chart; }
    /// Keeps the notices until the command is done (takeNotices).
    void notice(const std::string& text) override { m_notices.push_back(text); }

    /// The chart the command showed, if any, handed over once.
    std::optional<ErrorChart> takeChart() { return std::exchange(m_chart, std::nullopt); }
    /// The notices the command gave, handed over once.
    std::vector<std::string> takeNotices() { return std::exchange(m_notices, {}); }

    /// Hands the result area its new text, when the command changed it.
    void finish();

private:
    std::string& result();
    std::string& changedResult();
    void showResult();

    DialogProvider& m_dialogs;
    QWidget* m_parent;
    const QPlainTextEdit& m_editArea;
    ResultArea& m_resultArea;
    std::optional<std::string> m_editText;
    std::optional<std::string> m_result;
    std::shared_ptr<const Document> m_document; ///< the report m_result holds, if it is one
    bool m_resultChanged = false;
    std::optional<ErrorChart> m_chart;
    std::vector<std::string> m_notices;
};

} // namespace quorvex::ui
