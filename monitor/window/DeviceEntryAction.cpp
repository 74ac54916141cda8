#include "monitor/window/DeviceEntryAction.h"

#include <QLineEdit>

namespace baudrill {

DeviceEntryAction::DeviceEntryAction(QLineEdit& entry, QWidget& home, QObject* parent)
    : QWidgetAction(parent), entry(entry), home(home)
{
}

QWidget* DeviceEntryAction::createWidget(QWidget* parent)
{
    // The entry can sit in one menu at a time.
    if (entry.parentWidget() != &home)
        return nullptr;
    entry.setParent(parent);
    return &entry;
}

void DeviceEntryAction::deleteWidget(QWidget* widget)
{
    if (widget != &entry)
        return QWidgetAction::deleteWidget(widget);
    entry.hide();
    entry.setParent(&home);
}

}  // namespace baudrill
