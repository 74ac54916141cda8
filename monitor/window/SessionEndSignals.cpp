#include "monitor/window/SessionEndSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>

#include <atomic>
#include <cerrno>

namespace baudrill {

namespace {

constexpr int EndSignals[3] = {SIGTERM, SIGINT, SIGHUP};

// Where the handler writes; -1 while no object is installed. Lock-free, so the handler may read it.
std::atomic<int> signalPipe{-1};
static_assert(std::atomic<int>::is_always_lock_free);

// Only async-signal-safe calls: one write that never blocks (a full pipe already holds a wake-up).
extern "C" void OnEndSignal(int)
{
    const int saved = errno;
    const int fd = signalPipe.load();
    if (fd >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = ::write(fd, &byte, 1);
    }
    errno = saved;
}

}  // namespace

SessionEndSignals::SessionEndSignals()
{
    int ends[2];
    if (signalPipe.load() >= 0 || ::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return;  // the signals keep their actions
    readEnd = ends[0];
    writeEnd = ends[1];
    signalPipe.store(writeEnd);
    notifier = std::make_unique<QSocketNotifier>(readEnd, QSocketNotifier::Read);
    notifier->setEnabled(false);  // until there is a window to close
    QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(), [this] { OnSignalled(); });

    struct sigaction action = {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 3; ++i) {
        struct sigaction& old = previous[i];
        if (sigaction(EndSignals[i], nullptr, &old) != 0 || old.sa_handler == SIG_IGN)
            continue;
        installed[i] = sigaction(EndSignals[i], &action, nullptr) == 0;
    }
}

SessionEndSignals::~SessionEndSignals()
{
    for (int i = 0; i < 3; ++i)
        if (installed[i])
            sigaction(EndSignals[i], &previous[i], nullptr);
    if (readEnd < 0)
        return;
    signalPipe.store(-1);
    notifier.reset();
    ::close(readEnd);
    ::close(writeEnd);
}

void SessionEndSignals::CloseOnSignal(QWidget& window)
{
    target = &window;
    if (notifier)
        notifier->setEnabled(true);
}

void SessionEndSignals::OnSignalled()
{
    char bytes[64];
    while (::read(readEnd, bytes, sizeof bytes) > 0) {}
    if (target)
        target->close();
}

}  // namespace baudrill
