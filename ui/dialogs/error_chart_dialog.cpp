#include "error_chart_dialog.h"

#include "messages.h"
#include "qt_dialogs.h"
#include "texts/analysis_texts.h"
#include "window_language.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QImage>
#include <QLineSeries>
#include <QPainter>
#include <QPen>
#include <QPushButton>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace quorvex::ui {

namespace {

namespace T = texts::analysis;

QString qt(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

/// A catalogue text in the window's language: the dialog belongs to the
/// window, whose thread runs no command in a language of its own.
std::string_view shown(const Text& t) { return t.in(windowLanguage()); }

/// At most this many steps between ticks, so that their labels stay legible.
constexpr double kMostTicks = 8;

/// The smallest of 1, 2, 5, 10, 20, 50, ... that cuts span into at most
/// kMostTicks steps.
double roundStep(double span) {
    double step = 1;
    for (;;)
        for (double m : {1.0, 2.0, 5.0})
            if (span / (step * m) <= kMostTicks) return step * m;
            else if (m == 5.0) step *= 10;
}

/// The curve's points as lg of the error: Qt Charts' logarithmic axis loops
/// without end on ranges near the largest double, while lg of any positive
/// double is below 309. Zero (the solution reached exactly) and what lies
/// beyond the doubles have no logarithm: the curve ends there.
struct Plotted {
    QLineSeries* series;
    std::size_t endsAt; ///< the sweep whose error is not drawn, 0 for none
};

Plotted plotted(const ErrorCurve& curve, double& low, double& high) {
    auto* series = new QLineSeries;
    std::size_t k = 1;
    for (; k <= curve.errors.size(); ++k) {
        const double e = curve.errors[k - 1];
        if (!(e > 0.0) || !std::isfinite(e)) break;
        const double lg = std::log10(e);
        series->append(static_cast<double>(k), lg);
        low = std::fmin(low, lg);
        high = std::fmax(high, lg);
    }
    const bool overflows =
        k <= curve.errors.size() ? !(curve.errors[k - 1] == 0.0) : curve.overflows;
    return {series, overflows ? k : 0};
}

/// The earlier curve this one lies on exactly, or npos.
std::size_t earlierSame(const ErrorChart& data, std::size_t i) {
    for (std::size_t j = 0; j < i; ++j)
        if (data.curves[j].errors == data.curves[i].errors) return j;
    return std::string::npos;
}

/// The title, and under it what the curves cannot show: the legend has no
/// room for sentences.
QString titleWith(const ErrorChart& data, const QStringList& notes) {
    const QString title = QString::fromStdString(data.title).toHtmlEscaped();
    if (notes.isEmpty()) return title;
    return title + QStringLiteral("<br><small>") + notes.join(QStringLiteral("<br>")) +
           QStringLiteral("</small>");
}

QValueAxis* sweepAxis(const ErrorChart& data) {
    auto* x = new QValueAxis;
    x->setTitleText(QString::fromStdString(data.xLabel));
    x->setLabelFormat(QStringLiteral("%d"));
    const double sweeps = static_cast<double>(std::max<std::size_t>(data.sweeps(), 1));
    const double step = roundStep(sweeps);
    x->setRange(0, std::ceil(sweeps / step) * step);
    x->setTickType(QValueAxis::TicksDynamic);
    x->setTickAnchor(0);
    x->setTickInterval(step);
    return x;
}

/// Powers of ten at round steps of the exponent, labelled as the reports
/// write numbers (1E-06, 1E+00).
QCategoryAxis* errorAxis(const ErrorChart& data, double low, double high) {
    auto* y = new QCategoryAxis;
    y->setTitleText(QString::fromStdString(data.yLabel));
    y->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    double bottom = std::floor(low), top = std::ceil(high);
    if (!(bottom < top)) top = bottom + 1;
    const double step = roundStep(top - bottom);
    bottom = std::floor(bottom / step) * step;
    top = std::ceil(top / step) * step;
    y->setRange(bottom, top);
    y->setStartValue(bottom - step);
    for (double p = bottom; p <= top; p += step) {
        const int power = static_cast<int>(p);
        const QString exponent = QStringLiteral("%1%2")
                                     .arg(power < 0 ? QStringLiteral("-") : QStringLiteral("+"))
                                     .arg(std::abs(power), 2, 10, QLatin1Char('0'));
        y->append(fillText(shown(T::kChartAxisPower), {exponent}), p);
    }
    return y;
}

QChart* chartOf(const ErrorChart& data) {
    auto* chart = new QChart;
    double low = HUGE_VAL, high = -HUGE_VAL;
    std::vector<QLineSeries*> series;
    QStringList notes;
    for (std::size_t i = 0; i < data.curves.size(); ++i) {
        const QString name = QString::fromStdString(data.curves[i].name);
        const Plotted p = plotted(data.curves[i], low, high);
        p.series->setName(name);
        chart->addSeries(p.series);
        series.push_back(p.series);
        if (p.endsAt != 0)
            notes << fillText(shown(T::kChartCurveOverflows),
                              {name.toHtmlEscaped(), QString::number(p.endsAt)});
        // A curve on top of an earlier one is dashed and thinner, so that
        // both show.
        if (const std::size_t j = earlierSame(data, i); j != std::string::npos) {
            notes << fillText(shown(T::kChartSameCurve),
                              {name.toHtmlEscaped(),
                               QString::fromStdString(data.curves[j].name).toHtmlEscaped()});
            QPen under = series[j]->pen();
            under.setWidthF(4);
            series[j]->setPen(under);
            QPen over = p.series->pen();
            over.setStyle(Qt::DashLine);
            over.setWidthF(2);
            p.series->setPen(over);
        }
    }
    chart->setTitle(titleWith(data, notes));
    if (!(low <= high)) low = high = 0;
    QValueAxis* x = sweepAxis(data);
    QCategoryAxis* y = errorAxis(data, low, high);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QLineSeries* s : series) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
    return chart;
}

} // namespace

