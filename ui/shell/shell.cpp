#include "shell.h"

#include "frm_about.h"
#include "frm_exit.h"
#include "logo.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>

namespace quorvex::ui {

namespace {

QIcon programIcon() {
    QIcon drawn;
    for (int size : {16, 32, 48, 64, 128, 256})
        drawn.addPixmap(QPixmap::fromImage(logoImage(size, size)));
    return QIcon::fromTheme("quorvex", drawn);
}

} // namespace

Shell::Shell(QWidget& mainWindow)
    : Shell(mainWindow, CommonModule(), [] { QCoreApplication::exit(0); }) {}

Shell::Shell(QWidget& mainWindow, CommonModule common, std::function<void()> endProgram)
    : m_mainWindow(mainWindow), m_common(std::move(common)), m_endProgram(std::move(endProgram)) {
    // Closing the main window leads to the credits, and only a click there
    // ends the program.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    if (QGuiApplication::windowIcon().isNull()) QGuiApplication::setWindowIcon(programIcon());
}

Shell::~Shell() { delete m_credits; }

FrmAbout* Shell::about() const { return m_about; }

FrmExit* Shell::credits() const { return m_credits; }

void Shell::showAbout() {
    if (!m_about) {
        m_about = new FrmAbout(m_common, &m_mainWindow);
        m_about->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void Shell::showHelp() { m_common.OpenHelpFile(&m_mainWindow, kHelpFileName); }

void Shell::showCredits() {
    delete m_about;
    if (m_credits) return;
    m_credits = new FrmExit(m_common, m_endProgram);
    m_credits->Form_Load();
}

} // namespace quorvex::ui
