#pragma once

class QPlainTextEdit;
class QString;

namespace quorvex::ui {

class ResultArea;

/// The edit menu's commands and the clipboard routines. They act on the
/// edit area Text1 whichever area has the focus; the clipboard is used in
/// its plain-text form only.
class EditCommands {
public:
    EditCommands(QPlainTextEdit& editArea, const ResultArea& resultArea);

    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();

    void EditSelectAll_Click();
    void EditCut_Click() { CutToClipboard(); }
    void EditCopy_Click() { CopyToClipboard(); }
    void EditPaste_Click() { PasteFromClipboard(); }
    void EditDelete_Click();

private:
    void replaceSelection(const QString& text);

    QPlainTextEdit& m_editArea;
    const ResultArea& m_resultArea;
};

} // namespace quorvex::ui
