#include "monitor/threads/CallbackThread.h"

#include <cassert>

namespace baudrill {

namespace {

// The queue whose consumer runs on this thread, if any.
thread_local const CallbackThread* ownQueue = nullptr;

}  // namespace

CallbackThread::CallbackThread(int maxCount) : CallbackQueue(maxCount) {}

CallbackThread::~CallbackThread()
{
    assert(!OnOwnThread() && "a queue's own call cannot destroy it");
    CallbackThread::Stop();
}

void CallbackThread::Start()
{
    if (started.exchange(true))
        return;
    // Under the join lock, so that a Stop on another thread joins the thread stored here.
    std::lock_guard guard(joinLock);
    thread = std::thread(&CallbackThread::RunLoop, this);
}

void CallbackThread::Stop()
{
    if (!started)
        return;
    RequestQuit();
    // A call that stops its own queue cannot wait for its thread, which ends after the calls
    // queued before the stop; the destructor, on another thread, then joins it.
    if (!OnOwnThread())
        Join();
}

bool CallbackThread::OnOwnThread() const { return ownQueue == this; }

// `quit` alone does not end the thread: it ends once the calls queued before the stop have all
// run (and the wake-up call, when the queue was empty).
void CallbackThread::RunLoop()
{
    ownQueue = this;
    while (!QuitAndEmpty()) {
        ready.Wait();
        ProcessOne();
    }
    ownQueue = nullptr;
}

void CallbackThread::Join()
{
    std::lock_guard guard(joinLock);
    if (thread.joinable())
        thread.join();
}

}  // namespace baudrill
