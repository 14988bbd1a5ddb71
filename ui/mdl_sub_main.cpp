#include "mdl_sub_main.h"

#include "application_setup.h"
#include "linear_frm.h"

#include <QApplication>

namespace quorvex::ui {

int Main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvex"));
    // Closing the main window does not end the program by itself: what
    // follows the window decides when it ends.
    QApplication::setQuitOnLastWindowClosed(false);
    setUpApplication(app);

    LinearFrm window;
    QObject::connect(&window, &LinearFrm::unloaded, &app, &QApplication::quit);
    QObject::connect(&window, &LinearFrm::aboutRequested, &app, [] {});
    QObject::connect(&window, &LinearFrm::helpRequested, &app, [] {});
    window.show();
    return app.exec();
}

} // namespace quorvex::ui
