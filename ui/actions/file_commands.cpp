#include "file_commands.h"

#include "dialog_provider.h"
#include "input_file.h"
#include "locale_text.h"
#include "messages.h"
#include "status_panels.h"
#include "text_areas.h"
#include "window_layout.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSaveFile>
#include <QTextCursor>

#include <algorithm>
#include <limits>

namespace quorvex::ui {

namespace {

/// Large files go into the edit area in pieces this long, so that the
/// progress bar can move while they load.
constexpr qsizetype kChunkChars = 1 << 18;

/// The end of the piece of text starting at `from`: never between a CR and
/// its LF, nor inside a surrogate pair.
qsizetype chunkEnd(const QString& text, qsizetype from) {
    qsizetype end = std::min(text.size(), from + kChunkChars);
    if (end < text.size() && (text[end - 1] == u'\r' || text[end - 1].isHighSurrogate())) ++end;
    return end;
}

QString filter() { return qtFileFilter(UiText{kFileFilter}); }

} // namespace

FileCommands::FileCommands(const FileCommandParts& parts)
    : m_parts(parts), m_encoding(platform::localeTextEncoding()) {}

void FileCommands::message(const QString& text) {
    m_parts.dialogs.messageBox(&m_parts.window, text, kCaption);
}

void FileCommands::showPath(const QString& path) {
    m_parts.status.setText(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
}

void FileCommands::FileMenu_Click(QAction& save, QAction& saveAs) {
    const bool blank = m_parts.resultArea.isBlank();
    save.setEnabled(!blank);
    saveAs.setEnabled(!blank);
}

void FileCommands::FileNew_Click() {
    m_parts.editArea.clear();
    m_parts.resultArea.clear();
    m_parts.status.setText(kStatusIdle);
}

void FileCommands::FileOpen_Click() {
    const auto name = m_parts.dialogs.openFileName(&m_parts.window, filter(), m_openDialogName);
    if (!name) {
        m_openDialogName.clear();
        message(kNothingOpened);
        return;
    }
    m_openDialogName = *name;
    const Load load = openChosenFile(*name);
    if (load == Load::Failed || load == Load::Refused) m_openDialogName.clear();
    if (load == Load::Failed) message(kOperationError);
}

FileCommands::Load FileCommands::openChosenFile(const QString& path) {
    platform::InputFile file;
    const platform::ReadStatus opened =
        file.open(QFile::encodeName(path).toStdString(), platform::InputFile::Accept::RegularOnly);
    if (opened != platform::ReadStatus::Done) return refusal(opened);
    // Declining a large file leaves both areas as they were. Files that
    // report less than they hold (those under /proc) are asked about once
    // their bytes are in.
    bool asked = file.reportedSize() > kLargeFileBytes;
    if (asked && !askToGoOn()) return Load::Declined;
    std::string bytes;
    const platform::ReadStatus read = file.readAll(bytes, platform::inputByteLimit());
    if (read != platform::ReadStatus::Done) return refusal(read);
    if (!asked && bytes.size() > kLargeFileBytes && !askToGoOn()) return Load::Declined;
    m_parts.editArea.clear();
    m_parts.resultArea.clear();
    m_parts.progress.setMinimum(0);
    if (bytes.empty()) {
        message(kEmptyFile);
        return Load::Done;
    }
    const auto size = static_cast<qsizetype>(bytes.size());
    loadIntoEditArea(platform::decodeFileText(QByteArrayView(bytes.data(), size), m_encoding),
                     size);
    m_saveFileName.clear();
    showPath(path);
    return Load::Done;
}

bool FileCommands::askToGoOn() {
    return m_parts.dialogs.askYesNo(&m_parts.window, kLargeFileQuestion, kLargeFileCaption);
}

FileCommands::Load FileCommands::refusal(platform::ReadStatus status) {
    switch (status) {
    case platform::ReadStatus::NotRegular: message(kNotRegularFile); return Load::Refused;
    case platform::ReadStatus::TooLarge:
    case platform::ReadStatus::NoMemory: message(kFileTooLarge); return Load::Refused;
    default: return Load::Failed;
    }
}

void FileCommands::loadIntoEditArea(const QString& text, qint64 bytes) {
    QProgressBar& progress = m_parts.progress;
    const qint64 maximum = std::min<qint64>(bytes, std::numeric_limits<int>::max());
    progress.setMaximum(static_cast<int>(maximum));
    progress.setValue(0);
    m_parts.layout.showProgressStrip(progress);
    QTextDocument& doc = *m_parts.editArea.document();
    // A loaded file is not something to undo piece by piece.
    doc.setUndoRedoEnabled(false);
    QTextCursor cursor(&doc);
    cursor.movePosition(QTextCursor::End);
    // The area lays its text out once, at the end; the progress bar repaints
    // itself as each piece goes in.
    cursor.beginEditBlock();
    for (qsizetype from = 0; from < text.size();) {
        const qsizetype end = chunkEnd(text, from);
        cursor.insertText(text.sliced(from, end - from));
        from = end;
        progress.setValue(static_cast<int>(maximum * from / text.size()));
    }
    cursor.endEditBlock();
    doc.setUndoRedoEnabled(true);
    progress.setValue(0);
    m_parts.layout.hideProgressStrip(progress);
}

void FileCommands::FileSave_Click() {
    if (m_parts.resultArea.text().empty()) return message(kEmptyResult);
    if (m_saveDialogName.isEmpty() || m_saveFileName.isEmpty()) {
        const auto name = m_parts.dialogs.saveFileName(&m_parts.window, filter(), m_saveDialogName);
        if (!name) {
            m_saveDialogName.clear();
            return message(kNotSaved);
        }
        m_saveDialogName = *name;
    }
    m_saveFileName = m_saveDialogName;
    if (m_saveFileName.isEmpty()) return message(kNotSaved);
    // A failed write must not pass for a save: say that nothing was saved.
    if (!writeResult(m_saveFileName)) return message(kNotSaved);
    showPath(m_saveFileName);
}

void FileCommands::FileSaveAS_Click() {
    m_openDialogName.clear();
    const auto name = m_parts.dialogs.saveFileName(&m_parts.window, filter(), {});
    if (!name) return message(kNothingSaved);
    if (name->isEmpty()) return message(kNotSaved);
    m_openDialogName = *name;
    if (!writeResult(*name)) {
        m_openDialogName.clear();
        return message(kOperationError);
    }
    showPath(*name);
}

bool FileCommands::writeResult(const QString& path) {
    const QString text = QString::fromStdString(m_parts.resultArea.text());
    const auto bytes = platform::encodeFileText(text, m_encoding);
    if (!bytes) return false;
    // Written beside the target and renamed over it only when complete, so
    // a failure leaves the old file as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(*bytes) != bytes->size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace quorvex::ui
