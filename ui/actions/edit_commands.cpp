#include "edit_commands.h"

#include "text_areas.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace quorvex::ui {

EditCommands::EditCommands(QPlainTextEdit& editArea, const ResultArea& resultArea)
    : m_editArea(editArea), m_resultArea(resultArea) {}

void EditCommands::CopyToClipboard() {
    QApplication::clipboard()->setText(crlfText(m_editArea.textCursor()));
}

void EditCommands::CutToClipboard() {
    CopyToClipboard();
    replaceSelection(QString());
}

void EditCommands::PasteFromClipboard() { replaceSelection(QApplication::clipboard()->text()); }

void EditCommands::replaceSelection(const QString& text) {
    QTextCursor cursor = m_editArea.textCursor();
    cursor.insertText(text);
    m_editArea.setTextCursor(cursor);
}

void EditCommands::EditSelectAll_Click() { m_editArea.selectAll(); }

void EditCommands::EditDelete_Click() {
    QTextCursor cursor = m_editArea.textCursor();
    // The caret's place is compared with the length of the focused area's
    // text, whichever area that is.
    const qsizetype p = crlfPosition(m_editArea, cursor.selectionStart());
    const bool resultFocused = QApplication::focusWidget() == &m_resultArea.view();
    const qsizetype length = resultFocused ? m_resultArea.length() : crlfLength(m_editArea);
    if (length == p) return;
    // One character after the caret; a line break is one character here and
    // goes as a whole, its CR and LF together.
    if (!cursor.hasSelection())
        cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    m_editArea.setTextCursor(cursor);
}

} // namespace quorvex::ui
