// Placeholder: the log grid's member code of SerPort is being written.
#include "monitor/port/SerPort.h"

#include <QPoint>

namespace baudrill {

void SerPort::Column0Display::Paint(QPainter&, const QRect&, int, const QColor&, const QColor&, unsigned) const {}
void SerPort::Column1Display::Paint(QPainter&, const QRect&, int, const QColor&, const QColor&, unsigned) const {}
void SerPort::Column2Display::Paint(QPainter&, const QRect&, int, const QColor&, const QColor&, unsigned) const {}
void SerPort::Column3Display::Paint(QPainter&, const QRect&, int, const QColor&, const QColor&, unsigned) const {}
void SerPort::RefreshGrid(bool) {}
void SerPort::UpdateBytesPerRow(bool) {}
void SerPort::RowHeight(int, bool) {}
void SerPort::OnGridLayout() {}
void SerPort::OnGridHeaderLayout() {}
void SerPort::OnGridMouseMove(QPoint, uint32_t) {}
void SerPort::ClearLog() {}

}  // namespace baudrill