ErrorChartDialog::ErrorChartDialog(const ErrorChart& chart, QWidget* parent,
                                   DialogProvider* dialogs)
    : QDialog(parent), m_ownDialogs(dialogs ? nullptr : std::make_unique<QtDialogs>()),
      m_dialogs(dialogs ? *dialogs : *m_ownDialogs), m_view(new QChartView(chartOf(chart), this)),
      m_title(QString::fromStdString(chart.title)) {
    setWindowTitle(qt(shown(T::kChartDialogCaption)));
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setMinimumSize(640, 420);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* save = buttons->addButton(qt(shown(T::kChartSave)), QDialogButtonBox::ActionRole);
    QPushButton* close =
        buttons->addButton(qt(shown(T::kChartClose)), QDialogButtonBox::RejectRole);
    connect(save, &QPushButton::clicked, this, &ErrorChartDialog::saveAs);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view);
    layout->addWidget(buttons);
}

ErrorChartDialog::~ErrorChartDialog() = default;

bool ErrorChartDialog::saveTo(const QString& path) const {
    // Nothing is opened for writing until the picture is drawn.
    QSaveFile file(path);
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        if (!file.open(QIODevice::WriteOnly)) return false;
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(m_view->size());
        svg.setViewBox(m_view->rect());
        svg.setTitle(m_title);
        QPainter painter;
        if (!painter.begin(&svg)) return false;
        m_view->render(&painter);
        if (!painter.end()) return false;
    } else {
        const QImage image = m_view->grab().toImage();
        if (image.isNull() || !file.open(QIODevice::WriteOnly)) return false;
        if (!image.save(&file, "PNG")) return false;
    }
    return file.commit();
}

void ErrorChartDialog::saveAs() {
    const QString initial = qt(shown(T::kChartFileName)) + QStringLiteral(".png");
    const auto name = m_dialogs.saveFileName(this, qt(shown(T::kChartFilter)), initial);
    if (!name || name->isEmpty()) return;
    QString path = *name;
    // A name typed without a suffix is a PNG picture.
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".png");
    if (!saveTo(path)) m_dialogs.messageBox(this, qt(shown(T::kChartNotSaved)), kCaption);
}

} // namespace quorvex::ui
