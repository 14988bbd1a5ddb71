#pragma once

#include "frame/settings.h"

#include <QColor>
#include <QFont>

class QPlainTextEdit;
class QWidget;

namespace quorvex::ui {

class DialogProvider;

/// The display menu 显示: font and colours of both text areas, and the
/// report settings, DecimalDigits among them. Nothing is stored between
/// runs.
class DisplaySettings {
public:
    static constexpr int kDefaultPointSize = 9;

    DisplaySettings(DialogProvider& dialogs, QWidget& window, QPlainTextEdit& editArea,
                    QPlainTextEdit& resultArea);

    const ReportSettings& reportSettings() const { return m_report; }
    /// 语言: the language the next commands write and ask in.
    void setLanguage(Language language) { m_report.language = language; }

    void FormatStyle_Click();
    void FormatBackColor_Click();
    void FormatDecimalDigits_Click();
    /// 默认 also turns exact fractions and worked steps (both levels) off.
    void FormatDefault_Click();
    /// 精确分数: the direct methods compute and write exact fractions.
    void FormatExact_Click(bool checked) { m_report.exact = checked; }
    /// 详细步骤: reports show the steps that lead to their numbers.
    void FormatSteps_Click(bool checked) { m_report.steps = checked; }
    /// 逐行变换: the steps, and the eliminations' matrix after every single
    /// row operation.
    void FormatRowSteps_Click(bool checked) { m_report.rowSteps = checked; }

    /// The font 默认 restores: "宋体", 9 points, no effects.
    static QFont defaultFont();

private:
    void applyFont(const QFont& font);
    void applyColors(const QColor& text, const QColor& background);
    QColor textColor() const;
    QColor backgroundColor() const;

    DialogProvider& m_dialogs;
    QWidget& m_window;
    QPlainTextEdit& m_editArea;
    QPlainTextEdit& m_resultArea;
    ReportSettings m_report;
};

} // namespace quorvex::ui
