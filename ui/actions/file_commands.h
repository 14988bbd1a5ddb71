#pragma once

#include <QByteArray>
#include <QString>

namespace quorvex::platform {
enum class ReadStatus;
}

class QAction;
class QPlainTextEdit;
class QProgressBar;
class QWidget;

namespace quorvex::ui {

class DialogProvider;
class ResultArea;
class StatusPanels;
class WindowLayout;

/// The collaborators the file commands act on.
struct FileCommandParts {
    DialogProvider& dialogs;
    QWidget& window;
    QPlainTextEdit& editArea;
    ResultArea& resultArea;
    StatusPanels& status;
    WindowLayout& layout;
    QProgressBar& progress;
};

/// The file menu 文件: input files are loaded into the edit area, reports
/// saved from the result area, in the locale's encoding.
class FileCommands {
public:
    /// Files larger than this ask before they are loaded.
    static constexpr qint64 kLargeFileBytes = 1500;

    explicit FileCommands(const FileCommandParts& parts);

    /// The encoding files are written in, and tried first when reading.
    void setEncoding(const QByteArray& encoding) { m_encoding = encoding; }
    const QString& saveFileName() const { return m_saveFileName; }

    /// Enables 保存 and 另存为 only while the result area holds more than blanks.
    void FileMenu_Click(QAction& save, QAction& saveAs);
    void FileNew_Click();
    void FileOpen_Click();
    void FileSave_Click();
    void FileSaveAS_Click();

private:
    /// Refused: said so already, and both areas are as they were.
    enum class Load { Done, Declined, Refused, Failed };

    Load openChosenFile(const QString& path);
    bool askToGoOn();
    Load refusal(platform::ReadStatus status);
    void loadIntoEditArea(const QString& text, qint64 bytes);
    bool writeResult(const QString& path);
    void showPath(const QString& path);
    void message(const QString& text);

    FileCommandParts m_parts;
    QByteArray m_encoding;
    QString m_saveFileName;
    QString m_openDialogName; ///< the name the open and save-as dialog keeps
    QString m_saveDialogName; ///< the name the save dialog keeps
};

} // namespace quorvex::ui
