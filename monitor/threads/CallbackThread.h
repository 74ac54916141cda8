#pragma once

#include <mutex>
#include <thread>

#include "monitor/threads/CallbackQueue.h"

namespace baudrill {

// A call queue with a consumer thread of its own, which runs the calls one after the other.
class CallbackThread : public CallbackQueue {
public:
    explicit CallbackThread(int maxCount);
    // Stops the thread first. A derived class whose calls use its own fields stops it in its
    // own destructor, before those fields go. Never called from one of the queue's own calls.
    ~CallbackThread() override;

    // Starts the consumer thread; a second Start does nothing.
    void Start() override;
    // Once started: every call queued before the stop is run, then the thread is joined.
    // From one of the queue's own calls it only asks the thread to stop; the calls queued
    // before still run, and the destructor joins the thread.
    void Stop() override;

private:
    void RunLoop();
    void Join();
    bool OnOwnThread() const;

    std::mutex joinLock;  // guards `thread`
    std::thread thread;
};

}  // namespace baudrill
