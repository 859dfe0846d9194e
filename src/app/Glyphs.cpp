#include "Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int Size = 16;

void drawPage(QPainter& p) {
    p.setPen(QColor(60, 60, 60));
    p.setBrush(QColor(250, 250, 245));
    p.drawRect(2, 1, 10, 13);
    p.setPen(QColor(140, 140, 140));
    for (int y = 4; y <= 11; y += 2)
        p.drawLine(4, y, 10, y);
}

void drawPencil(QPainter& p) {
    QPainterPath body;
    body.moveTo(14, 5);
    body.lineTo(8, 11);
    body.lineTo(6, 9);
    body.lineTo(12, 3);
    body.closeSubpath();
    p.setPen(QColor(90, 60, 10));
    p.setBrush(QColor(230, 170, 40));
    p.drawPath(body);
    p.setBrush(QColor(60, 60, 60));
    p.drawPolygon(QPolygon({QPoint(6, 9), QPoint(8, 11), QPoint(5, 12)}));
}

void drawDisk(QPainter& p) {
    p.setPen(QColor(20, 30, 70));
    p.setBrush(QColor(50, 80, 160));
    p.drawRect(1, 1, 13, 13);
    p.setBrush(QColor(235, 235, 235));
    p.drawRect(4, 1, 7, 5);
    p.setBrush(QColor(30, 30, 30));
    p.drawRect(4, 9, 7, 5);
}

void drawFolder(QPainter& p) {
    p.setPen(QColor(110, 80, 10));
    p.setBrush(QColor(230, 190, 80));
    p.drawRect(1, 4, 13, 9);
    p.drawRect(1, 2, 5, 2);
}

void drawOpen(QPainter& p) {
    drawFolder(p);
    p.setBrush(QColor(250, 215, 110));
    p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(15, 7), QPoint(13, 13), QPoint(1, 13)}));
}

void drawSign(QPainter& p, QColor colour, bool plus) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRect(2, 6, 12, 4);
    if (plus)
        p.drawRect(6, 2, 4, 12);
}

} // namespace

namespace {

void drawGlyph(QPainter& p, Glyph glyph) {
    switch (glyph) {
    case Glyph::Edit:
        drawPage(p);
        drawPencil(p);
        break;
    case Glyph::Save:
        drawDisk(p);
        break;
    case Glyph::Open:
        drawOpen(p);
        break;
    case Glyph::Folder:
        drawFolder(p);
        break;
    case Glyph::Add:
        drawSign(p, QColor(30, 140, 40), true);
        break;
    case Glyph::Delete:
        drawSign(p, QColor(190, 30, 30), false);
        break;
    }
}

// The glyph drawn anew at `pixels` square: sharp on a scaled screen or with a larger font,
// where a 16-pixel picture would be blown up and blurred.
QPixmap glyphPixmap(Glyph glyph, int pixels) {
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, pixels % Size != 0);
    p.scale(qreal(pixels) / Size, qreal(pixels) / Size);
    drawGlyph(p, glyph);
    p.end();
    return pixmap;
}

} // namespace

// Every size a scale of 1, 1.25, 1.5, 2 or 3 asks for, at fonts up to twice the compact one.
QIcon glyphIcon(Glyph glyph) {
    QIcon icon;
    for (const int pixels : {16, 20, 24, 32, 40, 48, 64, 96})
        icon.addPixmap(glyphPixmap(glyph, pixels));
    return icon;
}
