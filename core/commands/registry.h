#pragma once

#include "frame/frame.h"

#include <span>
#include <string_view>
#include <vector>

namespace quorvex {

enum class MenuEntryKind {
    Command,      ///< a method command
    Separator,    ///< a separator line
    Disabled,     ///< an item that is always greyed and runs nothing
    SubmenuBegin, ///< the items up to SubmenuEnd form a submenu
    SubmenuEnd,
};

/// One item of the methods menu 解线性方程组(&U), in menu order. A command
/// item refers to its command's one definition; the other items carry
/// their own control name and caption.
struct MenuEntry {
    MenuEntryKind kind;
    const Command* command = nullptr;
    std::string_view name;
    Text text;

    /// The control name: the command's id for a command item.
    std::string_view id() const { return command ? command->id : name; }
    Text caption() const { return command ? command->caption : text; }
};

/// Control name and caption of the methods menu itself.
inline constexpr std::string_view kMethodsMenuId = "Uncoil";
inline constexpr Text kMethodsMenuCaption = texts::dialog::kMethodsMenuCaption;

/// Control name and caption of the analysis menu, which comes after the
/// methods menu.
inline constexpr std::string_view kAnalysisMenuId = "Analysis";
inline constexpr Text kAnalysisMenuCaption = texts::dialog::kAnalysisMenuCaption;

/// The methods menu, in order, with its separators and submenu.
std::span<const MenuEntry> methodMenu();

/// The analysis menu, in order (empty while it has no commands).
std::span<const MenuEntry> analysisMenu();

/// Every command, in menu order: the methods, then the analyses.
std::vector<const Command*> allCommands();

/// The command with this id, or nullptr.
const Command* findCommand(std::string_view id);

} // namespace quorvex
