#pragma once

#include "host.h"

#include <optional>
#include <string>

class QPlainTextEdit;
class QWidget;

namespace quorvex::ui {

class DialogProvider;
class ResultArea;

/// The window as a command sees it. Dialogs go to the provider; the result
/// area is written into a copy that the window takes over whole when the
/// command is done, so a report never shows half-written.
class QtHost final : public Host {
public:
    QtHost(DialogProvider& dialogs, QWidget* parent, const QPlainTextEdit& editArea,
           const ResultArea& resultArea, int decimalDigits);

    std::string inputBox(const std::string& prompt, const std::string& caption,
                         const std::string& defaultAnswer) override;
    void messageBox(const std::string& text, const std::string& caption) override;
    bool askYesNo(const std::string& text, const std::string& caption) override;
    std::string editText() override;
    std::string resultText() override;
    void setResultText(std::string text) override;
    void appendResult(std::string_view piece) override;
    int decimalDigits() override { return m_decimalDigits; }

    /// The result area's new text, when the command changed it.
    std::optional<std::string> takeResult();

private:
    std::string& result();

    DialogProvider& m_dialogs;
    QWidget* m_parent;
    const QPlainTextEdit& m_editArea;
    const ResultArea& m_resultArea;
    int m_decimalDigits;
    std::optional<std::string> m_editText;
    std::optional<std::string> m_result;
};

} // namespace quorvex::ui
