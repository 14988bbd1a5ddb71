#pragma once

#include <QString>

#include <memory>
#include <string>

class QPlainTextEdit;
class QTextCursor;

namespace quorvex {
class Document;
}

namespace quorvex::ui {

// The two text areas hold plain text whose line breaks are CR LF pairs, the
// way every report writes them. The widget keeps one break per line; these
// helpers give the text, lengths and positions as the program counts them,
// each line break being two characters.

/// Makes a multi-line text area: both scroll bars, no wrapping.
void setUpTextArea(QPlainTextEdit& area, const QString& name, bool readOnly);

/// The area's whole text, line breaks as CR LF, in UTF-8.
std::string crlfText(const QPlainTextEdit& area);

/// The text of a selection, line breaks as CR LF.
QString crlfText(const QTextCursor& selection);

/// True when the area's text is empty once leading and trailing blanks
/// (spaces) are removed; a line break is not a blank.
bool isBlank(const QPlainTextEdit& area);

/// The length of the area's text, each line break counted as two.
qsizetype crlfLength(const QPlainTextEdit& area);

/// A cursor position counted as the program counts it (breaks as two).
qsizetype crlfPosition(const QPlainTextEdit& area, int position);

/// The length of a UTF-8 text in UTF-16 characters.
qsizetype utf16Length(const std::string& text);

/// The result area Text2. Only the program writes it (it is locked against
/// typing), so it keeps the exact text it was given: what is read back and
/// saved is byte for byte the report, however large.
class ResultArea {
public:
    explicit ResultArea(QPlainTextEdit& view) : m_view(view) {}

    QPlainTextEdit& view() const { return m_view; }
    const std::string& text() const { return m_text; }
    void setText(std::string text);
    /// Shows a report: its text, and the document it was written from.
    void setReport(std::string text, std::shared_ptr<const Document> document);
    void clear() { setText({}); }
    /// The report the area shows as a document, or nothing when its text
    /// did not come from one report.
    const std::shared_ptr<const Document>& document() const { return m_document; }
    /// Empty once leading and trailing blanks (spaces) are removed.
    bool isBlank() const;
    /// The length of the text in characters (a CR LF break counts two).
    qsizetype length() const { return utf16Length(m_text); }

private:
    QPlainTextEdit& m_view;
    std::string m_text;
    std::shared_ptr<const Document> m_document;
};

} // namespace quorvex::ui
