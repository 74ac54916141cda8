#pragma once

#include <QObject>

namespace baudrill {

class SerPort;

// The connections of the shown port to the shared panes hang on one PortBindings object, a
// child of the shared settings pane: deleting it drops every connection at once, so no signal
// of a port shown before can reach a port shown now, or one that is gone.
class PortBindings final : public QObject {
    Q_OBJECT
public:
    PortBindings(SerPort* owner, QObject* host);

    SerPort* const owner;

    // The bindings now in force on the panes of `host`, or null.
    static PortBindings* Current(QObject* host);
};

// Binds every handler of `port` to the shared controls, replacing the bindings of the port
// shown before (Qt connections are dropped with their object; the grid's notifications are
// assigned).
void BindPortHandlers(SerPort& port);
// When the bindings in force are those of `port`: drops them and empties the grid's
// notifications and displays, so nothing reaches the port once it is gone.
void ReleasePortBindings(SerPort& port);

}  // namespace baudrill
