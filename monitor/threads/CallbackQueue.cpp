#include "monitor/threads/CallbackQueue.h"

#include <algorithm>

namespace baudrill {

CallbackQueue::Element::~Element() = default;

CallbackQueue::CallbackQueue(int maxCount) : maxCount(std::max(maxCount, 1)) {}

CallbackQueue::~CallbackQueue()
{
    std::lock_guard guard(lock);
    elements.clear();
}

void CallbackQueue::Start() { started = true; }

void CallbackQueue::Stop() { RequestQuit(); }

void CallbackQueue::NoOp() {}

// The consumer wakes for every call still queued, since each is matched by one count of `ready`;
// only a consumer waiting on an empty queue needs the wake-up call. Queued behind the calls of a
// full queue, it would take the place of the oldest, which would then never run.
bool CallbackQueue::RequestQuit()
{
    if (!started)
        return false;
    auto wakeUp = std::make_unique<BoundElement<CallbackQueue>>(this, &CallbackQueue::NoOp);
    {
        std::lock_guard guard(lock);
        if (quit)
            return false;
        quit = true;
        if (!elements.empty())
            return true;
        elements.push_back(std::move(wakeUp));
    }
    ready.Release();
    return true;
}

void CallbackQueue::Append(std::unique_ptr<Element> element)
{
    std::unique_ptr<Element> dropped;  // deleted after the lock is left
    bool grown = true;
    {
        std::lock_guard guard(lock);
        if (elements.size() >= static_cast<std::size_t>(maxCount)) {
            dropped = std::move(elements.front());
            elements.pop_front();
            grown = false;
        }
        elements.push_back(std::move(element));
    }
    if (grown)
        ready.Release();
}

bool CallbackQueue::ProcessOne()
{
    std::unique_ptr<Element> element;
    {
        std::lock_guard guard(lock);
        if (elements.empty())
            return false;
        element = std::move(elements.front());
        elements.pop_front();
    }
    element->Execute();
    return true;
}

void CallbackQueue::ProcessAll()
{
    while (!quit && ProcessOne()) {}
}

int CallbackQueue::Count() const
{
    std::lock_guard guard(lock);
    return static_cast<int>(elements.size());
}

bool CallbackQueue::QuitAndEmpty() const
{
    std::lock_guard guard(lock);
    return quit && elements.empty();
}

}  // namespace baudrill
