#include "platform/FakeClock.h"

#include <algorithm>

namespace baudrill::platform {

FakeClock::FakeClock(Mode mode, uint32_t startTick) : mode_(mode), startTick_(startTick) {}

uint32_t FakeClock::Tick()
{
    std::lock_guard lock(mutex_);
    return static_cast<uint32_t>(startTick_ + elapsed_);
}

uint64_t FakeClock::Elapsed() const
{
    std::lock_guard lock(mutex_);
    return elapsed_;
}

void FakeClock::Sleep(int ms)
{
    if (ms <= 0)
        return;
    if (mode_ == Mode::AutoAdvance) {
        Advance(static_cast<uint32_t>(ms));
        return;
    }
    std::unique_lock lock(mutex_);
    uint64_t wakeAt = elapsed_ + static_cast<uint64_t>(ms);
    ++sleepers_;
    changed_.notify_all();
    changed_.wait(lock, [&] { return elapsed_ >= wakeAt; });
    --sleepers_;
    changed_.notify_all();
}

TimerId FakeClock::StartTimer(unsigned ms, TimerCallback callback)
{
    return timers_.Add(Elapsed() + ms, std::move(callback));
}

void FakeClock::KillTimer(TimerId id) { timers_.Kill(id); }

void FakeClock::Advance(uint32_t ms)
{
    uint64_t target = Elapsed() + ms;
    for (;;) {
        auto due = timers_.NextDue();
        if (!due || *due > target)
            break;
        MoveTo(*due);
        timers_.RunOneDue(*due);
    }
    MoveTo(target);
}

void FakeClock::MoveTo(uint64_t elapsed)
{
    std::lock_guard lock(mutex_);
    elapsed_ = std::max(elapsed_, elapsed);
    changed_.notify_all();
}

int FakeClock::Sleepers() const
{
    std::lock_guard lock(mutex_);
    return sleepers_;
}

bool FakeClock::WaitForSleepers(int count, std::chrono::milliseconds limit)
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, limit, [&] { return sleepers_ >= count; });
}

std::size_t FakeClock::ArmedTimers() const { return timers_.Armed(); }

}  // namespace baudrill::platform
