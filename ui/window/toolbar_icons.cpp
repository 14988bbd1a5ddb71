#include "toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quorvex::ui {

namespace {

constexpr int kSide = 16;
const QColor kInk(40, 40, 40);
const QColor kPaper(255, 255, 255);

/// A sheet of paper with a folded corner at (x, y).
void drawSheet(QPainter& p, int x, int y, int w, int h) {
    QPainterPath sheet;
    sheet.moveTo(x, y);
    sheet.lineTo(x + w - 4, y);
    sheet.lineTo(x + w, y + 4);
    sheet.lineTo(x + w, y + h);
    sheet.lineTo(x, y + h);
    sheet.closeSubpath();
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawPath(sheet);
    p.drawLine(x + w - 4, y, x + w - 4, y + 4);
    p.drawLine(x + w - 4, y + 4, x + w, y + 4);
}

void drawNew(QPainter& p) {
    drawSheet(p, 2, 1, 11, 14);
    p.setPen(QColor(230, 160, 0));
    p.drawLine(11, 9, 15, 13);
    p.drawLine(15, 9, 11, 13);
}

void drawOpen(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(QColor(240, 200, 80));
    p.drawRect(1, 4, 12, 10);
    p.setBrush(QColor(255, 225, 120));
    p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(15, 7), QPoint(13, 14), QPoint(1, 14)}));
}

void drawSave(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(QColor(60, 90, 170));
    p.drawRect(1, 1, 14, 14);
    p.setBrush(kPaper);
    p.drawRect(4, 1, 8, 5);
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(4, 9, 8, 6);
}

void drawCut(QPainter& p) {
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawLine(5, 1, 10, 10);
    p.drawLine(11, 1, 6, 10);
    p.setPen(QPen(QColor(200, 30, 30), 1.5));
    p.drawEllipse(QPointF(4.5, 12.5), 2.5, 2.5);
    p.drawEllipse(QPointF(11.5, 12.5), 2.5, 2.5);
}

void drawCopy(QPainter& p) {
    drawSheet(p, 1, 1, 9, 10);
    drawSheet(p, 6, 5, 9, 10);
}

void drawPaste(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(QColor(170, 120, 60));
    p.drawRect(1, 2, 10, 13);
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(4, 1, 4, 3);
    drawSheet(p, 7, 6, 8, 9);
}

/// A curved arrow turning left (undo) or, mirrored, right (redo).
void drawTurn(QPainter& p, bool mirrored) {
    if (mirrored) p.setTransform(QTransform(-1, 0, 0, 1, kSide, 0));
    p.setPen(QPen(QColor(30, 100, 180), 2));
    p.setBrush(Qt::NoBrush);
    QPainterPath arc;
    arc.moveTo(4, 7);
    arc.cubicTo(8, 3, 15, 5, 13, 13);
    p.drawPath(arc);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 100, 180));
    p.drawPolygon(QPolygon({QPoint(1, 4), QPoint(7, 3), QPoint(4, 10)}));
}

void drawSpare(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(QColor(120, 180, 120));
    p.drawEllipse(3, 3, 10, 10);
}

void draw(QPainter& p, ToolbarPicture picture) {
    switch (picture) {
    case ToolbarPicture::New: return drawNew(p);
    case ToolbarPicture::Open: return drawOpen(p);
    case ToolbarPicture::Save: return drawSave(p);
    case ToolbarPicture::Cut: return drawCut(p);
    case ToolbarPicture::Copy: return drawCopy(p);
    case ToolbarPicture::Paste: return drawPaste(p);
    case ToolbarPicture::Spare: return drawSpare(p);
    case ToolbarPicture::Undo: return drawTurn(p, false);
    case ToolbarPicture::Redo: return drawTurn(p, true);
    }
}

const char* themeName(ToolbarPicture picture) {
    switch (picture) {
    case ToolbarPicture::New: return "document-new";
    case ToolbarPicture::Open: return "document-open";
    case ToolbarPicture::Save: return "document-save";
    case ToolbarPicture::Cut: return "edit-cut";
    case ToolbarPicture::Copy: return "edit-copy";
    case ToolbarPicture::Paste: return "edit-paste";
    case ToolbarPicture::Spare: return "";
    case ToolbarPicture::Undo: return "edit-undo";
    case ToolbarPicture::Redo: return "edit-redo";
    }
    return "";
}

} // namespace

QIcon drawnToolbarIcon(ToolbarPicture picture) {
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p, picture);
    p.end();
    return QIcon(pixmap);
}

QIcon toolbarIcon(ToolbarPicture picture) {
    return QIcon::fromTheme(QString::fromLatin1(themeName(picture)), drawnToolbarIcon(picture));
}

QIcon windowIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(30, 60, 140), 2.5));
    p.drawPolyline(QPolygon({QPoint(9, 3), QPoint(4, 3), QPoint(4, 29), QPoint(9, 29)}));
    p.drawPolyline(QPolygon({QPoint(23, 3), QPoint(28, 3), QPoint(28, 29), QPoint(23, 29)}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 60, 40));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) p.drawEllipse(QPointF(10 + 6 * col, 10 + 6 * row), 2, 2);
    p.end();
    return QIcon(pixmap);
}

} // namespace quorvex::ui
