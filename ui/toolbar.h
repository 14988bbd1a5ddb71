#pragma once

#include <QString>

class QToolBar;
class QWidget;

namespace quorvex::ui {

/// The keys the toolbar's buttons carry, which Toolbar1_ButtonClick reads.
inline const QString kKeyNew = QStringLiteral("新建");
inline const QString kKeyOpen = QStringLiteral("打开");
inline const QString kKeySave = QStringLiteral("保存");
inline const QString kKeySaveAs = QStringLiteral("另存为");
inline const QString kKeyCut = QStringLiteral("剪切");
inline const QString kKeyCopy = QStringLiteral("复制");
inline const QString kKeyPaste = QStringLiteral("粘贴");
inline const QString kKeyUndo = QStringLiteral("撤消");
inline const QString kKeyRedo = QStringLiteral("恢复");

/// Builds Toolbar1: new, open, save | cut, copy, paste | a gap, then the
/// disabled undo and redo. Each button's action has its key as object name
/// and data, and its key as tooltip.
QToolBar* buildToolbar(QWidget* parent);

} // namespace quorvex::ui
