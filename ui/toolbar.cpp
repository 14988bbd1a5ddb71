#include "toolbar.h"

#include "toolbar_icons.h"

#include <QAction>
#include <QToolBar>

namespace quorvex::ui {

namespace {

constexpr int kPlaceholderWidth = 16;

void addButton(QToolBar& bar, const QString& key, ToolbarPicture picture, bool enabled) {
    QAction* action = bar.addAction(toolbarIcon(picture), key);
    action->setObjectName(key);
    action->setData(key);
    action->setToolTip(key);
    action->setEnabled(enabled);
}

} // namespace

QToolBar* buildToolbar(QWidget* parent) {
    auto* bar = new QToolBar(parent);
    bar->setObjectName(QStringLiteral("Toolbar1"));
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar->setMovable(false);
    bar->setFloatable(false);
    addButton(*bar, kKeyNew, ToolbarPicture::New, true);
    addButton(*bar, kKeyOpen, ToolbarPicture::Open, true);
    addButton(*bar, kKeySave, ToolbarPicture::Save, true);
    bar->addSeparator();
    addButton(*bar, kKeyCut, ToolbarPicture::Cut, true);
    addButton(*bar, kKeyCopy, ToolbarPicture::Copy, true);
    addButton(*bar, kKeyPaste, ToolbarPicture::Paste, true);
    bar->addSeparator();
    auto* gap = new QWidget(bar);
    gap->setObjectName(QStringLiteral("placeholder"));
    gap->setFixedWidth(kPlaceholderWidth);
    bar->addWidget(gap);
    addButton(*bar, kKeyUndo, ToolbarPicture::Undo, false);
    addButton(*bar, kKeyRedo, ToolbarPicture::Redo, false);
    return bar;
}

} // namespace quorvex::ui
