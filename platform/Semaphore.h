#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace baudrill::platform {

// A counting semaphore that saturates at its maximum instead of overflowing: a queue may be
// released on every post and never waited on (std::counting_semaphore is undefined past its
// maximum).
class Semaphore {
public:
    explicit Semaphore(int initial = 0, int maximum = 0x7FFFFFFF);
    Semaphore(const Semaphore&) = delete;
    Semaphore& operator=(const Semaphore&) = delete;

    // Adds n (n >= 1); false when the count reached the maximum and some of n was dropped.
    bool Release(int n = 1);
    void Wait();
    bool TryWait();
    bool WaitFor(std::chrono::milliseconds limit);
    int Count() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable available_;
    int count_;
    const int maximum_;
};

}  // namespace baudrill::platform
