#include "report_pages.h"

#include "frame/frame.h"
#include "messages.h"
#include "report/display_blocks.h"
#include "report/report.h"
#include "texts/report_texts.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <vector>

namespace quorvex::ui {

namespace {

QString qt(const std::string& s) { return QString::fromStdString(s); }

/// What is painted where: the painter, the page's size and how far down
/// the current page is filled.
class PageCursor {
public:
    PageCursor(QPagedPaintDevice& device, QPainter& painter)
        : m_device(device), m_painter(painter), m_width(device.width()), m_height(device.height()) {
    }

    double width() const { return m_width; }
    double height() const { return m_height; }
    double y() const { return m_y; }
    QPainter& painter() { return m_painter; }

    /// Room for h more: a new page when the rest of this one is too short,
    /// unless it is still empty.
    void makeRoom(double h) {
        if (m_y > 0 && m_y + h > m_height) newPage();
    }
    void advance(double h) { m_y += h; }
    void newPage() {
        m_device.newPage();
        m_y = 0;
    }

private:
    QPagedPaintDevice& m_device;
    QPainter& m_painter;
    double m_width;
    double m_height;
    double m_y = 0;
};

class Painter {
public:
    Painter(const Document& d, const QFont& font, QPagedPaintDevice& device, QPainter& painter,
            const StopRequest& stop)
        : m_d(d), m_font(font), m_bold(font), m_small(font), m_page(device, painter), m_stop(stop) {
        m_bold.setBold(true);
        m_small.setPointSizeF(font.pointSizeF() * 0.75);
        m_line = QFontMetricsF(m_font, &device).lineSpacing();
        m_em = QFontMetricsF(m_font, &device).horizontalAdvance(u'M');
        m_device = &device;
    }

    bool paint() {
        for (const ReportBlock& b : blocksOf(m_d)) {
            if (m_stop.requested()) return false;
            if (!block(b)) return false;
        }
        return true;
    }

private:
    using K = ReportBlock::Kind;

    bool block(const ReportBlock& b) {
        switch (b.kind) {
        case K::Heading:
            m_page.advance(m_line / 2);
            for (std::string_view l : linesOf(std::get<piece::Heading>(*b.piece).text))
                text(QString::fromUtf8(l.data(), static_cast<qsizetype>(l.size())), m_bold);
            return true;
        case K::Line: text(lineText(b.runs), m_font); return true;
        case K::Matrix:
        case K::Row: return matrix(shapeOf(m_d, b));
        case K::Value:
            text(valueText(std::get<piece::IndexedValue>(*b.piece)), m_font);
            return true;
        case K::Title:
            m_page.advance(m_line / 2);
            text(qt(std::get<piece::Title>(*b.piece).text), m_bold);
            return true;
        }
        return true;
    }

    static QString lineText(const std::vector<Run>& runs) {
        QString out;
        for (const Run& r : runs)
            out += r.kind == Run::Kind::Text
                       ? QString::fromUtf8(r.text.data(), static_cast<qsizetype>(r.text.size()))
                       : qt(numberText(r));
        return out;
    }

    static QString valueText(const piece::IndexedValue& v) {
        std::string out = v.name + "(";
        appendInteger(out, v.index);
        out += ")=";
        out += v.exact ? rationalText(*v.exact) : styledText(v.value, v.style);
        return qt(out);
    }

    /// A line of text, wrapped at the page's width.
    void text(const QString& s, const QFont& font) {
        QTextLayout layout(s, font, m_device);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        double h = 0;
        for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
            l.setLineWidth(m_page.width());
            l.setPosition(QPointF(0, h));
            h += l.height();
        }
        layout.endLayout();
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine l = layout.lineAt(i);
            m_page.makeRoom(l.height());
            l.draw(&m_page.painter(), QPointF(0, m_page.y() - l.y()));
            m_page.advance(l.height());
        }
    }

    /// The widest entry of each column; empty when stopped.
    std::vector<double> columnWidths(const BlockShape& shape) {
        const QFontMetricsF metrics(m_font, m_device);
        std::vector<double> widths(static_cast<std::size_t>(shape.cols), 0.0);
        std::size_t k = 0;
        for (int i = 0; i < shape.rows; ++i) {
            if (m_stop.requested()) return {};
            for (auto& w : widths)
                w = std::max(w, metrics.horizontalAdvance(qt(numberText(shape, k++))));
        }
        return widths;
    }

