#pragma once

#include "render/render.h"

#include <QObject>
#include <QString>

#include <memory>

class QAction;
class QMenu;
class QPrinter;
class QTextDocument;
class QWidget;

namespace quorvex::ui {

class DialogProvider;
class ResultArea;
class StatusPanels;

/// What the window exports a report as: the core's formats and PDF.
enum class ExportKind { Latex, Html, Markdown, Pdf };

/// 导出 and 打印 of the file menu: they write the report the result area
/// shows in another format, or print it, and are greyed while it shows none.
/// The formatting is the core's renderers'; this class only chooses files
/// and hands the text to them, or the HTML to Qt's printing.
class ReportExport : public QObject {
    Q_OBJECT
public:
    ReportExport(DialogProvider& dialogs, QWidget& window, ResultArea& resultArea,
                 StatusPanels& status, QMenu& fileMenu);
    ~ReportExport() override;

    /// Writes the shown report to path in that format, atomically. False
    /// when nothing could be written (the old file is then untouched).
    bool exportTo(ExportKind kind, const QString& path) const;

    QMenu* exportMenu() const { return m_menu; }
    QAction* printAction() const { return m_print; }
    QAction* previewAction() const { return m_preview; }

private:
    void exportAs(ExportKind kind);
    void print();
    void preview();
    void updateEnabled();
    QString initialName(ExportKind kind) const;
    std::unique_ptr<QTextDocument> printable() const;
    std::string rendered(Format format) const;

    DialogProvider& m_dialogs;
    QWidget& m_window;
    ResultArea& m_result;
    StatusPanels& m_status;
    QMenu* m_menu = nullptr;
    QAction* m_preview = nullptr;
    QAction* m_print = nullptr;
    QString m_folder; ///< the folder of the last export, for this run
};

} // namespace quorvex::ui
