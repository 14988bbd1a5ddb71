#pragma once

#include "analysis/error_chart.h"

#include <QDialog>

#include <memory>

class QChart;
class QChartView;

namespace quorvex::ui {

class DialogProvider;

/// The error curves of a convergence analysis on a logarithmic scale, in a
/// window of their own beside the report; 保存图片 writes them as PNG or SVG.
class ErrorChartDialog : public QDialog {
    Q_OBJECT
public:
    /// With no dialog provider the dialog uses Qt's own file dialog.
    ErrorChartDialog(const ErrorChart& chart, QWidget* parent = nullptr,
                     DialogProvider* dialogs = nullptr);
    ~ErrorChartDialog() override;

    /// Writes the chart as SVG when the path ends in .svg, otherwise as PNG,
    /// through a temporary file renamed over the target once complete.
    /// Returns false when the file could not be written (an old one stays).
    bool saveTo(const QString& path) const;

    QChartView* view() const { return m_view; }

    /// 保存图片: asks for a file, offering the chart's name, and writes it.
    void saveAs();

private:
    std::unique_ptr<DialogProvider> m_ownDialogs;
    DialogProvider& m_dialogs;
    QChartView* m_view;
    QString m_title;
};

} // namespace quorvex::ui
