#include "text_areas.h"

#include "reading/text_passes.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>

#include <algorithm>
#include <memory>

namespace quorvex::ui {

namespace {

/// The context menu's 复制 gives the text with CR LF breaks, as a saved
/// report has them, rather than the widget's own single line feeds.
void copyWithCrLf(QPlainTextEdit& area) {
    area.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&area, &QWidget::customContextMenuRequested, &area, [&area](QPoint at) {
        std::unique_ptr<QMenu> menu(area.createStandardContextMenu(at));
        if (auto* copy = menu->findChild<QAction*>(QStringLiteral("edit-copy"))) {
            QObject::disconnect(copy, &QAction::triggered, nullptr, nullptr);
            QObject::connect(copy, &QAction::triggered, &area, [&area] {
                QApplication::clipboard()->setText(crlfText(area.textCursor()));
            });
        }
        menu->exec(area.viewport()->mapToGlobal(at));
    });
}

} // namespace

void setUpTextArea(QPlainTextEdit& area, const QString& name, bool readOnly) {
    area.setObjectName(name);
    area.setLineWrapMode(QPlainTextEdit::NoWrap);
    area.setWordWrapMode(QTextOption::NoWrap);
    area.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    area.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab moves on to the next control, as in every other text box of the window.
    area.setTabChangesFocus(true);
    area.setReadOnly(readOnly);
    copyWithCrLf(area);
    if (readOnly) {
        area.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        // Reports are replaced whole; an undo history of them would only hold memory.
        area.setUndoRedoEnabled(false);
    }
}

std::string crlfText(const QPlainTextEdit& area) {
    QString text = area.toPlainText();
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text.toStdString();
}

QString crlfText(const QTextCursor& selection) {
    QString text = selection.selection().toPlainText();
    return text.replace(u'\n', QStringLiteral("\r\n"));
}

bool isBlank(const QPlainTextEdit& area) {
    const QTextDocument& doc = *area.document();
    if (doc.blockCount() > 1) return false;
    const QString first = doc.firstBlock().text();
    return std::all_of(first.cbegin(), first.cend(), [](QChar c) { return c == u' '; });
}

qsizetype crlfLength(const QPlainTextEdit& area) {
    const QTextDocument& doc = *area.document();
    // characterCount() counts each break once, and the closing mark of the last block.
    return (doc.characterCount() - 1) + (doc.blockCount() - 1);
}

qsizetype crlfPosition(const QPlainTextEdit& area, int position) {
    return position + area.document()->findBlock(position).blockNumber();
}

qsizetype utf16Length(const std::string& text) {
    qsizetype n = 0;
    for (unsigned char c : text) {
        if ((c & 0xC0) != 0x80) ++n; // a character starts here
        if (c >= 0xF0) ++n;          // beyond the basic plane: a surrogate pair
    }
    return n;
}

void ResultArea::setText(std::string text) { setReport(std::move(text), nullptr); }

void ResultArea::setReport(std::string text, std::shared_ptr<const Document> document) {
    // Built before anything changes: when memory runs out here, the area
    // keeps its old text.
    const QString shown = QString::fromStdString(text);
    m_text = std::move(text);
    m_document = std::move(document);
    try {
        m_view.setPlainText(shown);
    } catch (const std::bad_alloc&) {
        m_text.clear();
        m_document.reset();
        m_view.clear();
        throw;
    }
}

bool ResultArea::isBlank() const { return trimBlanks(m_text).empty(); }

} // namespace quorvex::ui