    bool matrix(const BlockShape& shape) {
        const std::vector<double> widths = columnWidths(shape);
        if (widths.empty()) return false;
        const double gap = m_em, bracket = m_em / 2;
        const double room = m_page.width() - 2 * bracket - gap;
        std::vector<std::pair<int, int>> pieces; // columns [first, end)
        for (int first = 0; first < shape.cols;) {
            int end = first + 1;
            double used = widths[first];
            while (end < shape.cols && used + gap + widths[end] <= room)
                used += gap + widths[end++];
            pieces.push_back({first, end});
            first = end;
        }
        m_page.advance(m_line / 4);
        for (const auto& [first, end] : pieces)
            if (!columnBlock(shape, widths, first, end, pieces.size() > 1)) return false;
        m_page.advance(m_line / 4);
        return true;
    }

    /// Columns [first, end) of the block, headed by their numbers when the
    /// block is broken; rows go on the next page only when the block is
    /// taller than a page.
    bool columnBlock(const BlockShape& shape, const std::vector<double>& widths, int first, int end,
                     bool broken) {
        const double gap = m_em, bracket = m_em / 2;
        double natural = 0;
        for (int j = first; j < end; ++j) natural += widths[j] + (j > first ? gap : 0);
        const double room = m_page.width() - 2 * bracket - gap;
        const double scale = natural > room ? room / natural : 1.0;
        const double row = m_line * scale;
        const double header = broken ? 2 * m_line : 0;
        m_page.makeRoom(header + row * shape.rows);
        QPainter& p = m_page.painter();
        for (int i = 0; i < shape.rows;) {
            if (m_page.y() + header + row > m_page.height()) m_page.newPage();
            const int fit =
                std::max(1, static_cast<int>((m_page.height() - m_page.y() - header) / row));
            const int last = std::min(shape.rows, i + fit);
            if (broken) columnHeader(widths, first, end, scale);
            const double top = m_page.y();
            for (; i < last; ++i) {
                if (m_stop.requested()) return false;
                p.save();
                p.translate(bracket + gap / 2, m_page.y());
                p.scale(scale, scale);
                p.setFont(m_font);
                double x = 0;
                for (int j = first; j < end; ++j) {
                    const std::size_t k = static_cast<std::size_t>(i) * shape.cols + j;
                    p.drawText(QRectF(x, 0, widths[j], m_line), Qt::AlignRight | Qt::AlignVCenter,
                               qt(numberText(shape, k)));
                    if (shape.barAfter > 0 && j + 1 == shape.barAfter && j + 1 < end)
                        p.drawLine(QPointF(x + widths[j] + gap / 2, 0),
                                   QPointF(x + widths[j] + gap / 2, m_line));
                    x += widths[j] + gap;
                }
                p.restore();
                m_page.advance(row);
            }
            brackets(top, m_page.y(), bracket + gap + natural * scale);
        }
        return true;
    }

    void columnHeader(const std::vector<double>& widths, int first, int end, double scale) {
        QPainter& p = m_page.painter();
        p.setFont(m_font);
        p.drawText(QRectF(0, m_page.y(), m_page.width(), m_line), Qt::AlignLeft | Qt::AlignVCenter,
                   fillText(texts::report::kColumnsShown.in(m_d.language),
                            {QString::number(first + 1), QString::number(end)}));
        m_page.advance(m_line);
        p.save();
        p.translate(m_em, m_page.y());
        p.scale(scale, scale);
        p.setFont(m_small);
        p.setPen(Qt::darkGray);
        double x = 0;
        for (int j = first; j < end; ++j) {
            p.drawText(QRectF(x, 0, widths[j], m_line), Qt::AlignRight | Qt::AlignVCenter,
                       QString::number(j + 1));
            x += widths[j] + m_em;
        }
        p.restore();
        m_page.advance(m_line);
    }

    /// [ and ] around rows from top to bottom; the right one at x.
    void brackets(double top, double bottom, double x) {
        QPainter& p = m_page.painter();
        const double serif = m_em / 3;
        p.drawPolyline(QPolygonF(
            {QPointF(serif, top), QPointF(0, top), QPointF(0, bottom), QPointF(serif, bottom)}));
        p.drawPolyline(QPolygonF({QPointF(x - serif, top), QPointF(x, top), QPointF(x, bottom),
                                  QPointF(x - serif, bottom)}));
    }

    const Document& m_d;
    QFont m_font;
    QFont m_bold;
    QFont m_small;
    PageCursor m_page;
    const StopRequest& m_stop;
    QPaintDevice* m_device = nullptr;
    double m_line = 0;
    double m_em = 0;
};

} // namespace

ReportPages::ReportPages(const Document& document, const QFont& font)
    : m_document(document), m_font(font) {}

bool ReportPages::paint(QPagedPaintDevice& device, const StopRequest& stop) const {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    Painter pages(m_document, m_font, device, painter, stop);
    const bool done = pages.paint();
    painter.end();
    return done;
}

} // namespace quorvex::ui
