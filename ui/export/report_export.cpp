#include "report_export.h"

#include "background_work.h"
#include "dialog_provider.h"
#include "messages.h"
#include "report/document.h"
#include "report_pages.h"
#include "status_panels.h"
#include "text_areas.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMenu>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>

#include <array>

namespace quorvex::ui {

namespace {

// The feature's own texts.
constexpr UiText kExportMenu{QT_TRANSLATE_NOOP("quorvex::ui::menus", "导出(&E)"), kMenuContext};
constexpr UiText kPreviewItem{QT_TRANSLATE_NOOP("quorvex::ui::menus", "打印预览(&V)"),
                              kMenuContext};
constexpr UiText kPrintItem{QT_TRANSLATE_NOOP("quorvex::ui::menus", "打印(&P)"), kMenuContext};
constexpr UiText kExportFailed{QT_TRANSLATE_NOOP("quorvex::ui", "导出失败，文件没有写成#")};

struct KindInfo {
    ExportKind kind;
    const char* name;    ///< the item's object name
    const char* caption; ///< the item's caption
    const char* filter;  ///< the save dialog's filter
    const char* suffix;
};

constexpr std::array<KindInfo, 4> kKinds{{
    {ExportKind::Latex, "FileExportLatex", "LaTeX (*.tex)",
     QT_TRANSLATE_NOOP("quorvex::ui", "LaTeX 文件 (*.tex)"), "tex"},
    {ExportKind::Html, "FileExportHtml", "HTML (*.html)",
     QT_TRANSLATE_NOOP("quorvex::ui", "HTML 网页 (*.html)"), "html"},
    {ExportKind::Markdown, "FileExportMarkdown", "Markdown (*.md)",
     QT_TRANSLATE_NOOP("quorvex::ui", "Markdown 文件 (*.md)"), "md"},
    {ExportKind::Pdf, "FileExportPdf", "PDF (*.pdf)",
     QT_TRANSLATE_NOOP("quorvex::ui", "PDF 文件 (*.pdf)"), "pdf"},
}};

const KindInfo& infoOf(ExportKind kind) {
    for (const KindInfo& k : kKinds)
        if (k.kind == kind) return k;
    return kKinds.front();
}

/// A font with Chinese characters, so that the PDF embeds one that shows them.
QFont chineseFont() {
    for (const char* family : {"WenQuanYi Zen Hei", "Noto Sans CJK SC", "Noto Serif CJK SC",
                               "AR PL UMing CN", "SimSun", "Microsoft YaHei"})
        if (QFontDatabase::hasFamily(QString::fromLatin1(family)))
            return QFont(QString::fromLatin1(family));
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont);
}

using Written = ReportExport::Written;

Written writeAtomically(const QString& path, const std::string& text, const StopRequest& stop) {
    if (stop.requested()) return Written::Stopped;
    // Written beside the target and renamed over it only when complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return Written::Failed;
    const auto size = static_cast<qint64>(text.size());
    if (file.write(text.data(), size) != size) return Written::Failed;
    return file.commit() ? Written::Done : Written::Failed;
}

Written writePdf(const QString& path, const Document& d, const QFont& font,
                 const StopRequest& stop) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return Written::Failed;
    bool painted = false;
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setTitle(QString::fromStdString(std::string(d.title())));
        painted = ReportPages(d, font).paint(writer, stop);
    }
    if (!painted) return stop.requested() ? Written::Stopped : Written::Failed;
    return file.commit() ? Written::Done : Written::Failed;
}

/// The pages on a printer; a stopped run is cancelled rather than printed
/// in part.
bool printPages(QPrinter& printer, const Document& d, const QFont& font, const StopRequest& stop) {
    if (ReportPages(d, font).paint(printer, stop)) return true;
    printer.abort();
    return false;
}

} // namespace

ReportExport::ReportExport(DialogProvider& dialogs, QWidget& window, ResultArea& resultArea,
                           StatusPanels& status, QMenu& fileMenu, BackgroundWork& work)
    : QObject(&window), m_dialogs(dialogs), m_window(window), m_result(resultArea),
      m_status(status), m_work(work) {
    QAction* exit = nullptr;
    for (QAction* a : fileMenu.actions())
        if (a->objectName() == QStringLiteral("FileExit")) exit = a;
    m_menu = new QMenu(&fileMenu);
    setWindowText(*m_menu->menuAction(), kExportMenu);
    m_menu->setObjectName(QStringLiteral("FileExport"));
    m_menu->menuAction()->setObjectName(QStringLiteral("FileExport"));
    for (const KindInfo& k : kKinds) {
        QAction* a = m_menu->addAction(QString::fromUtf8(k.caption));
        a->setObjectName(QString::fromLatin1(k.name));
        connect(a, &QAction::triggered, this, [this, kind = k.kind] { exportAs(kind); });
    }
    m_preview = new QAction(&fileMenu);
    setWindowText(*m_preview, kPreviewItem);
    m_preview->setObjectName(QStringLiteral("FilePrintPreview"));
    m_print = new QAction(&fileMenu);
    setWindowText(*m_print, kPrintItem);
    m_print->setObjectName(QStringLiteral("FilePrint"));
    m_print->setShortcut(QKeySequence::Print);
    fileMenu.insertMenu(exit, m_menu);
    fileMenu.insertAction(exit, m_preview);
    fileMenu.insertAction(exit, m_print);
    connect(m_preview, &QAction::triggered, this, &ReportExport::preview);
    connect(m_print, &QAction::triggered, this, &ReportExport::print);
    connect(&m_result.view(), &QPlainTextEdit::textChanged, this, &ReportExport::updateEnabled);
    updateEnabled();
}

