#pragma once

#include <QIcon>

namespace quorvex::ui {

/// The pictures of the toolbar's image list, 1 to 9: new, open, save, cut,
/// copy, paste, a spare one, undo, redo.
enum class ToolbarPicture { New = 1, Open, Save, Cut, Copy, Paste, Spare, Undo, Redo };

/// The picture from the desktop's icon theme when it has one, otherwise our
/// own 16 x 16 drawing.
QIcon toolbarIcon(ToolbarPicture picture);

/// Our own drawing of the picture, whatever the theme.
QIcon drawnToolbarIcon(ToolbarPicture picture);

/// The window's icon: a small matrix in brackets.
QIcon windowIcon();

} // namespace quorvex::ui
