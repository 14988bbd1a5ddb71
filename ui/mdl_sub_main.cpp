#include "mdl_sub_main.h"

#include "application_setup.h"
#include "background_work.h"
#include "linear_frm.h"
#include "shell.h"
#include "window_language.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace quorvex::ui {

int Main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvex"));
    // Closing the main window does not end the program by itself: what
    // follows the window decides when it ends.
    QApplication::setQuitOnLastWindowClosed(false);
    setUpApplication(app);
    const std::optional<Language> language = languageArgument(QApplication::arguments());
    if (!language) {
        std::fputs("quorvex: --lang takes en or zh\n", stderr);
        return 2;
    }

    LinearFrm window;
    window.setLanguage(*language);
    Shell shell(window);
    QObject::connect(&window, &LinearFrm::unloaded, &shell, &Shell::showCredits);
    QObject::connect(&window, &LinearFrm::aboutRequested, &shell, &Shell::showAbout);
    QObject::connect(&window, &LinearFrm::helpRequested, &shell, &Shell::showHelp);
    window.show();
    const int status = app.exec();
    // A command let go when the window closed may still be computing; the
    // program ends without tearing down what it may touch.
    if (BackgroundWork::leftRunning()) std::quick_exit(status);
    return status;
}

} // namespace quorvex::ui
