#include "error_chart_dialog.h"

#include "analysis/analysis_texts.h"
#include "messages.h"

#include <QChart>
#include <QChartView>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QValueAxis>

#include <cmath>

namespace quorvex::ui {

namespace {

namespace T = analysis_texts;

QString qt(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

/// A logarithmic axis cannot show 0: an iteration that hits the solution
/// exactly ends its curve there.
QLineSeries* seriesOf(const ErrorCurve& curve, double& low, double& high) {
    auto* series = new QLineSeries;
    series->setName(QString::fromStdString(curve.name));
    for (std::size_t k = 1; k <= curve.errors.size(); ++k) {
        const double e = curve.errors[k - 1];
        if (!(e > 0.0) || !std::isfinite(e)) break;
        series->append(static_cast<double>(k), e);
        low = std::fmin(low, e);
        high = std::fmax(high, e);
    }
    return series;
}

QChart* chartOf(const ErrorChart& data) {
    auto* chart = new QChart;
    chart->setTitle(QString::fromStdString(data.title));
    auto* x = new QValueAxis;
    x->setTitleText(QString::fromStdString(data.xLabel));
    x->setLabelFormat(QStringLiteral("%d"));
    x->setRange(0, static_cast<double>(std::max<std::size_t>(data.sweeps(), 1)));
    auto* y = new QLogValueAxis;
    y->setTitleText(QString::fromStdString(data.yLabel));
    y->setLabelFormat(QStringLiteral("%.0e"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    double low = HUGE_VAL, high = 0.0;
    for (const ErrorCurve& c : data.curves) {
        QLineSeries* s = seriesOf(c, low, high);
        chart->addSeries(s);
        s->attachAxis(x);
        s->attachAxis(y);
    }
    if (high > 0.0) y->setRange(low / 2, high * 2);
    return chart;
}

} // namespace

ErrorChartDialog::ErrorChartDialog(const ErrorChart& chart, QWidget* parent)
    : QDialog(parent), m_view(new QChartView(chartOf(chart), this)) {
    setWindowTitle(qt(T::kChartDialogCaption));
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setMinimumSize(640, 420);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* save = buttons->addButton(qt(T::kChartSave), QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(qt(T::kChartClose), QDialogButtonBox::RejectRole);
    connect(save, &QPushButton::clicked, this, &ErrorChartDialog::saveAs);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view);
    layout->addWidget(buttons);
}

bool ErrorChartDialog::saveTo(const QString& path) const {
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(m_view->size());
        svg.setViewBox(m_view->rect());
        svg.setTitle(m_view->chart()->title());
        QPainter painter;
        if (!painter.begin(&svg)) return false;
        m_view->render(&painter);
        return painter.end();
    }
    return m_view->grab().save(path, "PNG");
}

void ErrorChartDialog::saveAs() {
    QString filter;
    QString path = QFileDialog::getSaveFileName(this, qt(T::kChartSaveCaption), QString(),
                                                qt(T::kChartFilter), &filter);
    if (path.isEmpty()) return;
    // A name typed without a suffix takes the one of the chosen format.
    if (QFileInfo(path).suffix().isEmpty())
        path += filter.contains(QStringLiteral("svg")) ? ".svg" : ".png";
    if (!saveTo(path)) QMessageBox::warning(this, kCaption, qt(T::kChartNotSaved));
}

} // namespace quorvex::ui
