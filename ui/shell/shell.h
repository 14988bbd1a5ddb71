#pragma once

#include "common_module.h"

#include <QObject>
#include <QPointer>

#include <functional>

namespace quorvex::ui {

class FrmAbout;
class FrmExit;

/// The application shell around the main window: the one About window, the
/// help book, and the closing credits that end the program. Connect the main
/// window's About and Help requests and its unloading to the three slots.
/// It outlives the main window (the start-up routine owns it), since the
/// credits run after that window has gone.
class Shell : public QObject {
    Q_OBJECT
public:
    /// The shell with the system's sound and browser; the program ends by
    /// leaving the event loop.
    explicit Shell(QWidget& mainWindow);
    Shell(QWidget& mainWindow, CommonModule common, std::function<void()> endProgram);
    ~Shell() override;

    CommonModule& common() { return m_common; }
    FrmAbout* about() const;
    FrmExit* credits() const;

public slots:
    /// 关于: shows the About window, the same one however often it is asked.
    void showAbout();
    /// 帮助文件: opens the help book at its first page.
    void showHelp();
    /// The main window has closed: the About window goes, the credits come.
    void showCredits();

private:
    QWidget& m_mainWindow;
    CommonModule m_common;
    std::function<void()> m_endProgram;
    QPointer<FrmAbout> m_about;
    QPointer<FrmExit> m_credits;
};

} // namespace quorvex::ui
