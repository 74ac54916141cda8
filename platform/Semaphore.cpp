#include "platform/Semaphore.h"

#include <algorithm>

namespace baudrill::platform {

Semaphore::Semaphore(int initial, int maximum)
    : count_(std::clamp(initial, 0, std::max(maximum, 1))), maximum_(std::max(maximum, 1))
{
}

bool Semaphore::Release(int n)
{
    if (n <= 0)
        return false;
    bool all = true;
    {
        std::lock_guard lock(mutex_);
        int room = maximum_ - count_;
        if (n > room) {
            n = room;
            all = false;
        }
        count_ += n;
    }
    if (n == 1)
        available_.notify_one();
    else if (n > 1)
        available_.notify_all();
    return all;
}

void Semaphore::Wait()
{
    std::unique_lock lock(mutex_);
    available_.wait(lock, [&] { return count_ > 0; });
    --count_;
}

bool Semaphore::TryWait()
{
    std::lock_guard lock(mutex_);
    if (count_ == 0)
        return false;
    --count_;
    return true;
}

bool Semaphore::WaitFor(std::chrono::milliseconds limit)
{
    std::unique_lock lock(mutex_);
    if (!available_.wait_for(lock, limit, [&] { return count_ > 0; }))
        return false;
    --count_;
    return true;
}

int Semaphore::Count() const
{
    std::lock_guard lock(mutex_);
    return count_;
}

}  // namespace baudrill::platform
