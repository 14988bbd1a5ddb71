#pragma once

#include "analysis/error_chart.h"

#include <QDialog>

class QChart;
class QChartView;

namespace quorvex::ui {

/// The error curves of a convergence analysis on a logarithmic scale, in a
/// window of their own beside the report; 保存图片 writes them as PNG or SVG.
class ErrorChartDialog : public QDialog {
    Q_OBJECT
public:
    ErrorChartDialog(const ErrorChart& chart, QWidget* parent = nullptr);

    /// Writes the chart as SVG when the path ends in .svg, otherwise as PNG.
    /// Returns false when the file could not be written.
    bool saveTo(const QString& path) const;

    QChartView* view() const { return m_view; }

private:
    void saveAs();

    QChartView* m_view;
};

} // namespace quorvex::ui
