#pragma once

#include "menus.h"

#include <QMainWindow>

#include <memory>

class QFocusEvent;
class QPlainTextEdit;
class QProgressBar;
class QToolBar;

namespace quorvex::ui {

class BackgroundWork;
class CommandController;
class DialogProvider;
class DisplaySettings;
class EditCommands;
class FileCommands;
class ReportExport;
class ResultArea;
class StatusPanels;
class WindowLayout;

/// The main window: the edit area Text1 and the result area Text2 with the
/// splitter between them, the menus, the toolbar and the status bar. It
/// only wires controls to the commands; the collaborators do the work.
class LinearFrm : public QMainWindow {
    Q_OBJECT
public:
    /// With no dialog provider the window uses Qt's own dialogs.
    explicit LinearFrm(DialogProvider* dialogs = nullptr);
    ~LinearFrm() override;

    QPlainTextEdit& editArea() const { return *m_edit; }
    ResultArea& resultArea() const { return *m_result; }
    const Menus& menus() const { return m_menus; }
    /// 语言: the window's texts, Qt's buttons and the next commands' reports
    /// and dialogs in `language`; a report already shown stays as written.
    void setLanguage(Language language);
    StatusPanels& status() const { return *m_status; }
    WindowLayout& windowLayout() const { return *m_layout; }
    FileCommands& fileCommands() const { return *m_files; }
    /// The commands', exports' and printing's work off the window's thread.
    BackgroundWork& work() const { return *m_work; }

signals:
    void aboutRequested();
    void helpRequested();
    /// The window has closed, by 退出 or by its close box.
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectFileAndEditMenus();
    void connectOtherMenus();
    void followFocusAndTyping();
    bool isEnabledShortcut(const QKeySequence& keys) const;
    bool movesFocus(QObject* area, const QFocusEvent& event);
    void placeInitially();
    void showRunning(bool running);

    std::unique_ptr<DialogProvider> m_ownDialogs;
    DialogProvider& m_dialogs;
    QWidget* m_client = nullptr;
    QToolBar* m_toolbar = nullptr;
    QAction* m_toolbarSave = nullptr;
    QAction* m_toolbarStop = nullptr;
    bool m_closeAfterCommand = false;
    QPlainTextEdit* m_edit = nullptr;
    QPlainTextEdit* m_resultView = nullptr;
    QWidget* m_grip = nullptr;
    QWidget* m_bar = nullptr;
    QProgressBar* m_progress = nullptr;
    StatusPanels* m_status = nullptr;
    WindowLayout* m_layout = nullptr;
    Menus m_menus;
    std::unique_ptr<ResultArea> m_result;
    std::unique_ptr<BackgroundWork> m_work;
    std::unique_ptr<DisplaySettings> m_settings;
    std::unique_ptr<FileCommands> m_files;
    std::unique_ptr<EditCommands> m_editing;
    std::unique_ptr<CommandController> m_commands;
    ReportExport* m_export = nullptr; ///< owned by the window (a QObject child)
    QObject* m_focusedArea = nullptr; ///< the text area that last had the focus
};

} // namespace quorvex::ui
