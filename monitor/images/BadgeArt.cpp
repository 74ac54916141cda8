#include "monitor/images/ImageArt.h"

#include <QPainter>
#include <QPainterPath>

namespace baudrill::art {

namespace {

QPen roundPen(const QColor& color, double width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// The application badge on a 32-unit grid: a white disc inside two rings, with the outline
// of a D-shaped serial connector (and its pins where there is room for them).
void drawBadge(QPainter& painter, QSize size, const QColor& outerRing, const QColor& innerRing)
{
    const double scale = size.width() / 32.0;
    painter.scale(scale, scale);
    const QPointF centre(16, 16);
    painter.setPen(Qt::NoPen);
    painter.setBrush(outerRing);
    painter.drawEllipse(centre, 15.5, 15.5);
    painter.setBrush(innerRing);
    painter.drawEllipse(centre, 13, 13);
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, 10.5, 10.5);

    const QColor connector(0, 140, 60);
    QPainterPath shell;
    shell.moveTo(8.5, 12);
    shell.lineTo(23.5, 12);
    shell.lineTo(21, 20.5);
    shell.lineTo(11, 20.5);
    shell.closeSubpath();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(roundPen(connector, size.width() >= 24 ? 1.6 : 2.4));
    painter.drawPath(shell);
    if (size.width() < 24)
        return;
    painter.setPen(Qt::NoPen);
    painter.setBrush(connector);
    for (int pin = 0; pin < 5; ++pin)
        painter.drawEllipse(QPointF(11.5 + pin * 2.25, 14.6), 0.8, 0.8);
    for (int pin = 0; pin < 4; ++pin)
        painter.drawEllipse(QPointF(12.6 + pin * 2.25, 17.8), 0.8, 0.8);
}

constexpr QRgb badgeBlue = qRgb(30, 90, 200);
constexpr QRgb badgeGreen = qRgb(40, 170, 70);

}  // namespace

void world(QPainter& painter, QSize size)
{
    const double r = size.width() / 2.0;
    const QPointF centre(r, r);
    painter.setPen(QPen(QColor(20, 60, 140), 1));
    painter.setBrush(QColor(40, 110, 210));
    painter.drawEllipse(centre, r - 0.5, r - 0.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(60, 170, 60));
    painter.drawEllipse(QPointF(r - 2.5, r - 2.5), 3, 2.2);
    painter.drawEllipse(QPointF(r + 2.5, r + 2), 2.2, 3.2);
    painter.drawEllipse(QPointF(r - 3.5, r + 3.5), 1.6, 1.2);
}

void attach(QPainter& painter, QSize)
{
    // A paper clip: three straight legs joined by round bends.
    QPainterPath clip;
    clip.moveTo(11, 5);
    clip.lineTo(11, 12.5);
    clip.arcTo(QRectF(6, 10, 5, 5), 0, -180);
    clip.lineTo(6, 3.5);
    clip.arcTo(QRectF(6, 1.5, 4, 4), 180, -180);
    clip.lineTo(10, 11);
    clip.arcTo(QRectF(8, 10, 2, 2), 0, -180);
    clip.lineTo(8, 5.5);
    painter.setPen(roundPen(QColor(110, 110, 110), 1.3));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(clip);
}

void graph(QPainter& painter, QSize size)
{
    const double w = size.width();
    const double h = size.height();
    painter.setPen(roundPen(Qt::black, 1));
    painter.drawPolyline(QPolygonF({{1.5, 0.5}, {1.5, h - 1.5}, {w - 0.5, h - 1.5}}));
    painter.setPen(roundPen(QColor(0, 160, 0), 1.2));
    painter.drawPolyline(QPolygonF({{2.5, 10}, {5, 6}, {8, 8}, {12.5, 2}}));
    painter.setPen(roundPen(QColor(210, 0, 0), 1.2));
    painter.drawPolyline(QPolygonF({{2.5, 11}, {5, 10}, {8, 4}, {12.5, 7}}));
}

void badge(QPainter& painter, QSize size) { drawBadge(painter, size, QColor(badgeBlue), QColor(badgeGreen)); }

void badgeVariant(QPainter& painter, QSize size) { drawBadge(painter, size, QColor(badgeGreen), QColor(badgeBlue)); }

void time(QPainter& painter, QSize size)
{
    const double r = size.width() / 2.0;
    const QPointF centre(r, r);
    painter.setPen(QPen(QColor(70, 70, 70), 1));
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, r - 0.5, r - 0.5);
    painter.setPen(roundPen(QColor(70, 70, 70), 1));
    for (int hour = 0; hour < 12; hour += 3) {
        painter.save();
        painter.translate(centre);
        painter.rotate(hour * 30);
        painter.drawLine(QPointF(0, -r + 2), QPointF(0, -r + 3));
        painter.restore();
    }
    painter.setPen(roundPen(Qt::black, 1.3));
    painter.drawLine(centre, QPointF(r, 3.5));
    painter.drawLine(centre, QPointF(r + 3, r + 1.5));
}

}  // namespace baudrill::art
