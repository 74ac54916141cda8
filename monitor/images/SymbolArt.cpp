#include "monitor/images/ImageArt.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace baudrill::art {

namespace {

// An arrow across a 16-pixel square: a shaft from one edge and a head whose wide base
// stands just past the middle, its tip at the other edge.
void drawArrow(QPainter& painter, QSize size, const QColor& fill, const QColor& outline, bool pointsRight)
{
    if (!pointsRight) {
        painter.translate(size.width(), 0);
        painter.scale(-1, 1);
    }
    const QPolygonF arrow({{1, 5.5}, {8, 5.5}, {8, 1}, {15, 8}, {8, 15}, {8, 10.5}, {1, 10.5}});
    painter.setPen(QPen(outline, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.setBrush(fill);
    painter.drawPolygon(arrow);
}

QPolygonF regularPolygon(QPointF centre, double radius, int corners, double firstAngleDegrees)
{
    QPolygonF polygon;
    for (int i = 0; i < corners; ++i) {
        const double angle = (firstAngleDegrees + 360.0 * i / corners) * std::numbers::pi / 180.0;
        polygon << centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    return polygon;
}

void drawBars(QPainter& painter, bool vertical)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRect(QRectF(3, 7, 10, 2));
    if (vertical)
        painter.drawRect(QRectF(7, 3, 2, 10));
}

}  // namespace

void onoff(QPainter& painter, QSize size)
{
    const double cx = size.width() / 2.0;
    const QPen pen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    // The ring is open at the top, where the bar stands.
    painter.drawArc(QRectF(cx - 5, 4, 10, 10), 120 * 16, 300 * 16);
    painter.drawLine(QPointF(cx, 2), QPointF(cx, 8.5));
}

void error(QPainter& painter, QSize)
{
    painter.setPen(QPen(QColor(150, 110, 0), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(QColor(255, 210, 0));
    painter.drawPolygon(QPolygonF({{8, 1.5}, {15, 14.5}, {1, 14.5}}));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRect(QRectF(7.2, 5, 1.6, 5.5));
    painter.drawEllipse(QPointF(8, 12.4), 0.9, 0.9);
}

void off(QPainter& painter, QSize size)
{
    const QPointF centre(size.width() / 2.0, size.height() / 2.0);
    painter.setPen(QPen(QColor(130, 0, 0), 1));
    painter.setBrush(QColor(220, 30, 30));
    painter.drawPolygon(regularPolygon(centre, 7.3, 8, 22.5));
}

void on(QPainter& painter, QSize size)
{
    const QPointF centre(size.width() / 2.0, size.height() / 2.0);
    painter.setPen(QPen(QColor(0, 110, 0), 1));
    painter.setBrush(QColor(40, 170, 40));
    painter.drawEllipse(centre, 7, 7);
    painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygonF({{4.5, 8.2}, {7, 10.8}, {11.5, 5.2}}));
}

void plus(QPainter& painter, QSize)
{
    QPainterPath cross;
    cross.addRoundedRect(QRectF(6, 2, 4, 12), 1, 1);
    cross.addRoundedRect(QRectF(2, 6, 12, 4), 1, 1);
    painter.setPen(QPen(QColor(80, 160, 80), 1));
    painter.setBrush(QColor(170, 230, 170));
    painter.drawPath(cross.simplified());
}

void receive(QPainter& painter, QSize size) { drawArrow(painter, size, QColor(30, 170, 30), QColor(0, 110, 0), true); }

void send(QPainter& painter, QSize size) { drawArrow(painter, size, QColor(40, 90, 220), QColor(0, 40, 150), false); }

void del(QPainter& painter, QSize) { drawBars(painter, false); }

void add(QPainter& painter, QSize) { drawBars(painter, true); }

void table(QPainter& painter, QSize size)
{
    // Transparent between the lines, so that the picture also works as a monochrome mask.
    const double w = size.width();
    const double h = size.height();
    const QColor grey(120, 120, 120);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(160, 160, 160));
    painter.drawRect(QRectF(0.5, 0.5, w - 1, 3));
    painter.setPen(QPen(grey, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
    for (double y = 6.5; y < h - 1; y += 3)
        painter.drawLine(QPointF(0.5, y), QPointF(w - 0.5, y));
    painter.drawLine(QPointF(4.5, 3.5), QPointF(4.5, h - 0.5));
}

}  // namespace baudrill::art
