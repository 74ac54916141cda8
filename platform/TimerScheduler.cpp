#include "platform/TimerScheduler.h"

#include <algorithm>

namespace baudrill::platform {

TimerId TimerScheduler::Add(uint64_t due, TimerCallback callback)
{
    std::lock_guard lock(mutex_);
    do {
        ++lastId_;
    } while (lastId_ == 0 || lastId_ == running_);
    entries_.push_back({lastId_, due, std::move(callback)});
    changed_.notify_all();
    return lastId_;
}

void TimerScheduler::Kill(TimerId id)
{
    if (id == 0)
        return;
    std::unique_lock lock(mutex_);
    std::erase_if(entries_, [id](const Entry& e) { return e.id == id; });
    if (runningThread_ == std::this_thread::get_id())
        return;  // killed from its own callback
    changed_.wait(lock, [&] { return running_ != id; });
}

std::size_t TimerScheduler::Earliest() const
{
    auto it = std::min_element(entries_.begin(), entries_.end(),
                               [](const Entry& a, const Entry& b) { return a.due < b.due; });
    return static_cast<std::size_t>(it - entries_.begin());
}

std::optional<uint64_t> TimerScheduler::NextDue() const
{
    std::lock_guard lock(mutex_);
    if (entries_.empty())
        return std::nullopt;
    return entries_[Earliest()].due;
}

bool TimerScheduler::RunOneDue(uint64_t now)
{
    TimerCallback callback;
    {
        std::lock_guard lock(mutex_);
        if (entries_.empty())
            return false;
        auto it = entries_.begin() + static_cast<std::ptrdiff_t>(Earliest());
        if (it->due > now)
            return false;
        callback = std::move(it->callback);
        running_ = it->id;
        runningThread_ = std::this_thread::get_id();
        entries_.erase(it);
    }
    if (callback)
        callback();
    std::lock_guard lock(mutex_);
    running_ = 0;
    runningThread_ = {};
    changed_.notify_all();
    return true;
}

std::size_t TimerScheduler::Armed() const
{
    std::lock_guard lock(mutex_);
    return entries_.size();
}

void TimerScheduler::WaitForDue()
{
    using std::chrono::steady_clock;
    std::unique_lock lock(mutex_);
    if (stopWaiting_)
        return;
    if (entries_.empty()) {
        changed_.wait(lock);
        return;
    }
    steady_clock::time_point at{std::chrono::nanoseconds(entries_[Earliest()].due)};
    changed_.wait_until(lock, at);
}

void TimerScheduler::StopWaiting()
{
    std::lock_guard lock(mutex_);
    stopWaiting_ = true;
    changed_.notify_all();
}

}  // namespace baudrill::platform
