#include "logo.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace quorvex::ui {

namespace {

/// One square bracket of the matrix, opening to the right or to the left.
void paintBracket(QPainter& p, double x, double top, double bottom, double arm, bool opening) {
    QPainterPath path;
    const double tip = opening ? x + arm : x - arm;
    path.moveTo(tip, top);
    path.lineTo(x, top);
    path.lineTo(x, bottom);
    path.lineTo(tip, bottom);
    p.drawPath(path);
}

} // namespace

void paintLogo(QPainter& p, const QRectF& rect) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(rect.width(), rect.height());
    const double radius = side * 0.18;
    QLinearGradient tile(rect.topLeft(), rect.bottomRight());
    tile.setColorAt(0.0, QColor(48, 96, 232));
    tile.setColorAt(1.0, QColor(0, 0, 170));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(rect, radius, radius);

    // The matrix: brackets, a 3 x 3 block with its diagonal stressed, a
    // rule, and the right-hand side in warm colour.
    const double w = rect.width(), h = rect.height();
    const double top = rect.top() + h * 0.2, bottom = rect.bottom() - h * 0.2;
    const double left = rect.left() + w * 0.16, right = rect.right() - w * 0.16;
    QPen pen(Qt::white, std::max(1.0, side * 0.06), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    paintBracket(p, left, top, bottom, w * 0.07, true);
    paintBracket(p, right, top, bottom, w * 0.07, false);
    const double rule = left + (right - left) * 0.72;
    p.drawLine(QPointF(rule, top + h * 0.04), QPointF(rule, bottom - h * 0.04));

    const double dot = std::max(1.0, side * 0.085);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        const double y = top + (bottom - top) * (i + 0.5) / 3.0;
        for (int j = 0; j < 3; ++j) {
            const double x = left + (rule - left) * (j + 0.55) / 3.4;
            p.setBrush(i == j ? QColor(Qt::white) : QColor(150, 180, 255));
            p.drawEllipse(QPointF(x, y), i == j ? dot : dot * 0.75, i == j ? dot : dot * 0.75);
        }
        p.setBrush(QColor(255, 190, 40));
        p.drawEllipse(QPointF(rule + (right - rule) * 0.5, y), dot, dot);
    }
    p.restore();
}

QImage logoImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    paintLogo(p, QRectF(0.5, 0.5, width - 1.0, height - 1.0));
    return image;
}

} // namespace quorvex::ui
