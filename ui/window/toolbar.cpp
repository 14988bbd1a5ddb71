#include "toolbar.h"

#include "menus.h"
#include "messages.h"
#include "toolbar_icons.h"
#include "window_language.h"

#include <QAction>
#include <QStyle>
#include <QToolBar>

namespace quorvex::ui {

namespace {

constexpr int kPlaceholderWidth = 16;

/// Puts the menu item `name` on the bar with its picture.
void addItem(QToolBar& bar, const Menus& menus, const char* name, ToolbarPicture picture) {
    QAction* action = menus.item(QString::fromLatin1(name));
    action->setIcon(toolbarIcon(picture));
    action->setIconVisibleInMenu(false);
    bar.addAction(action);
}

QAction* addOwnButton(QToolBar& bar, const char* caption, ToolbarPicture picture) {
    QAction* action = bar.addAction(toolbarIcon(picture), QString());
    setWindowText(*action, UiText{caption}, true);
    return action;
}

} // namespace

Toolbar buildToolbar(QWidget* parent, const Menus& menus) {
    Toolbar t;
    t.bar = new QToolBar(parent);
    QToolBar& bar = *t.bar;
    bar.setObjectName(QStringLiteral("Toolbar1"));
    bar.setIconSize(QSize(16, 16));
    bar.setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar.setMovable(false);
    bar.setFloatable(false);
    addItem(bar, menus, "FileNew", ToolbarPicture::New);
    addItem(bar, menus, "FileOpen", ToolbarPicture::Open);
    t.save = addOwnButton(bar, QT_TRANSLATE_NOOP("quorvex::ui", "保存"), ToolbarPicture::Save);
    bar.addSeparator();
    addItem(bar, menus, "EditCut", ToolbarPicture::Cut);
    addItem(bar, menus, "EditCopy", ToolbarPicture::Copy);
    addItem(bar, menus, "EditPaste", ToolbarPicture::Paste);
    bar.addSeparator();
    auto* gap = new QWidget(&bar);
    gap->setObjectName(QStringLiteral("placeholder"));
    gap->setFixedWidth(kPlaceholderWidth);
    bar.addWidget(gap);
    addItem(bar, menus, "Edit", ToolbarPicture::Undo);
    addOwnButton(bar, QT_TRANSLATE_NOOP("quorvex::ui", "恢复"), ToolbarPicture::Redo)
        ->setEnabled(false);
    t.stop = bar.addAction(bar.style()->standardIcon(QStyle::SP_BrowserStop), QString());
    setWindowText(*t.stop, kStopCommand, true, " (Esc)");
    t.stop->setVisible(false);
    return t;
}

} // namespace quorvex::ui
