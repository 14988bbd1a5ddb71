#pragma once

#include "dialog_provider.h"

#include <QDialog>

class QFontDialog;
class QPushButton;

namespace quorvex::ui {

/// The font dialog with its effects: Qt's font chooser (strikethrough and
/// underline included) and a text colour, chosen together.
class FontDialog : public QDialog {
    Q_OBJECT
public:
    explicit FontDialog(const FontChoice& initial, QWidget* parent = nullptr);

    /// Shows the dialog modally; nothing when it is cancelled.
    static std::optional<FontChoice> choose(QWidget* parent, const FontChoice& initial);

    FontChoice choice() const;

private:
    void pickColor();
    void showColor();

    QFontDialog* m_fonts;
    QPushButton* m_colorButton;
    QColor m_color;
};

} // namespace quorvex::ui
