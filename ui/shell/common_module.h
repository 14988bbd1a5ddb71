#pragma once

#include <QString>
#include <QUrl>

#include <functional>
#include <string>
#include <string_view>

class QWidget;

namespace quorvex {
enum class Language;
}

namespace quorvex::ui {

/// The closing music, the help book and web pages: the few things the shell
/// asks of the platform. Both platform hooks can be replaced (tests record
/// what would have been sent or opened).
class CommonModule {
public:
    /// Sends one multimedia command string; returns 0 on success.
    using CommandSender = std::function<int(std::string_view)>;
    /// Opens an address in the user's browser.
    using UrlOpener = std::function<void(const QUrl&)>;

    CommonModule();
    CommonModule(CommandSender send, UrlOpener openUrl);

    /// Stops the alias, opens file under it and plays it from the start.
    /// True when the tune was opened and started.
    bool PlayMusic(const QString& file, const QString& alias);

    /// Stops and closes the alias; errors are ignored.
    void StopMusic(const QString& alias);

    /// Opens url in the user's browser; a blank url opens the default page.
    /// Pages of the help book (qrc:/help/...) open in the help viewer.
    void OpenWebPage(const QString& url);

    /// Shows the help page fileName of the bundled help book in the help
    /// viewer owned by form (one viewer per form). Nothing is shown when the
    /// book has no such page.
    void OpenHelpFile(QWidget* form, const QString& fileName);

private:
    int send(const std::string& command) const { return m_send(command); }

    CommandSender m_send;
    UrlOpener m_openUrl;
};

/// Opens an address: pages of the help book in the program's help viewer,
/// anything else in the user's browser.
void openAddress(const QUrl& url);

/// The language the help book opens in from now on, Chinese until told:
/// English pages where the book has them, its links and the About window's
/// pages included.
void useHelpLanguage(Language language);

/// The help book's first page.
inline constexpr const char* kHelpFileName = "index.html";

/// The closing tune and its alias.
inline constexpr const char* kMusicAlias = "tune1";

/// Where the closing tune lies: "music/END.MID" below the program's folder,
/// or below the install's share folder; the first that exists.
QString musicFile();

} // namespace quorvex::ui
