#include "monitor/window/QuitWhenClosed.h"

#include <QApplication>
#include <QWidget>

#include "monitor/window/EventHook.h"

namespace baudrill {

void QuitWhenClosed(QWidget& window)
{
    QApplication::setQuitOnLastWindowClosed(false);
    EventHook::Install(window, [](QEvent& event) {
        if (event.type() == QEvent::Close)
            QCoreApplication::quit();
        return false;
    });
}

}  // namespace baudrill
