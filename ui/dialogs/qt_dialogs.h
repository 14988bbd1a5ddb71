#pragma once

#include "dialog_provider.h"

namespace quorvex::ui {

/// The dialogs as the user sees them: Qt's own input, message, file, font
/// and colour dialogs.
class QtDialogs final : public DialogProvider {
public:
    QString inputBox(QWidget* parent, const QString& prompt, const QString& caption,
                     const QString& defaultAnswer) override;
    void messageBox(QWidget* parent, const QString& text, const QString& caption) override;
    bool askYesNo(QWidget* parent, const QString& text, const QString& caption) override;
    std::optional<QString> openFileName(QWidget* parent, const QString& filter,
                                        const QString& initialName) override;
    std::optional<QString> saveFileName(QWidget* parent, const QString& filter,
                                        const QString& initialName) override;
    std::optional<FontChoice> chooseFont(QWidget* parent, const FontChoice& initial) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;
};

} // namespace quorvex::ui
