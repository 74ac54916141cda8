#pragma once

#include <QWidgetAction>

class QLineEdit;

namespace baudrill {

// The port menu's last item: the main window's device-name entry, lent to the menu while the
// menu holds this action. A plain QWidgetAction would delete the entry with the action (or
// later, when the menu is cleared); this one only takes the entry back, hidden, to `home`.
class DeviceEntryAction : public QWidgetAction {
    Q_OBJECT
public:
    DeviceEntryAction(QLineEdit& entry, QWidget& home, QObject* parent);

protected:
    QWidget* createWidget(QWidget* parent) override;
    void deleteWidget(QWidget* widget) override;

private:
    QLineEdit& entry;
    QWidget& home;
};

}  // namespace baudrill
