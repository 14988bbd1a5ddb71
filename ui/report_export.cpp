#include "report_export.h"

#include "dialog_provider.h"
#include "document.h"
#include "messages.h"
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
#include <QTextDocument>

#include <array>

namespace quorvex::ui {

namespace {

// The feature's own texts.
const QString kExportMenu = QStringLiteral("导出(&E)");
const QString kPreviewItem = QStringLiteral("打印预览(&V)");
const QString kPrintItem = QStringLiteral("打印(&P)");
const QString kExportFailed = QStringLiteral("导出失败，文件没有写成#");

struct KindInfo {
    ExportKind kind;
    const char* name;    ///< the item's object name
    const char* caption; ///< the item's caption
    const char* filter;  ///< the save dialog's filter
    const char* suffix;
};

constexpr std::array<KindInfo, 4> kKinds{{
    {ExportKind::Latex, "FileExportLatex", "LaTeX (*.tex)", "LaTeX 文件 (*.tex)", "tex"},
    {ExportKind::Html, "FileExportHtml", "HTML (*.html)", "HTML 网页 (*.html)", "html"},
    {ExportKind::Markdown, "FileExportMarkdown", "Markdown (*.md)", "Markdown 文件 (*.md)", "md"},
    {ExportKind::Pdf, "FileExportPdf", "PDF (*.pdf)", "PDF 文件 (*.pdf)", "pdf"},
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

bool writeAtomically(const QString& path, const QByteArray& bytes) {
    // Written beside the target and renamed over it only when complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace

ReportExport::ReportExport(DialogProvider& dialogs, QWidget& window, ResultArea& resultArea,
                           StatusPanels& status, QMenu& fileMenu)
    : QObject(&window), m_dialogs(dialogs), m_window(window), m_result(resultArea),
      m_status(status) {
    QAction* exit = nullptr;
    for (QAction* a : fileMenu.actions())
        if (a->objectName() == QStringLiteral("FileExit")) exit = a;
    m_menu = new QMenu(kExportMenu, &fileMenu);
    m_menu->setObjectName(QStringLiteral("FileExport"));
    m_menu->menuAction()->setObjectName(QStringLiteral("FileExport"));
    for (const KindInfo& k : kKinds) {
        QAction* a = m_menu->addAction(QString::fromUtf8(k.caption));
        a->setObjectName(QString::fromLatin1(k.name));
        connect(a, &QAction::triggered, this, [this, kind = k.kind] { exportAs(kind); });
    }
    m_preview = new QAction(kPreviewItem, &fileMenu);
    m_preview->setObjectName(QStringLiteral("FilePrintPreview"));
    m_print = new QAction(kPrintItem, &fileMenu);
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

std::string ReportExport::rendered(Format format) const {
    if (const auto& d = m_result.document()) return render(*d, format);
    return render(plainDocument(m_result.text()), format);
}

std::unique_ptr<QTextDocument> ReportExport::printable() const {
    auto doc = std::make_unique<QTextDocument>();
    doc->setDefaultFont(chineseFont());
    doc->setHtml(QString::fromStdString(rendered(Format::Html)));
    return doc;
}

bool ReportExport::exportTo(ExportKind kind, const QString& path) const {
    switch (kind) {
    case ExportKind::Latex:
        return writeAtomically(path, QByteArray::fromStdString(rendered(Format::Latex)));
    case ExportKind::Html:
        return writeAtomically(path, QByteArray::fromStdString(rendered(Format::Html)));
    case ExportKind::Markdown:
        return writeAtomically(path, QByteArray::fromStdString(rendered(Format::Markdown)));
    case ExportKind::Pdf: break;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        if (const auto& d = m_result.document())
            writer.setTitle(QString::fromStdString(std::string(d->title())));
        printable()->print(&writer);
    }
    return file.commit();
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
    auto name =
        m_dialogs.saveFileName(&m_window, QString::fromUtf8(info.filter), initialName(kind));
    if (!name || name->isEmpty()) return;
    QString path = *name;
    if (QFileInfo(path).suffix().isEmpty()) path += u'.' + QString::fromLatin1(info.suffix);
    m_folder = QFileInfo(path).absolutePath();
    if (!exportTo(kind, path)) {
        m_dialogs.messageBox(&m_window, kExportFailed, kCaption);
        return;
    }
    m_status.setText(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
}

void ReportExport::print() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, &m_window);
    if (dialog.exec() != QDialog::Accepted) return;
    printable()->print(&printer);
}

void ReportExport::preview() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, &m_window);
    const auto doc = printable();
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [&doc](QPrinter* p) { doc->print(p); });
    dialog.exec();
}

} // namespace quorvex::ui
