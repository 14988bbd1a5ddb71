#include "menus.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include <span>

namespace quorvex::ui {

namespace {

struct MenuItem {
    const char* name;
    const char* caption;
    const char* shortcut = nullptr;
    bool enabled = true;
    bool checkable = false;
};

constexpr MenuItem kFileItems[] = {
    {"FileNew", "新建", "Ctrl+N"}, {"FileOpen", "打开", "Ctrl+O"}, {"FileSave", "保存", "Ctrl+S"},
    {"FileSaveAS", "另存为"},      {"FileExit", "退出"},
};

constexpr MenuItem kEditItems[] = {
    {"EditSelectAll", "全选(&A)", "Ctrl+A"}, {"Edit", "撤消", "Ctrl+Z", false},
    {"EditCut", "剪切", "Ctrl+X"},           {"EditCopy", "复制", "Ctrl+C"},
    {"EditPaste", "粘贴", "Ctrl+V"},         {"EditDelete", "删除(&L)", "Del"},
};

constexpr MenuItem kFormatItems[] = {
    {"FormatStyle", "字体"},
    {"FormatBackColor", "背景色"},
    {"FormatDecimalDigits", "设置小数数位"},
    {"FormatDefault", "默认"},
    {"FormatExact", "精确分数", nullptr, true, true},
    {"FormatSteps", "详细步骤", nullptr, true, true},
    {"FormatRowSteps", "逐行变换", nullptr, true, true},
};

constexpr MenuItem kHelpItems[] = {
    {"mnuHelpFile", "帮助文件"},
    {"mnuAbout", "关于"},
};

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QMenu* addRegistryMenu(QMenuBar& bar, std::string_view id, std::string_view caption) {
    QMenu* menu = bar.addMenu(text(caption));
    menu->setObjectName(text(id));
    menu->menuAction()->setObjectName(text(id));
    return menu;
}

QMenu* addMenu(QMenuBar& bar, const char* name, const char* caption,
               std::span<const MenuItem> items) {
    QMenu* menu = bar.addMenu(QString::fromUtf8(caption));
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    for (const MenuItem& item : items) {
        QAction* action = menu->addAction(QString::fromUtf8(item.caption));
        action->setObjectName(QString::fromLatin1(item.name));
        if (item.shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
        action->setEnabled(item.enabled);
        action->setCheckable(item.checkable);
    }
    return menu;
}

/// Adds the registry's entries to a menu, opening a submenu where the
/// registry begins one.
void addCommandItems(Menus& menus, QMenu* menu, std::span<const MenuEntry> entries) {
    QMenu* target = menu;
    for (const MenuEntry& entry : entries) {
        const QString id = text(entry.id());
        switch (entry.kind) {
        case MenuEntryKind::SubmenuBegin:
            target = target->addMenu(text(entry.caption()));
            target->setObjectName(id);
            target->menuAction()->setObjectName(id);
            menus.convergence = target;
            break;
        case MenuEntryKind::SubmenuEnd: target = menu; break;
        case MenuEntryKind::Separator: target->addSeparator()->setObjectName(id); break;
        case MenuEntryKind::Disabled:
            target->addAction(text(entry.caption()))->setObjectName(id);
            target->actions().back()->setEnabled(false);
            break;
        case MenuEntryKind::Command: {
            QAction* action = target->addAction(text(entry.caption()));
            action->setObjectName(id);
            menus.commandItems.emplace_back(action, entry.command);
            break;
        }
        }
    }
}

} // namespace

QAction* Menus::item(const QString& name) const {
    for (QMenu* menu : {file, edit, format, help})
        for (QAction* action : menu->actions())
            if (action->objectName() == name) return action;
    return nullptr;
}

Menus buildMenus(QMenuBar& bar) {
    Menus menus;
    menus.file = addMenu(bar, "FileMenu", "文件(&F)", kFileItems);
    menus.edit = addMenu(bar, "EditMenu", "编辑(&E)", kEditItems);
    menus.format = addMenu(bar, "Format", "显示(&V)", kFormatItems);
    menus.methods = addRegistryMenu(bar, kMethodsMenuId, kMethodsMenuCaption);
    addCommandItems(menus, menus.methods, methodMenu());
    if (!analysisMenu().empty()) {
        menus.analysis = addRegistryMenu(bar, kAnalysisMenuId, kAnalysisMenuCaption);
        addCommandItems(menus, menus.analysis, analysisMenu());
    }
    menus.help = addMenu(bar, "mnuHelp", "帮助(&H)", kHelpItems);
    return menus;
}

void Uncoil_Click(const Menus& menus, bool editAreaBlank) {
    for (const auto& item : menus.commandItems) item.first->setEnabled(!editAreaBlank);
    if (menus.convergence) menus.convergence->menuAction()->setEnabled(!editAreaBlank);
}

} // namespace quorvex::ui
