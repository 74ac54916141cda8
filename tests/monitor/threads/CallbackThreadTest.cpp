// The queue with a consumer thread of its own: Stop runs everything queued before it, and many
// producers each get every call run exactly once, in their order.
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <memory>
#include <thread>
#include <vector>

#include "monitor/threads/CallbackThread.h"
#include "tests/support/WaitUntil.h"

namespace baudrill {
namespace {

using namespace std::chrono_literals;

class RecordingThread : public CallbackThread {
public:
    static constexpr int Producers = 8;

    explicit RecordingThread(int bound = QueueBound) : CallbackThread(bound) {}
    ~RecordingThread() override { CallbackThread::Stop(); }  // the calls use `ran`

    void Note(int value)
    {
        ran.push_back(value);
        consumer = std::this_thread::get_id();
    }
    void NoteFrom(int producer, int sequence) { fromProducer[producer].push_back(sequence); }
    void WaitFor(std::shared_future<void> gate) { gate.wait(); }
    void Touch(std::shared_ptr<int> counter) { ++*counter; }

    // Written on the consumer thread only; read after Stop, which joins it.
    std::vector<int> ran;
    std::thread::id consumer;
    std::vector<int> fromProducer[Producers];
};

TEST(CallbackThread, StopRunsEveryCallQueuedBeforeItThenEndsTheThread)
{
    RecordingThread queue;
    std::promise<void> open;
    queue.Start();
    queue.Post(&RecordingThread::WaitFor, open.get_future().share());  // keeps the consumer busy
    for (int value = 1; value <= 5; ++value)
        queue.Post(&RecordingThread::Note, value);
    auto stopped = std::async(std::launch::async, [&] { queue.Stop(); });
    EXPECT_TRUE(test::WaitUntil([&] { return queue.IsQuitting(); }));
    // The consumer is still held in the first call, so the stop cannot have returned.
    EXPECT_EQ(stopped.wait_for(0s), std::future_status::timeout);
    open.set_value();
    stopped.get();
    EXPECT_EQ(queue.ran, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_NE(queue.consumer, std::this_thread::get_id());
    EXPECT_EQ(queue.Count(), 0);
    EXPECT_TRUE(queue.IsQuitting());
}

// A queue of five calls at most, whose consumer is held in a first call until Release: the
// queue itself is empty when a test begins.
class HeldQueue : public ::testing::Test {
protected:
    static constexpr int bound = 5;

    void SetUp() override
    {
        queue.Start();
        queue.Post(&RecordingThread::WaitFor, open.get_future().share());
        ASSERT_TRUE(test::WaitUntil([&] { return queue.Count() == 0; }));
    }
    void PostNotes(int count)
    {
        for (int value = 1; value <= count; ++value)
            queue.Post(&RecordingThread::Note, value);
    }
    void Release() { open.set_value(); }

    RecordingThread queue{bound};
    std::promise<void> open;  // destroyed first: a failed test still lets the consumer go
};

// The wake-up call of the stop must not take the place of the oldest call of a full queue: the
// Logger's last rows are such calls.
TEST_F(HeldQueue, StopRunsEveryCallOfAFullQueue)
{
    PostNotes(bound);
    ASSERT_EQ(queue.Count(), bound);
    auto stopped = std::async(std::launch::async, [&] { queue.Stop(); });
    test::WaitUntil([&] { return queue.IsQuitting(); });
    EXPECT_EQ(queue.Count(), bound);
    Release();
    stopped.get();
    EXPECT_EQ(queue.ran, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(queue.Count(), 0);
}

// An ordinary post to a full queue still drops its oldest call.
TEST_F(HeldQueue, APostToAFullQueueStillDropsItsOldestCall)
{
    PostNotes(bound + 1);
    Release();
    queue.Stop();
    EXPECT_EQ(queue.ran, (std::vector<int>{2, 3, 4, 5, 6}));
}

// Sets its flag when the thread it belongs to ends.
struct ThreadEndFlag {
    std::shared_ptr<std::atomic<bool>> flag;
    ~ThreadEndFlag()
    {
        if (flag)
            *flag = true;
    }
};
thread_local ThreadEndFlag threadEnd;

// A queue whose own calls stop it; its destructor says that it has begun.
class SelfStoppingThread : public CallbackThread {
public:
    explicit SelfStoppingThread(std::shared_ptr<std::atomic<bool>> destroying)
        : CallbackThread(QueueBound), destroying(std::move(destroying))
    {
    }
    ~SelfStoppingThread() override
    {
        *destroying = true;
        CallbackThread::Stop();
    }

    void StopItself() { Stop(); }
    // Keeps the consumer busy until the queue is being destroyed (10 s at most).
    void WaitForTheDestructor()
    {
        test::WaitUntil([&] { return destroying->load(); });
    }
    void WatchThreadEnd(std::shared_ptr<std::atomic<bool>> ended) { threadEnd.flag = ended; }

private:
    std::shared_ptr<std::atomic<bool>> destroying;
};

// The first call stops the queue from its own thread, while Start may still be storing the
// thread; the calls behind it still run, and the destructor, on another thread, waits for the
// thread to end before the queue goes.
TEST(CallbackThread, StoppedFromItsOwnThreadRunsTheRestAndIsJoinedByTheDestructor)
{
    auto destroying = std::make_shared<std::atomic<bool>>(false);
    auto ended = std::make_shared<std::atomic<bool>>(false);
    auto queue = std::make_unique<SelfStoppingThread>(destroying);
    queue->Post(&SelfStoppingThread::StopItself);
    queue->Post(&SelfStoppingThread::WatchThreadEnd, ended);
    queue->Post(&SelfStoppingThread::WaitForTheDestructor);
    queue->Start();
    queue.reset();
    EXPECT_TRUE(*ended);
}

TEST(CallbackThread, CallsQueuedBeforeStartRunOnceItStarts)
{
    RecordingThread queue;
    queue.Stop();  // never started: nothing happens
    EXPECT_FALSE(queue.IsQuitting());
    queue.Post(&RecordingThread::Note, 1);
    queue.Post(&RecordingThread::Note, 2);
    queue.Start();
    queue.Start();
    queue.Stop();
    queue.Stop();
    EXPECT_EQ(queue.ran, (std::vector<int>{1, 2}));
}

TEST(CallbackThread, CallsPostedAfterTheStopAreDeletedUnrun)
{
    auto counter = std::make_shared<int>(0);
    {
        RecordingThread queue;
        queue.Start();
        queue.Stop();
        queue.Post(&RecordingThread::Touch, counter);
        EXPECT_EQ(queue.Count(), 1);
    }
    EXPECT_EQ(*counter, 0);
    EXPECT_EQ(counter.use_count(), 1);
}

TEST(CallbackThread, EightProducersHaveEveryCallRunOnceInTheirOrder)
{
    constexpr int PerProducer = 10000;  // all of them fit the bound: none is dropped
    RecordingThread queue;
    queue.Start();
    std::atomic<bool> go{false};
    std::vector<std::thread> producers;
    for (int p = 0; p < RecordingThread::Producers; ++p) {
        producers.emplace_back([&, p] {
            while (!go)
                std::this_thread::yield();
            for (int i = 0; i < PerProducer; ++i)
                queue.Post(&RecordingThread::NoteFrom, p, i);
        });
    }
    go = true;
    for (std::thread& producer : producers)
        producer.join();
    queue.Stop();
    for (int p = 0; p < RecordingThread::Producers; ++p) {
        const std::vector<int>& got = queue.fromProducer[p];
        ASSERT_EQ(got.size(), static_cast<std::size_t>(PerProducer)) << "producer " << p;
        for (int i = 0; i < PerProducer; ++i)
            ASSERT_EQ(got[i], i) << "producer " << p << ", call " << i;
    }
}

}  // namespace
}  // namespace baudrill
