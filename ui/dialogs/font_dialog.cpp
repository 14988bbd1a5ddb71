#include "font_dialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvex::ui {

FontDialog::FontDialog(const FontChoice& initial, QWidget* parent)
    : QDialog(parent), m_fonts(new QFontDialog(initial.font, this)),
      m_colorButton(new QPushButton(this)), m_color(initial.color) {
    setWindowTitle(tr("字体"));
    // The chooser is embedded as a plain widget; this dialog owns the buttons.
    m_fonts->setWindowFlags(Qt::Widget);
    m_fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    m_colorButton->setText(tr("颜色(&C)..."));
    connect(m_colorButton, &QPushButton::clicked, this, &FontDialog::pickColor);
    showColor();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(m_colorButton);
    colorRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_fonts);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
    // Qt's chooser asks for more room than the main window has at its
    // first size; the dialog opens no larger than the window it belongs to.
    if (parent) {
        const QSize room = parent->window()->size().expandedTo(minimumSizeHint());
        resize(sizeHint().boundedTo(room));
    }
}

std::optional<FontChoice> FontDialog::choose(QWidget* parent, const FontChoice& initial) {
    FontDialog dialog(initial, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

FontChoice FontDialog::choice() const { return {m_fonts->currentFont(), m_color}; }

void FontDialog::pickColor() {
    const QColor color = QColorDialog::getColor(m_color, this);
    if (!color.isValid()) return;
    m_color = color;
    showColor();
}

void FontDialog::showColor() {
    QPixmap swatch(16, 16);
    swatch.fill(m_color);
    m_colorButton->setIcon(swatch);
}

} // namespace quorvex::ui
