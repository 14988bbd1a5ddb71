#pragma once

#include "report/render.h"

#include <QObject>
#include <QString>

#include <memory>

class QAction;
class QMenu;
class QWidget;

namespace quorvex::ui {

class BackgroundWork;
class DialogProvider;
class ResultArea;
class StatusPanels;

/// What the window exports a report as: the core's formats and PDF.
enum class ExportKind { Latex, Html, Markdown, Pdf };

/// 导出 and 打印 of the file menu: they write the report the result area
/// shows in another format, or print it, and are greyed while it shows none.
/// The formatting is the core's renderers' and the printed pages'; this
/// class chooses files and runs the writing as the window's background
/// work, so that 停止 and Esc stop it.
class ReportExport : public QObject {
    Q_OBJECT
public:
    ReportExport(DialogProvider& dialogs, QWidget& window, ResultArea& resultArea,
                 StatusPanels& status, QMenu& fileMenu, BackgroundWork& work);
    ~ReportExport() override;

    /// How an export ended.
    enum class Written { Done, Failed, Stopped };

    /// Writes the shown report to path in that format, through a temporary
    /// file renamed over the target once complete: when it fails or is
    /// stopped, the old file is untouched.
    Written exportTo(ExportKind kind, const QString& path);

    QMenu* exportMenu() const { return m_menu; }
    QAction* printAction() const { return m_print; }
    QAction* previewAction() const { return m_preview; }

private:
    void exportAs(ExportKind kind);
    void print();
    void preview();
    void updateEnabled();
    QString initialName(ExportKind kind) const;
    std::shared_ptr<const Document> shown() const;

    DialogProvider& m_dialogs;
    QWidget& m_window;
    ResultArea& m_result;
    StatusPanels& m_status;
    BackgroundWork& m_work;
    QMenu* m_menu = nullptr;
    QAction* m_preview = nullptr;
    QAction* m_print = nullptr;
    QString m_folder; ///< the folder of the last export, for this run
};

} // namespace quorvex::ui
