#include "monitor/window/EventHook.h"

#include <utility>

namespace baudrill {

EventHook* EventHook::Install(QObject& watched, Handler handler)
{
    auto* hook = new EventHook(watched, std::move(handler));
    watched.installEventFilter(hook);
    return hook;
}

EventHook::EventHook(QObject& watched, Handler handler) : QObject(&watched), handler(std::move(handler)) {}

bool EventHook::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event && handler && handler(*event))
        return true;
    return QObject::eventFilter(watched, event);
}

}  // namespace baudrill
