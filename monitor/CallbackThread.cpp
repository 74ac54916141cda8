#include "monitor/CallbackThread.h"

namespace baudrill {

CallbackThread::CallbackThread(int maxCount) : CallbackQueue(maxCount) {}

CallbackThread::~CallbackThread() { CallbackThread::Stop(); }

void CallbackThread::Start() {
    if (started.exchange(true)) return;
    thread = std::thread(&CallbackThread::RunLoop, this);
}

void CallbackThread::Stop() {
    if (!started) return;
    RequestQuit();
    Join();
}

// The wake-up call stands behind every call queued before the stop, so the thread ends only
// after running them all.
void CallbackThread::RunLoop() {
    while (!QuitAndEmpty()) {
        ready.Wait();
        ProcessOne();
    }
}

void CallbackThread::Join() {
    std::lock_guard guard(joinLock);
    if (!thread.joinable()) return;
    // A call that stops its own queue cannot wait for itself; the thread ends after it.
    if (thread.get_id() == std::this_thread::get_id())
        thread.detach();
    else
        thread.join();
}

}  // namespace baudrill
