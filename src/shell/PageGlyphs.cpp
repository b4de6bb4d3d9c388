#include "shell/PageGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

namespace {

constexpr int kSize = 18;

void clockFace(QPainter& p, const QPointF& centre, qreal radius)
{
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1.2));
    p.setBrush(Qt::white);
    p.drawEllipse(centre, radius, radius);
    p.setPen(QPen(QColor(0x00, 0x00, 0x80), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(0, -radius * 0.7));
    p.drawLine(centre, centre + QPointF(radius * 0.5, radius * 0.15));
}

void soccerBall(QPainter& p)
{
    const QPointF c(9, 9);
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1.1));
    p.setBrush(Qt::white);
    p.drawEllipse(c, 7.5, 7.5);
    QPolygonF pentagon;
    for (int i = 0; i < 5; ++i) {
        const double a = -M_PI / 2 + i * 2 * M_PI / 5;
        pentagon << c + QPointF(3.2 * std::cos(a), 3.2 * std::sin(a));
    }
    p.setBrush(QColor(0x20, 0x20, 0x20));
    p.drawPolygon(pentagon);
    for (const QPointF& corner : pentagon)
        p.drawLine(corner, c + (corner - c) * 2.2);
}

void football(QPainter& p)
{
    p.save();
    p.translate(9, 9);
    p.rotate(-35);
    p.setPen(QPen(QColor(0x40, 0x20, 0x08), 1.0));
    p.setBrush(QColor(0x9a, 0x52, 0x1e));
    QPainterPath ball;
    ball.moveTo(-8, 0);
    ball.quadTo(0, -8.5, 8, 0);
    ball.quadTo(0, 8.5, -8, 0);
    p.drawPath(ball);
    p.setPen(QPen(Qt::white, 1.1));
    p.drawLine(QPointF(-3, 0), QPointF(3, 0));
    for (int x = -2; x <= 2; x += 2)
        p.drawLine(QPointF(x, -1.3), QPointF(x, 1.3));
    p.restore();
}

void tennisBall(QPainter& p)
{
    p.setPen(QPen(QColor(0x50, 0x60, 0x00), 1.0));
    p.setBrush(QColor(0xd4, 0xe8, 0x2a));
    p.drawEllipse(QPointF(9, 9), 7.5, 7.5);
    p.setPen(QPen(Qt::white, 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(-4, 2, 10, 14), 300 * 16, 120 * 16);
    p.drawArc(QRectF(12, 2, 10, 14), 120 * 16, 120 * 16);
}

void textList(QPainter& p)
{
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.0));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 1.5, 13, 15));
    p.setPen(QPen(QColor(0xc0, 0x00, 0x00), 1.4));
    p.drawLine(QPointF(5, 4.5), QPointF(13, 4.5));
    p.setPen(QPen(QColor(0x00, 0x00, 0x80), 1.0));
    for (int y = 7; y <= 14; y += 2)
        p.drawLine(QPointF(5, y + 0.5), QPointF(y == 13 ? 10 : 13, y + 0.5));
}

void picture(QPainter& p)
{
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.0));
    p.setBrush(QColor(0xa8, 0xd8, 0xff));
    p.drawRect(QRectF(1.5, 3.5, 15, 11));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xc8, 0x00));
    p.drawEllipse(QPointF(12.5, 6.8), 1.8, 1.8);
    p.setBrush(QColor(0x2e, 0x8b, 0x2e));
    p.drawPolygon(QPolygonF{QPointF(2, 14), QPointF(7, 7.5), QPointF(10.5, 11.5), QPointF(12.5, 9.5), QPointF(16, 14)});
}

void filmStrip(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0x30, 0x30));
    p.drawRect(QRectF(3, 1, 12, 16));
    p.setBrush(Qt::white);
    for (int y = 2; y < 16; y += 3) {
        p.drawRect(QRectF(4, y, 1.6, 1.6));
        p.drawRect(QRectF(12.4, y, 1.6, 1.6));
    }
    p.setBrush(QColor(0x70, 0xb0, 0xff));
    p.drawRect(QRectF(6.5, 2.5, 5, 5.5));
    p.drawRect(QRectF(6.5, 10, 5, 5.5));
}

void videoCamera(QPainter& p)
{
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1.0));
    p.setBrush(QColor(0x50, 0x50, 0x58));
    p.drawRoundedRect(QRectF(1.5, 5.5, 11, 8), 1.5, 1.5);
    p.drawPolygon(QPolygonF{QPointF(12.5, 8.5), QPointF(16.5, 6), QPointF(16.5, 13), QPointF(12.5, 10.5)});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe0, 0x00, 0x00));
    p.drawEllipse(QPointF(4.5, 8), 1.3, 1.3);
}

void webcam(QPainter& p)
{
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1.0));
    p.setBrush(QColor(0xe8, 0xe8, 0xe8));
    p.drawEllipse(QPointF(9, 7.5), 6.5, 6.5);
    p.setBrush(QColor(0x20, 0x30, 0x60));
    p.drawEllipse(QPointF(9, 7.5), 3.2, 3.2);
    p.setBrush(QColor(0x50, 0x50, 0x58));
    p.drawRect(QRectF(5.5, 14.5, 7, 2));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 6.5), 1, 1);
}

} // namespace

QIcon pageGlyph(PageGlyph glyph)
{
    QPixmap pixmap(kSize * 2, kSize * 2);
    pixmap.setDevicePixelRatio(2);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (glyph) {
    case PageGlyph::Clock:
        clockFace(p, QPointF(9, 9), 7.5);
        break;
    case PageGlyph::Soccer:
        soccerBall(p);
        break;
    case PageGlyph::Football:
        football(p);
        break;
    case PageGlyph::GameAndSet:
        tennisBall(p);
        break;
    case PageGlyph::TextList:
        textList(p);
        break;
    case PageGlyph::Picture:
        picture(p);
        break;
    case PageGlyph::Video:
        filmStrip(p);
        break;
    case PageGlyph::LiveVideo:
        videoCamera(p);
        break;
    case PageGlyph::Camera:
        webcam(p);
        break;
    case PageGlyph::Timing:
        clockFace(p, QPointF(9, 10), 6.8);
        p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1.6));
        p.drawLine(QPointF(9, 1.5), QPointF(9, 3.2));
        break;
    }
    p.end();
    return QIcon(pixmap);
}
