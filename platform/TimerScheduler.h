#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "platform/Clock.h"

namespace baudrill::platform {

// The armed one-shot timers of a clock, ordered by due time (in the clock's own unit), and the
// bookkeeping that lets Kill wait for a callback that is running. Thread-safe; callbacks run
// outside its lock, so they may start and kill timers.
class TimerScheduler {
public:
    TimerId Add(uint64_t due, TimerCallback callback);
    void Kill(TimerId id);

    std::optional<uint64_t> NextDue() const;
    // Runs the earliest timer if it is due at `now`; false when none is.
    bool RunOneDue(uint64_t now);
    std::size_t Armed() const;

    // For a timer thread on the steady clock (due times in its nanoseconds): returns when the
    // earliest timer is due, the set of timers changed, or `stop` was called.
    void WaitForDue();
    void StopWaiting();

private:
    struct Entry {
        TimerId id;
        uint64_t due;
        TimerCallback callback;
    };

    std::size_t Earliest() const;  // index of the earliest entry; entries_ not empty

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Entry> entries_;  // few at a time: a linear search is the fastest
    TimerId lastId_ = 0;
    TimerId running_ = 0;
    std::thread::id runningThread_;
    bool stopWaiting_ = false;
};

}  // namespace baudrill::platform
