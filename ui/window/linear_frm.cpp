#include "linear_frm.h"

#include "background_work.h"
#include "command_controller.h"
#include "display_settings.h"
#include "edit_commands.h"
#include "file_commands.h"
#include "messages.h"
#include "qt_dialogs.h"
#include "report_export.h"
#include "status_panels.h"
#include "text_areas.h"
#include "toolbar.h"
#include "toolbar_icons.h"
#include "twips.h"
#include "window_language.h"
#include "window_layout.h"

#include <QAction>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScreen>
#include <QShortcut>
#include <QToolBar>

#include <utility>

namespace quorvex::ui {

namespace {

constexpr double kDatePanelMinimumWidth = 1440;
const QColor kSplitterBarColor(128, 128, 128);

} // namespace

LinearFrm::LinearFrm(DialogProvider* dialogs)
    : m_ownDialogs(dialogs ? nullptr : std::make_unique<QtDialogs>()),
      m_dialogs(dialogs ? *dialogs : *m_ownDialogs) {
    setObjectName(QStringLiteral("LinearFrm"));
    setWindowTitle(kCaption);
    setWindowIcon(windowIcon());
    m_menus = buildMenus(*menuBar());
    buildControls();
    m_settings = std::make_unique<DisplaySettings>(m_dialogs, *this, *m_edit, *m_resultView);
    m_files = std::make_unique<FileCommands>(
        FileCommandParts{m_dialogs, *this, *m_edit, *m_result, *m_status, *m_layout, *m_progress});
    m_editing = std::make_unique<EditCommands>(*m_edit, *m_result);
    m_work = std::make_unique<BackgroundWork>();
    m_export = new ReportExport(m_dialogs, *this, *m_result, *m_status, *m_menus.file, *m_work);
    m_commands = std::make_unique<CommandController>(m_dialogs, *this, *m_edit, *m_result,
                                                     *m_settings, *m_work, *m_status);
    connectFileAndEditMenus();
    connectOtherMenus();
    followFocusAndTyping();
    placeInitially();
}

LinearFrm::~LinearFrm() = default;

void LinearFrm::buildControls() {
    m_client = new QWidget(this);
    setCentralWidget(m_client);
    const Toolbar toolbar = buildToolbar(m_client, m_menus);
    m_toolbar = toolbar.bar;
    m_toolbarSave = toolbar.save;
    m_toolbarStop = toolbar.stop;
    m_edit = new QPlainTextEdit(m_client);
    setUpTextArea(*m_edit, QStringLiteral("Text1"), false);
    m_grip = new QWidget(m_client);
    m_grip->setObjectName(QStringLiteral("imgSplitter"));
    m_grip->setCursor(Qt::SizeHorCursor);
    m_resultView = new QPlainTextEdit(m_client);
    setUpTextArea(*m_resultView, QStringLiteral("Text2"), true);
    m_result = std::make_unique<ResultArea>(*m_resultView);
    auto* bar = new QFrame(m_client);
    bar->setObjectName(QStringLiteral("picSplitter"));
    bar->setAutoFillBackground(true);
    bar->setPalette(QPalette(kSplitterBarColor));
    bar->hide();
    m_bar = bar;
    m_progress = new QProgressBar(m_client);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setTextVisible(false);
    m_progress->hide();
    m_status = new StatusPanels(m_client, Twips::of(*this).toPixels(kDatePanelMinimumWidth));
    m_layout = new WindowLayout(
        *this, {m_client, m_toolbar, m_edit, m_grip, m_bar, m_resultView, m_status->bar()});
    setTabOrder(m_edit, m_resultView);
}

void LinearFrm::connectFileAndEditMenus() {
    // A shortcut may still reach an item while a command runs: it waits.
    const auto on = [this](const char* name, auto command) {
        connect(m_menus.item(QString::fromLatin1(name)), &QAction::triggered, this,
                [this, command] {
                    if (!m_work->running()) command();
                });
    };
    on("FileNew", [this] { m_files->FileNew_Click(); });
    on("FileOpen", [this] { m_files->FileOpen_Click(); });
    on("FileSave", [this] { m_files->FileSave_Click(); });
    on("FileSaveAS", [this] { m_files->FileSaveAS_Click(); });
    on("FileExit", [this] { close(); });
    connect(m_menus.file, &QMenu::aboutToShow, this, [this] {
        m_files->FileMenu_Click(*m_menus.item(QStringLiteral("FileSave")),
                                *m_menus.item(QStringLiteral("FileSaveAS")));
    });
    on("EditSelectAll", [this] { m_editing->EditSelectAll_Click(); });
    on("EditCut", [this] { m_editing->EditCut_Click(); });
    on("EditCopy", [this] { m_editing->EditCopy_Click(); });
    on("EditPaste", [this] { m_editing->EditPaste_Click(); });
    on("EditDelete", [this] { m_editing->EditDelete_Click(); });
}

void LinearFrm::connectOtherMenus() {
    // A shortcut may still reach an item while a command runs: it waits.
    const auto on = [this](const char* name, auto command) {
        connect(m_menus.item(QString::fromLatin1(name)), &QAction::triggered, this,
                [this, command] {
                    if (!m_work->running()) command();
                });
    };
    on("FormatStyle", [this] { m_settings->FormatStyle_Click(); });
    on("FormatBackColor", [this] { m_settings->FormatBackColor_Click(); });
    on("FormatDecimalDigits", [this] { m_settings->FormatDecimalDigits_Click(); });
    QAction* exact = m_menus.item(QStringLiteral("FormatExact"));
    QAction* steps = m_menus.item(QStringLiteral("FormatSteps"));
    QAction* rowSteps = m_menus.item(QStringLiteral("FormatRowSteps"));
    on("FormatDefault", [this, exact, steps, rowSteps] {
        m_settings->FormatDefault_Click();
        exact->setChecked(false);
        steps->setChecked(false);
        rowSteps->setChecked(false);
    });
    // The running command reads the settings: a click meanwhile changes nothing.
    const auto toggle = [this](QAction* action, auto setting, auto click) {
        connect(action, &QAction::triggered, this, [this, action, setting, click](bool checked) {
            if (m_work->running()) action->setChecked(m_settings->reportSettings().*setting);
            else ((*m_settings).*click)(checked);
        });
    };
    for (auto [action, language] : {std::pair{m_menus.chinese, Language::Chinese},
                                    std::pair{m_menus.english, Language::English}})
        connect(action, &QAction::triggered, this, [this, language] { setLanguage(language); });
    toggle(exact, &ReportSettings::exact, &DisplaySettings::FormatExact_Click);
    toggle(steps, &ReportSettings::steps, &DisplaySettings::FormatSteps_Click);
    toggle(rowSteps, &ReportSettings::rowSteps, &DisplaySettings::FormatRowSteps_Click);
    on("mnuHelpFile", [this] { emit helpRequested(); });
    on("mnuAbout", [this] { emit aboutRequested(); });
    for (const auto& [action, entry] : m_menus.commandItems)
        connect(action, &QAction::triggered, this, [this, e = entry] { m_commands->run(*e); });
    for (QMenu* menu : {m_menus.methods, m_menus.analysis})
        if (menu)
            connect(menu, &QMenu::aboutToShow, this,
                    [this] { Uncoil_Click(m_menus, isBlank(*m_edit)); });
    connect(m_toolbarSave, &QAction::triggered, this, [this] {
        if (!m_work->running()) m_files->FileSave_Click();
    });
    connect(m_toolbarStop, &QAction::triggered, this, [this] { m_work->stop(); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] { m_work->stop(); });
    m_work->onRunning = [this](bool running) { showRunning(running); };
}

void LinearFrm::showRunning(bool running) {
    // While a command computes, nothing may change the areas under it or
    // start a second one; only stopping it (or closing) is left.
    menuBar()->setEnabled(!running);
    for (QAction* action : m_toolbar->actions())
        if (QWidget* button = m_toolbar->widgetForAction(action); button && action != m_toolbarStop)
            button->setEnabled(!running && action->isEnabled());
    m_toolbarStop->setVisible(running);
    m_edit->setReadOnly(running);
    m_progress->setRange(0, running ? 0 : 100);
    if (running) m_layout->showProgressStrip(*m_progress);
    else m_layout->hideProgressStrip(*m_progress);
    if (!running && m_closeAfterCommand) close();
}

void LinearFrm::setLanguage(Language language) {
    useWindowLanguage(language);
    m_settings->setLanguage(language);
    (language == Language::English ? m_menus.english : m_menus.chinese)->setChecked(true);
    quorvex::ui::retranslate(*this);
    m_status->retranslate();
}

void LinearFrm::followFocusAndTyping() {
    m_edit->installEventFilter(this);
    m_resultView->installEventFilter(this);
    connect(m_edit->document(), &QTextDocument::contentsChange, this,
            [this](int, int removed, int added) {
                if (removed != 0 || added != 0) m_status->setText(kStatusEditing);
            });
}

bool LinearFrm::isEnabledShortcut(const QKeySequence& keys) const {
    for (QMenu* menu : {m_menus.file, m_menus.edit})
        for (const QAction* action : menu->actions())
            if (action->isEnabled() && !action->shortcut().isEmpty() && action->shortcut() == keys)
                return true;
    return false;
}

bool LinearFrm::movesFocus(QObject* area, const QFocusEvent& event) {
    // Focus that merely comes back to the same area when a menu or a dialog
    // closes, or the window is activated again, must not cover what a
    // command just showed; focus that lands on the other area is a move.
    const Qt::FocusReason reason = event.reason();
    const bool returning = reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason;
    const bool moved = std::exchange(m_focusedArea, area) != area;
    return !returning || moved;
}

bool LinearFrm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (movesFocus(watched, *static_cast<QFocusEvent*>(event)))
            m_status->setText(watched == m_edit ? kStatusEditFocus : kStatusResultFocus);
    } else if (event->type() == QEvent::ShortcutOverride) {
        // The menu's shortcuts come before the text areas' own editing keys,
        // so that they act on the edit area whichever area has the focus.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (isEnabledShortcut(QKeySequence(key->keyCombination()))) {
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void LinearFrm::placeInitially() {
    const Twips t = Twips::of(*this);
    resize(t.toPixels(kInitialClientWidth),
           t.toPixels(kInitialClientHeight) + menuBar()->sizeHint().height());
    if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
    m_edit->setFocus();
}

void LinearFrm::closeEvent(QCloseEvent* event) {
    if (m_work->running()) {
        // The window does not wait for work that has not reached its next
        // stop check: it closes as soon as the work is let go.
        m_closeAfterCommand = true;
        m_work->abandon();
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    if (event->isAccepted()) emit unloaded();
}

} // namespace quorvex::ui
