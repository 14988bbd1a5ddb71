#pragma once

class QAction;
class QToolBar;
class QWidget;

namespace quorvex::ui {

struct Menus;

/// Toolbar1 and the one action of its own.
struct Toolbar {
    QToolBar* bar = nullptr;
    /// 保存 on the toolbar saves even while the menu's item is greyed for a
    /// blank result area, so it cannot be the menu's action.
    QAction* save = nullptr;
    /// 停止, shown only while a command runs.
    QAction* stop = nullptr;
};

/// Builds Toolbar1: new, open, save | cut, copy, paste | a gap, then the
/// disabled undo and redo, and the stop button, hidden until a command runs. Every button but save
/// and redo is the menu's own action, shown with an icon; menus keep showing no icons.
Toolbar buildToolbar(QWidget* parent, const Menus& menus);

} // namespace quorvex::ui
