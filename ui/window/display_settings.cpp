#include "display_settings.h"

#include "dialog_provider.h"
#include "messages.h"
#include "reading/number_text.h"

#include <QApplication>
#include <QPalette>
#include <QPlainTextEdit>

namespace quorvex::ui {

DisplaySettings::DisplaySettings(DialogProvider& dialogs, QWidget& window, QPlainTextEdit& editArea,
                                 QPlainTextEdit& resultArea)
    : m_dialogs(dialogs), m_window(window), m_editArea(editArea), m_resultArea(resultArea) {}

QFont DisplaySettings::defaultFont() {
    QFont font(QStringLiteral("宋体"), kDefaultPointSize);
    font.setBold(false);
    font.setItalic(false);
    font.setStrikeOut(false);
    font.setUnderline(false);
    return font;
}

void DisplaySettings::FormatStyle_Click() {
    const auto choice = m_dialogs.chooseFont(&m_window, {m_editArea.font(), textColor()});
    if (!choice) return;
    QFont font = m_editArea.font();
    // An empty family keeps the areas' current one; everything else follows the dialog.
    if (!choice->font.family().isEmpty()) font.setFamily(choice->font.family());
    if (choice->font.pointSizeF() > 0) font.setPointSizeF(choice->font.pointSizeF());
    font.setBold(choice->font.bold());
    font.setItalic(choice->font.italic());
    font.setStrikeOut(choice->font.strikeOut());
    font.setUnderline(choice->font.underline());
    applyFont(font);
    applyColors(choice->color, backgroundColor());
}

void DisplaySettings::FormatBackColor_Click() {
    const auto color = m_dialogs.chooseColor(&m_window, backgroundColor());
    if (color) applyColors(textColor(), *color);
}

void DisplaySettings::FormatDecimalDigits_Click() {
    const QString answer = m_dialogs.inputBox(&m_window, kDecimalsPrompt, kDecimalsCaption,
                                              QString::number(m_report.decimalDigits));
    m_report.decimalDigits = decimalDigitsFromAnswer(answer.toStdString());
}

void DisplaySettings::FormatDefault_Click() {
    applyFont(defaultFont());
    const QPalette system = QApplication::palette();
    applyColors(system.color(QPalette::Text), system.color(QPalette::Base));
    m_report.decimalDigits = ReportSettings::kDefaultDecimalDigits;
    m_report.exact = false;
    m_report.steps = false;
    m_report.rowSteps = false;
}

void DisplaySettings::applyFont(const QFont& font) {
    m_editArea.setFont(font);
    m_resultArea.setFont(font);
}

void DisplaySettings::applyColors(const QColor& text, const QColor& background) {
    for (QPlainTextEdit* area : {&m_editArea, &m_resultArea}) {
        QPalette palette = area->palette();
        palette.setColor(QPalette::Text, text);
        palette.setColor(QPalette::Base, background);
        area->setPalette(palette);
    }
}

QColor DisplaySettings::textColor() const { return m_editArea.palette().color(QPalette::Text); }

QColor DisplaySettings::backgroundColor() const {
    return m_editArea.palette().color(QPalette::Base);
}

} // namespace quorvex::ui
