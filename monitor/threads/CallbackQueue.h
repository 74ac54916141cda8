#pragma once

#include <atomic>
#include <cassert>
#include <deque>
#include <memory>
#include <mutex>
#include <tuple>
#include <type_traits>
#include <utility>

#include "platform/Semaphore.h"

namespace baudrill {

// The bound of every queue of the monitor: past it the oldest call is dropped, so a stalled
// consumer cannot exhaust memory.
inline constexpr int QueueBound = 100000;

// A bounded first-in first-out list of bound member calls between threads: any thread posts,
// exactly one consumer runs them (the GUI timer through ProcessAll, or the queue's own thread
// in CallbackThread). Calls run outside the lock, so a call may post into any queue, its own
// included. The lock is the innermost of the program: nothing is called while it is held.
class CallbackQueue {
public:
    // One queued call; owned by the queue until it has run or been dropped.
    class Element {
    public:
        virtual ~Element();
        virtual void Execute() = 0;  // runs once
    };

    // A call of `member` on `target` with copies of its arguments, taken when it is posted.
    template <class T, class... Params>
    class BoundElement final : public Element {
    public:
        using Member = void (T::*)(Params...);

        template <class... Args>
        BoundElement(T* target, Member member, Args&&... args)
            : target(target), member(member), arguments(std::forward<Args>(args)...)
        {
        }

        // The stored copies are handed over, since an element runs only once.
        void Execute() override
        {
            std::apply([this](auto&... a) { (target->*member)(std::move(a)...); }, arguments);
        }

    private:
        T* target;
        Member member;
        std::tuple<std::decay_t<Params>...> arguments;
    };

    explicit CallbackQueue(int maxCount);
    CallbackQueue(const CallbackQueue&) = delete;
    CallbackQueue& operator=(const CallbackQueue&) = delete;
    // Deletes the calls still queued without running them.
    virtual ~CallbackQueue();

    virtual void Start();
    // Once started: sets `quit`, so that the consumer ends once every call already queued has
    // run; an empty queue gets a wake-up call for a consumer that waits on it. Does nothing on a
    // queue that was never started, or a second time.
    virtual void Stop();

    // Queues a call of `member` on this queue object, viewed as the member's class T (a port's
    // queue is its notifier, the log writer's queue is the Logger). Any thread may post.
    template <class T, class... Params, class... Args>
    void Post(void (T::*member)(Params...), Args&&... args)
    {
        static_assert(std::is_base_of_v<CallbackQueue, T>, "the target is the queue itself");
        static_assert(sizeof...(Params) == sizeof...(Args), "one argument for each parameter");
        assert(dynamic_cast<T*>(this) != nullptr);
        Append(
            std::make_unique<BoundElement<T, Params...>>(static_cast<T*>(this), member, std::forward<Args>(args)...));
    }

    // Runs the oldest call, if any; false when the queue was empty.
    bool ProcessOne();
    // Runs calls until the queue is empty or `quit` is set; calls posted meanwhile included.
    void ProcessAll();

    int Count() const;
    int MaxCount() const { return maxCount; }
    bool IsStarted() const { return started.load(); }
    bool IsQuitting() const { return quit.load(); }

protected:
    // True when Stop has been requested and every call queued before it has been taken.
    bool QuitAndEmpty() const;
    // Sets `quit` (and queues the wake-up call into an empty queue); false when it was set
    // already.
    bool RequestQuit();

    // Released once for every call that made the queue longer, so a consumer that waits on it
    // never blocks while calls are queued.
    platform::Semaphore ready{0, 0x7FFFFFFF};
    std::atomic<bool> started{false};

private:
    void NoOp();
    // Appends under the lock, dropping the oldest call of a full queue.
    void Append(std::unique_ptr<Element> element);

    std::deque<std::unique_ptr<Element>> elements;
    mutable std::mutex lock;
    std::atomic<bool> quit{false};
    const int maxCount;
};

}  // namespace baudrill
