#pragma once

#include <QImage>

class QPainter;
class QRectF;

namespace quorvex::ui {

/// Paints the program's emblem, an augmented matrix [A|b] on a blue tile,
/// into rect. Shapes only, no text, so it paints without any font.
void paintLogo(QPainter& painter, const QRectF& rect);

/// The emblem as an image of the given size (transparent around the tile).
QImage logoImage(int width, int height);

} // namespace quorvex::ui
