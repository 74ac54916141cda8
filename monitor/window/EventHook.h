#pragma once

#include <QEvent>
#include <QObject>

#include <functional>

namespace baudrill {

// An event filter that hands every event of one watched object to a function first; the
// function returns true to consume the event. Lives as a child of the watched object, so it
// goes with it. Used where a handler must run in place of the widget's own handling (Enter in
// the port menu's entry, a double click on the port tabs, the main window's close).
class EventHook : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<bool(QEvent&)>;

    // Installs the hook on `watched`; the hook is owned by `watched`.
    static EventHook* Install(QObject& watched, Handler handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EventHook(QObject& watched, Handler handler);

    Handler handler;
};

}  // namespace baudrill
