#include "common_module.h"

#include "help_viewer.h"
#include "multimedia_commands.h"
#include "shell_texts.h"
#include "texts/text.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quorvex::ui {

namespace {

/// The help viewer that belongs to no window, if one is open.
HelpViewer* ownerlessHelpViewer() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* viewer = qobject_cast<HelpViewer*>(w); viewer && !viewer->parentWidget())
            return viewer;
    return nullptr;
}

Language g_helpLanguage = Language::Chinese;

/// The page in the help language: an English page lies in en/ under the
/// same name; a page not yet written in English opens in Chinese.
QString helpPage(const QString& fileName) {
    const QString english = ":/help/en/" + fileName;
    if (g_helpLanguage == Language::English && !fileName.startsWith(QLatin1String("en/")) &&
        QFileInfo::exists(english))
        return english;
    return ":/help/" + fileName;
}

/// Shows a page of the help book in form's viewer, or, without a form, in
/// the one viewer of its own (pages opened from links share it).
void showHelpPage(QWidget* form, const QString& fileName) {
    const QString page = helpPage(fileName);
    if (!QFileInfo::exists(page)) return;
    HelpViewer* viewer = form ? form->findChild<HelpViewer*>(QString(), Qt::FindDirectChildrenOnly)
                              : ownerlessHelpViewer();
    if (!viewer) viewer = new HelpViewer(form);
    if (!form) viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->showPage(QUrl("qrc" + page));
}

} // namespace

CommonModule::CommonModule() : CommonModule(sendMultimediaCommand, openAddress) {}

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
    showHelpPage(form, fileName);
}

void useHelpLanguage(Language language) { g_helpLanguage = language; }

void openAddress(const QUrl& url) {
    const QString helpFolder = QStringLiteral("/help/");
    if (url.scheme() == QLatin1String("qrc") && url.path().startsWith(helpFolder))
        showHelpPage(nullptr, url.path().mid(helpFolder.size()));
    else QDesktopServices::openUrl(url);
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