ReportExport::~ReportExport() = default;

void ReportExport::updateEnabled() {
    const bool report = !m_result.isBlank();
    m_menu->menuAction()->setEnabled(report);
    m_preview->setEnabled(report);
    m_print->setEnabled(report);
}

std::shared_ptr<const Document> ReportExport::shown() const {
    if (const auto& d = m_result.document()) return d;
    return std::make_shared<const Document>(plainDocument(m_result.text()));
}

Written ReportExport::exportTo(ExportKind kind, const QString& path) {
    if (m_work.running()) return Written::Failed;
    auto written = std::make_shared<Written>(Written::Stopped);
    const std::shared_ptr<const Document> d = shown();
    const QFont font = chineseFont();
    // The work may outlive this call (the window closed meanwhile): it owns
    // what it reads.
    const auto ended = m_work.run([kind, path, d, font, written](const WorkSignals& control) {
        switch (kind) {
        case ExportKind::Latex:
            *written = writeAtomically(path, render(*d, Format::Latex), control.stop);
            return;
        case ExportKind::Html:
            *written = writeAtomically(path, render(*d, Format::Html), control.stop);
            return;
        case ExportKind::Markdown:
            *written = writeAtomically(path, render(*d, Format::Markdown), control.stop);
            return;
        case ExportKind::Pdf: *written = writePdf(path, *d, font, control.stop); return;
        }
    });
    return ended == BackgroundWork::Ended::Finished ? *written : Written::Stopped;
}

QString ReportExport::initialName(ExportKind kind) const {
    QString base = QStringLiteral("Quorvex");
    if (const auto& d = m_result.document(); d && !d->title().empty())
        base = QString::fromStdString(std::string(d->title())).remove(u'。');
    const QString name = base + u'.' + QString::fromLatin1(infoOf(kind).suffix);
    return m_folder.isEmpty() ? name : QDir(m_folder).filePath(name);
}

void ReportExport::exportAs(ExportKind kind) {
    const KindInfo& info = infoOf(kind);
    auto name = m_dialogs.saveFileName(&m_window, UiText{info.filter}, initialName(kind));
    if (!name || name->isEmpty()) return;
    QString path = *name;
    if (QFileInfo(path).suffix().isEmpty()) path += u'.' + QString::fromLatin1(info.suffix);
    m_folder = QFileInfo(path).absolutePath();
    Written written = Written::Failed;
    try {
        written = exportTo(kind, path);
    } catch (const std::bad_alloc&) {
        // Too large for the memory: nothing was written, the window goes on.
    }
    if (written == Written::Stopped) return m_status.setText(kExportStopped);
    if (written == Written::Failed) return m_dialogs.messageBox(&m_window, kExportFailed, kCaption);
    m_status.setText(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
}

void ReportExport::print() {
    if (m_work.running()) return;
    // Shared with the work, which may outlive this call.
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), &m_window);
    if (dialog.exec() != QDialog::Accepted) return;
    auto printed = std::make_shared<bool>(false);
    const std::shared_ptr<const Document> d = shown();
    const QFont font = chineseFont();
    try {
        m_work.run([printer, d, font, printed](const WorkSignals& control) {
            *printed = printPages(*printer, *d, font, control.stop);
        });
    } catch (const std::bad_alloc&) {
    }
    if (!*printed) m_status.setText(kPrintStopped);
}

void ReportExport::preview() {
    if (m_work.running()) return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, &m_window);
    const std::shared_ptr<const Document> d = shown();
    const QFont font = chineseFont();
    // The pages are painted as background work while the preview waits;
    // closing the preview stops them. A preview cannot outlive the window,
    // whose close box it blocks, so the work is always waited for. The
    // first pages are painted while the preview opens: closed then, it is
    // closed again once its own loop runs, which would otherwise wait on.
    bool closed = false;
    connect(&dialog, &QDialog::finished, this, [this, &closed] {
        closed = true;
        m_work.stop();
    });
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this, d, font, &dialog, &closed](QPrinter* p) {
                if (m_work.running()) return;
                try {
                    m_work.run([p, d, font](const WorkSignals& control) {
                        ReportPages(*d, font).paint(*p, control.stop);
                    });
                } catch (const std::bad_alloc&) {
                }
                if (closed)
                    QMetaObject::invokeMethod(&dialog, &QDialog::reject, Qt::QueuedConnection);
            });
    dialog.exec();
}

} // namespace quorvex::ui
