#include "common_module.h"

#include "help_viewer.h"
#include "multimedia_commands.h"
#include "shell_texts.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quorvex::ui {

CommonModule::CommonModule()
    : CommonModule(sendMultimediaCommand, [](const QUrl& url) { QDesktopServices::openUrl(url); }) {
}

CommonModule::CommonModule(CommandSender send, UrlOpener openUrl)
    : m_send(std::move(send)), m_openUrl(std::move(openUrl)) {}

bool CommonModule::PlayMusic(const QString& file, const QString& alias) {
    StopMusic(alias);
    // The file name goes in as it is, unquoted: a name with a blank does not
    // open, and the credits then simply run without music.
    const std::string a = alias.toStdString();
    if (send("open " + QFile::encodeName(file).toStdString() + " alias " + a) != 0) return false;
    return send("play " + a + " from 0") == 0;
}

void CommonModule::StopMusic(const QString& alias) {
    const std::string a = alias.toStdString();
    send("stop " + a);
    send("close " + a);
}

void CommonModule::OpenWebPage(const QString& url) {
    const QString trimmed = url.trimmed();
    m_openUrl(QUrl(trimmed.isEmpty() ? QString(kDefaultPage) : trimmed));
}

void CommonModule::OpenHelpFile(QWidget* form, const QString& fileName) {
    const QString page = ":/help/" + fileName;
    if (!QFileInfo::exists(page)) return;
    HelpViewer* viewer =
        form ? form->findChild<HelpViewer*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!viewer) viewer = new HelpViewer(form);
    if (!form) viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->showPage(QUrl("qrc" + page));
}

QString musicFile() {
    const QString relative = "music/END.MID";
    const QDir programDir(QCoreApplication::applicationDirPath());
    const QString beside = programDir.filePath(relative);
    const QString shared =
        QDir::cleanPath(programDir.filePath(QUORVEX_DATA_FROM_BIN "/" + relative));
    if (!QFileInfo::exists(beside) && QFileInfo::exists(shared)) return shared;
    return beside;
}

} // namespace quorvex::ui
