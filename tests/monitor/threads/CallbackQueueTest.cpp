// The call queue as the GUI thread empties it: order, the bound, calls posted from calls,
// Stop on a queue that is never started, and destruction without running.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "monitor/threads/CallbackQueue.h"

namespace baudrill {
namespace {

class RecordingQueue : public CallbackQueue {
public:
    explicit RecordingQueue(int maxCount = QueueBound) : CallbackQueue(maxCount) {}

    void Note(int value) { ran.push_back(value); }
    // Posts the next value from inside a running call, up to `last`.
    void NoteAndPostNext(int value, int last)
    {
        ran.push_back(value);
        if (value < last)
            Post(&RecordingQueue::NoteAndPostNext, value + 1, last);
    }
    // The argument's copies are counted by the shared pointer.
    void Touch(std::shared_ptr<int> counter) { ++*counter; }

    int ReadyCount() const { return ready.Count(); }

    std::vector<int> ran;
};

TEST(CallbackQueue, RunsCallsInPostingOrder)
{
    RecordingQueue queue;
    EXPECT_FALSE(queue.ProcessOne());
    queue.ProcessAll();  // empty: returns at once
    for (int value : {3, 1, 2})
        queue.Post(&RecordingQueue::Note, value);
    EXPECT_EQ(queue.Count(), 3);
    EXPECT_EQ(queue.ReadyCount(), 3);
    queue.ProcessAll();
    EXPECT_EQ(queue.ran, (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(queue.Count(), 0);
}

TEST(CallbackQueue, FullQueueDropsItsOldestCallUnrun)
{
    RecordingQueue queue;
    ASSERT_EQ(queue.MaxCount(), 100000);
    for (int value = 0; value <= 100000; ++value)
        queue.Post(&RecordingQueue::Note, value);
    EXPECT_EQ(queue.Count(), 100000);
    EXPECT_EQ(queue.ReadyCount(), 100000);  // the post that dropped a call did not count
    queue.ProcessAll();
    ASSERT_EQ(queue.ran.size(), 100000u);
    EXPECT_EQ(queue.ran.front(), 1);
    EXPECT_EQ(queue.ran.back(), 100000);
}

TEST(CallbackQueue, DroppedCallReleasesItsArguments)
{
    RecordingQueue queue(2);
    auto first = std::make_shared<int>(0);
    auto second = std::make_shared<int>(0);
    queue.Post(&RecordingQueue::Touch, first);
    queue.Post(&RecordingQueue::Touch, second);
    queue.Post(&RecordingQueue::Note, 7);
    EXPECT_EQ(first.use_count(), 1);
    EXPECT_EQ(second.use_count(), 2);
    queue.ProcessAll();
    EXPECT_EQ(*first, 0);
    EXPECT_EQ(*second, 1);
    EXPECT_EQ(second.use_count(), 1);  // a call that ran let go of its copy too
    EXPECT_EQ(queue.ran, std::vector<int>{7});
}

TEST(CallbackQueue, CallPostedFromARunningCallRunsInTheSamePass)
{
    RecordingQueue queue;
    queue.Post(&RecordingQueue::NoteAndPostNext, 1, 3);
    queue.Post(&RecordingQueue::Note, 10);
    queue.ProcessAll();
    EXPECT_EQ(queue.ran, (std::vector<int>{1, 10, 2, 3}));
}

TEST(CallbackQueue, StopOnAQueueNeverStartedChangesNothing)
{
    RecordingQueue queue;
    queue.Post(&RecordingQueue::Note, 1);
    queue.Stop();
    EXPECT_FALSE(queue.IsQuitting());
    EXPECT_EQ(queue.Count(), 1);
    queue.Post(&RecordingQueue::Note, 2);
    queue.ProcessAll();
    EXPECT_EQ(queue.ran, (std::vector<int>{1, 2}));
}

TEST(CallbackQueue, DestroyingDeletesQueuedCallsWithoutRunningThem)
{
    auto counter = std::make_shared<int>(0);
    {
        RecordingQueue queue;
        for (int i = 0; i < 3; ++i)
            queue.Post(&RecordingQueue::Touch, counter);
        EXPECT_EQ(counter.use_count(), 4);
    }
    EXPECT_EQ(*counter, 0);
    EXPECT_EQ(counter.use_count(), 1);
}

TEST(CallbackQueue, EachQueueRunsOnlyTheCallsPostedToIt)
{
    RecordingQueue first, second;
    second.Post(&RecordingQueue::Note, 2);
    first.ProcessAll();
    EXPECT_TRUE(first.ran.empty());
    second.ProcessAll();
    EXPECT_EQ(second.ran, std::vector<int>{2});
}

}  // namespace
}  // namespace baudrill
