#pragma once

#include "texts/text.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace quorvex {

struct ErrorChart;

class Document;

/// Everything a command may touch outside itself: the dialogs, the edit area
/// and the result area. The window, the console and the tests each implement
/// it; commands never reach the world another way.
class Host {
public:
    virtual ~Host() = default;

    /// Modal input box. Returns the text typed; Cancel returns the empty text.
    /// The caption is never empty (commands pass kAppTitle for "none").
    virtual std::string inputBox(const std::string& prompt, const std::string& caption,
                                 const std::string& defaultAnswer) = 0;

    /// Modal message box with an OK button only and no icon.
    virtual void messageBox(const std::string& text, const std::string& caption) = 0;

    /// Modal Yes/No question with a question icon and No as default button.
    /// Returns true for Yes.
    virtual bool askYesNo(const std::string& text, const std::string& caption) = 0;

    /// The whole text of the edit area.
    virtual std::string editText() = 0;

    /// The whole text of the result area.
    virtual std::string resultText() = 0;

    /// Replaces the whole text of the result area.
    virtual void setResultText(std::string text) = 0;

    /// Appends a finished report to the result area. The host writes its
    /// text (renderText) where and when it needs it, and keeps the document
    /// for the other formats (export, printing): a console writes a report
    /// of tens of megabytes out piece by piece instead of holding it whole.
    virtual void appendResult(std::shared_ptr<const Document> report) = 0;

    /// Bytes of memory a command may still take, or 0 when unknown (no
    /// check is made then). Commands check it before dimensioning arrays
    /// for a large order.
    virtual std::uint64_t availableMemory() { return 0; }

    /// Shows a chart that comes with the report: the window opens it in a
    /// dialog of its own, the console prints its table. Hosts that show no
    /// charts pass it by.
    virtual void showChart(const ErrorChart& chart) { (void)chart; }

    /// One sentence beside the report, never in it: what the report's own
    /// lines cannot say, such as a verdict that rounding alone brought about
    /// or why an infinity appears. The console writes it to standard error,
    /// the window and the page to the status bar and a note that does not
    /// block. Every host shows it: a notice is never passed by.
    virtual void notice(const std::string& text) = 0;
};

} // namespace quorvex
