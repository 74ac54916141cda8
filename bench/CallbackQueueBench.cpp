// Post-and-process throughput of the call queue: items per second are calls per second.
#include <benchmark/benchmark.h>

#include "monitor/threads/CallbackQueue.h"
#include "monitor/threads/CallbackThread.h"

namespace baudrill {
namespace {

class CountingThread : public CallbackThread {
public:
    CountingThread() : CallbackThread(QueueBound) {}
    ~CountingThread() override { CallbackThread::Stop(); }
    void Add(int value) { sum += value; }
    long long sum = 0;
};

class CountingQueue : public CallbackQueue {
public:
    CountingQueue() : CallbackQueue(QueueBound) {}
    void Add(int value) { sum += value; }
    long long sum = 0;
};

// One producer (this thread) and the queue's own consumer thread, as the log writer runs.
// A batch never exceeds the bound, so no call is dropped.
void PostToConsumerThread(benchmark::State& state)
{
    const int batch = static_cast<int>(state.range(0));
    for (auto _ : state) {
        CountingThread queue;
        queue.Start();
        for (int i = 0; i < batch; ++i)
            queue.Post(&CountingThread::Add, i);
        queue.Stop();  // returns once every call has run
        benchmark::DoNotOptimize(queue.sum);
    }
    state.SetItemsProcessed(state.iterations() * batch);
}
BENCHMARK(PostToConsumerThread)->Arg(100000)->UseRealTime()->Unit(benchmark::kMillisecond);

// Posting and emptying on one thread, as a port's queue is emptied by the GUI timer.
void PostThenProcessAll(benchmark::State& state)
{
    const int batch = static_cast<int>(state.range(0));
    CountingQueue queue;
    for (auto _ : state) {
        for (int i = 0; i < batch; ++i)
            queue.Post(&CountingQueue::Add, i);
        queue.ProcessAll();
    }
    benchmark::DoNotOptimize(queue.sum);
    state.SetItemsProcessed(state.iterations() * batch);
}
BENCHMARK(PostThenProcessAll)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace baudrill
