#pragma once

class QPainter;
class QSize;

// The pictures of the image list, each drawn into a transparent image of `size` pixels.
namespace baudrill::art {

// Pictures: BadgeArt.cpp.
void world(QPainter& painter, QSize size);
void attach(QPainter& painter, QSize size);
void graph(QPainter& painter, QSize size);
void badge(QPainter& painter, QSize size);
void badgeVariant(QPainter& painter, QSize size);
void time(QPainter& painter, QSize size);

// Signs and symbols: SymbolArt.cpp.
void onoff(QPainter& painter, QSize size);
void error(QPainter& painter, QSize size);
void off(QPainter& painter, QSize size);
void on(QPainter& painter, QSize size);
void plus(QPainter& painter, QSize size);
void receive(QPainter& painter, QSize size);
void send(QPainter& painter, QSize size);
void del(QPainter& painter, QSize size);
void add(QPainter& painter, QSize size);
void table(QPainter& painter, QSize size);

}  // namespace baudrill::art
