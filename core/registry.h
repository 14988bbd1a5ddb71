#pragma once

#include "frame.h"

#include <span>
#include <string_view>

namespace quorvex {

enum class MenuEntryKind {
    Command,      ///< a method command: id, caption, handler
    Separator,    ///< a separator line; id is its control name
    Disabled,     ///< an item that is always greyed and runs nothing
    SubmenuBegin, ///< the items up to SubmenuEnd form a submenu
    SubmenuEnd,
};

/// One item of the methods menu 解线性方程组(&U), in menu order. The id is
/// the menu item's control name; the CLI names commands by it.
struct MenuEntry {
    MenuEntryKind kind;
    std::string_view id;
    std::string_view caption;
    CommandHandler handler = nullptr;
};

/// Control name and caption of the methods menu itself.
inline constexpr std::string_view kMethodsMenuId = "Uncoil";
inline constexpr std::string_view kMethodsMenuCaption = "解线性方程组(&U)";

/// The methods menu, in order, with its separators and submenu.
std::span<const MenuEntry> methodMenu();

/// The command with this id, or nullptr.
const MenuEntry* findCommand(std::string_view id);

/// The message shown when an allocation fails with no order to blame.
inline constexpr std::string_view kOutOfMemoryMessage = "内存不足，计算没有完成#";

/// Runs a command. When its memory cannot be had (the order is too large,
/// or an allocation fails) it shows one message, puts back the result
/// area's text from before the command and returns Outcome::Failed.
Outcome runCommand(const MenuEntry& command, Host& host);

} // namespace quorvex
