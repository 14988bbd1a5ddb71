#pragma once

#include "commands/registry.h"

#include <QString>

#include <utility>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;

namespace quorvex::ui {

/// The menu bar's menus and the items the window acts on. Every menu and
/// item carries its control name as object name.
struct Menus {
    QMenu* file = nullptr;
    QMenu* edit = nullptr;
    QMenu* format = nullptr;
    QMenu* methods = nullptr;
    QMenu* analysis = nullptr;    ///< 分析, when the registry has analyses
    QMenu* convergence = nullptr; ///< the submenu IterativeAstringency
    QMenu* help = nullptr;
    QAction* chinese = nullptr; ///< 语言 → 中文
    QAction* english = nullptr; ///< 语言 → English
    /// Each command item, methods and analyses, with the command it runs.
    std::vector<std::pair<QAction*, const Command*>> commandItems;

    /// The item with this control name (file, edit, display and help menus).
    QAction* item(const QString& name) const;
};

/// Builds the whole menu tree on the bar.
Menus buildMenus(QMenuBar& bar);

/// Uncoil_Click: greys every command item and the convergence submenu while
/// the edit area is blank, and makes them available again otherwise. Items
/// that are always disabled stay disabled.
void Uncoil_Click(const Menus& menus, bool editAreaBlank);

} // namespace quorvex::ui
