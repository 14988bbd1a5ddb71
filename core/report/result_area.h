#pragma once

#include "report/document.h"
#include "report/render.h"

#include <memory>
#include <string>

namespace quorvex {

/// The result area of a host without a window of its own (the console, the
/// page's core): either one report, whose text is written only when asked
/// for, so a large report is never held as a whole text, or plain text.
class ResultArea {
public:
    explicit ResultArea(std::string text = {}) : m_text(std::move(text)) {}

    /// The area's whole text.
    std::string text() const { return m_isReport ? renderText(*m_report) : m_text; }

    void setText(std::string text) {
        m_text = std::move(text);
        m_report.reset();
        m_isReport = false;
    }

    /// A report goes after what the area holds; into an empty area it comes
    /// as itself.
    void append(std::shared_ptr<const Document> report);

    bool empty() const { return m_isReport ? m_report->empty() : m_text.empty(); }

    /// Hands the area's text to sink, a report's piece by piece.
    bool write(const TextSink& sink) const;

    /// The area as a document: the report when it holds exactly one,
    /// otherwise its text line by line.
    Document document() const { return m_isReport ? *m_report : plainDocument(m_text); }

    /// Whether the area holds exactly one report.
    bool holdsReport() const { return m_isReport; }

private:
    std::string m_text;                       ///< the area's text, unless it holds one report
    std::shared_ptr<const Document> m_report; ///< the report the area holds, if it is one
    bool m_isReport = false;
};

} // namespace quorvex
