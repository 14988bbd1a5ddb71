#include "menus.h"

#include "window_language.h"

#include <QAction>
#include <QActionGroup>
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
    {"FileNew", QT_TRANSLATE_NOOP("quorvex::ui::menus", "新建"), "Ctrl+N"},
    {"FileOpen", QT_TRANSLATE_NOOP("quorvex::ui::menus", "打开"), "Ctrl+O"},
    {"FileSave", QT_TRANSLATE_NOOP("quorvex::ui::menus", "保存"), "Ctrl+S"},
    {"FileSaveAS", QT_TRANSLATE_NOOP("quorvex::ui::menus", "另存为")},
    {"FileExit", QT_TRANSLATE_NOOP("quorvex::ui::menus", "退出")},
};

constexpr MenuItem kEditItems[] = {
    {"EditSelectAll", QT_TRANSLATE_NOOP("quorvex::ui::menus", "全选(&A)"), "Ctrl+A"},
    {"Edit", QT_TRANSLATE_NOOP("quorvex::ui::menus", "撤消"), "Ctrl+Z", false},
    {"EditCut", QT_TRANSLATE_NOOP("quorvex::ui::menus", "剪切"), "Ctrl+X"},
    {"EditCopy", QT_TRANSLATE_NOOP("quorvex::ui::menus", "复制"), "Ctrl+C"},
    {"EditPaste", QT_TRANSLATE_NOOP("quorvex::ui::menus", "粘贴"), "Ctrl+V"},
    {"EditDelete", QT_TRANSLATE_NOOP("quorvex::ui::menus", "删除(&L)"), "Del"},
};

constexpr MenuItem kFormatItems[] = {
    {"FormatStyle", QT_TRANSLATE_NOOP("quorvex::ui::menus", "字体")},
    {"FormatBackColor", QT_TRANSLATE_NOOP("quorvex::ui::menus", "背景色")},
    {"FormatDecimalDigits", QT_TRANSLATE_NOOP("quorvex::ui::menus", "设置小数数位")},
    {"FormatDefault", QT_TRANSLATE_NOOP("quorvex::ui::menus", "默认")},
    {"FormatExact", QT_TRANSLATE_NOOP("quorvex::ui::menus", "精确分数"), nullptr, true, true},
    {"FormatSteps", QT_TRANSLATE_NOOP("quorvex::ui::menus", "详细步骤"), nullptr, true, true},
    {"FormatRowSteps", QT_TRANSLATE_NOOP("quorvex::ui::menus", "逐行变换"), nullptr, true, true},
};

constexpr MenuItem kHelpItems[] = {
    {"mnuHelpFile", QT_TRANSLATE_NOOP("quorvex::ui::menus", "帮助文件")},
    {"mnuAbout", QT_TRANSLATE_NOOP("quorvex::ui::menus", "关于")},
};

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QMenu* addRegistryMenu(QMenuBar& bar, std::string_view id, Text caption) {
    QMenu* menu = bar.addMenu(QString());
    setWindowText(*menu->menuAction(), caption);
    menu->setObjectName(text(id));
    menu->menuAction()->setObjectName(text(id));
    return menu;
}

QMenu* addMenu(QMenuBar& bar, const char* name, const char* caption,
               std::span<const MenuItem> items) {
    QMenu* menu = bar.addMenu(QString());
    setWindowText(*menu->menuAction(), UiText{caption, kMenuContext});
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    for (const MenuItem& item : items) {
        QAction* action = menu->addAction(QString());
        setWindowText(*action, UiText{item.caption, kMenuContext});
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
            target = target->addMenu(QString());
            setWindowText(*target->menuAction(), entry.caption());
            target->setObjectName(id);
            target->menuAction()->setObjectName(id);
            menus.convergence = target;
            break;
        case MenuEntryKind::SubmenuEnd: target = menu; break;
        case MenuEntryKind::Separator: target->addSeparator()->setObjectName(id); break;
        case MenuEntryKind::Disabled:
            target->addAction(QString())->setObjectName(id);
            setWindowText(*target->actions().back(), entry.caption());
            target->actions().back()->setEnabled(false);
            break;
        case MenuEntryKind::Command: {
            QAction* action = target->addAction(QString());
            setWindowText(*action, entry.caption());
            action->setObjectName(id);
            menus.commandItems.emplace_back(action, entry.command);
            break;
        }
        }
    }
}

/// 语言: the window's language, each in its own name; the choice lasts
/// for the run.
void addLanguageMenu(Menus& menus) {
    QMenu* menu = menus.format->addMenu(QString());
    menu->setObjectName(QStringLiteral("FormatLanguage"));
    menu->menuAction()->setObjectName(QStringLiteral("FormatLanguage"));
    setWindowText(*menu->menuAction(),
                  UiText{QT_TRANSLATE_NOOP("quorvex::ui::menus", "语言 (Language)"), kMenuContext});
    auto* group = new QActionGroup(menu);
    const auto add = [&](const char* name, const char* caption) {
        QAction* action = menu->addAction(QString());
        action->setObjectName(QString::fromLatin1(name));
        setWindowText(*action, UiText{caption, kMenuContext});
        action->setCheckable(true);
        group->addAction(action);
        return action;
    };
    menus.chinese = add("FormatLanguageChinese", QT_TRANSLATE_NOOP("quorvex::ui::menus", "中文"));
    menus.english =
        add("FormatLanguageEnglish", QT_TRANSLATE_NOOP("quorvex::ui::menus", "English"));
    menus.chinese->setChecked(true);
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
    menus.file =
        addMenu(bar, "FileMenu", QT_TRANSLATE_NOOP("quorvex::ui::menus", "文件(&F)"), kFileItems);
    menus.edit =
        addMenu(bar, "EditMenu", QT_TRANSLATE_NOOP("quorvex::ui::menus", "编辑(&E)"), kEditItems);
    menus.format =
        addMenu(bar, "Format", QT_TRANSLATE_NOOP("quorvex::ui::menus", "显示(&V)"), kFormatItems);
    addLanguageMenu(menus);
    menus.methods = addRegistryMenu(bar, kMethodsMenuId, kMethodsMenuCaption);
    addCommandItems(menus, menus.methods, methodMenu());
    if (!analysisMenu().empty()) {
        menus.analysis = addRegistryMenu(bar, kAnalysisMenuId, kAnalysisMenuCaption);
        addCommandItems(menus, menus.analysis, analysisMenu());
    }
    menus.help =
        addMenu(bar, "mnuHelp", QT_TRANSLATE_NOOP("quorvex::ui::menus", "帮助(&H)"), kHelpItems);
    return menus;
}

void Uncoil_Click(const Menus& menus, bool editAreaBlank) {
    for (const auto& item : menus.commandItems) item.first->setEnabled(!editAreaBlank);
    if (menus.convergence) menus.convergence->menuAction()->setEnabled(!editAreaBlank);
}

} // namespace quorvex::ui
