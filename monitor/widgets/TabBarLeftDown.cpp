#include "monitor/widgets/TabBarLeftDown.h"

#include <QMouseEvent>

namespace baudrill {

TabBarLeftDown::TabBarLeftDown(QWidget* parent) : QTabBar(parent) {}

void TabBarLeftDown::mousePressEvent(QMouseEvent* event)
{
    QTabBar::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && WhenLeftDown)
        WhenLeftDown();
}

}  // namespace baudrill
