#pragma once

#include <QPointer>
#include <QWidget>

#include <csignal>
#include <memory>

class QSocketNotifier;

namespace baudrill {

// The end of the session as this platform announces it: SIGTERM (a log-out, `kill`, a service
// manager), SIGINT and SIGHUP close the main window as its close button does, so the program
// ends through its usual order (settings stored, every row logged). The handler only writes a
// byte into a pipe; the event loop reads it and closes the window. A signal that was ignored
// when the program started (nohup) stays ignored. One object at a time; the previous actions
// are put back when it goes.
class SessionEndSignals {
public:
    SessionEndSignals();
    ~SessionEndSignals();
    SessionEndSignals(const SessionEndSignals&) = delete;
    SessionEndSignals& operator=(const SessionEndSignals&) = delete;

    // The window to close (it may go first); a signal that came before is served once the
    // event loop runs.
    void CloseOnSignal(QWidget& window);

private:
    void OnSignalled();

    int readEnd = -1;
    int writeEnd = -1;
    struct sigaction previous[3] = {};
    bool installed[3] = {};
    std::unique_ptr<QSocketNotifier> notifier;
    QPointer<QWidget> target;
};

}  // namespace baudrill
