#include "tests/support/monitor/WorkerTestSupport.h"
#include "tests/support/WaitUntil.h"

#include <thread>
#include <utility>

namespace baudrill::test {

using namespace std::chrono_literals;

namespace {

constexpr auto RealTimeLimit = 10s;

}  // namespace

uint32_t HeldClock::Tick()
{
    {
        std::unique_lock lock(mutex);
        if (gatedThread == std::this_thread::get_id()) {
            gatedThread.reset();
            gateWaiting = true;
            changed.notify_all();
            changed.wait(lock, [&] { return gateOpen; });
            gateWaiting = false;
        }
    }
    return inner.Tick();
}

void HeldClock::Sleep(int ms)
{
    if (ms >= HeldPauseMs) {
        std::unique_lock lock(mutex);
        ++heldSleepers;
        changed.notify_all();
        changed.wait(lock, [&] { return !IsHeld(); });
        --heldSleepers;
    }
    inner.Sleep(ms);
}

platform::TimerId HeldClock::StartTimer(unsigned ms, platform::TimerCallback callback)
{
    return inner.StartTimer(ms, std::move(callback));
}

void HeldClock::KillTimer(platform::TimerId id) { inner.KillTimer(id); }

void HeldClock::Hold()
{
    std::lock_guard lock(mutex);
    holdFrom = 0;
}

void HeldClock::Release() { ReleaseFor(UINT64_MAX); }

void HeldClock::ReleaseFor(uint64_t ms)
{
    std::lock_guard lock(mutex);
    const uint64_t now = inner.Elapsed();
    holdFrom = ms > UINT64_MAX - now ? UINT64_MAX : now + ms;
    changed.notify_all();
}

bool HeldClock::IsHeld() const { return inner.Elapsed() >= holdFrom; }

bool HeldClock::WaitForHeldSleeper()
{
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, RealTimeLimit, [&] { return IsHeld() && heldSleepers > 0; });
}

void HeldClock::GateNextTickOfThisThread()
{
    std::lock_guard lock(mutex);
    gatedThread = std::this_thread::get_id();
}

bool HeldClock::WaitForGatedTick()
{
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, RealTimeLimit, [&] { return gateWaiting; });
}

void HeldClock::OpenGate()
{
    std::lock_guard lock(mutex);
    gateOpen = true;
    changed.notify_all();
}

bool HeldClock::WaitForTimeToPass(uint64_t ms)
{
    const uint64_t until = Elapsed() + ms;
    return test::WaitUntil([&] { return Elapsed() >= until; }, RealTimeLimit);
}

RecordingPort::RecordingPort(std::unique_ptr<platform::CommDevice> device, HeldClock& clock)
    : SerialPort(std::move(device), clock), heldClock(clock)
{
}

int RecordingPort::SetStandardBaud(int rate)
{
    {
        std::lock_guard lock(mutex);
        standardRates.push_back(rate);
    }
    return SerialPort::SetStandardBaud(rate);
}

int RecordingPort::SetAnyBaud(int rate)
{
    {
        std::lock_guard lock(mutex);
        anyRates.push_back(rate);
    }
    return SerialPort::SetAnyBaud(rate);
}

int RecordingPort::GetInputLines()
{
    bool gate;
    {
        std::lock_guard lock(mutex);
        linePollTicks.push_back(GetClock().Tick());
        gate = std::exchange(gateArmed, false);
    }
    if (gate)
        heldClock.GateNextTickOfThisThread();
    return SerialPort::GetInputLines();
}

int RecordingPort::Read(char* buffer, int length)
{
    const int n = SerialPort::Read(buffer, length);
    if (n != SThread::ReadBufferSize)
        return n;
    bool gate;
    {
        std::lock_guard lock(mutex);
        gate = std::exchange(readGateArmed, false);
    }
    if (gate)
        heldClock.GateNextTickOfThisThread();
    return n;
}

int RecordingPort::Write(const char* data, int length)
{
    int takesMs;
    {
        std::lock_guard lock(mutex);
        writeTicks.push_back(GetClock().Tick());
        if (sendNothing)
            return 0;
        takesMs = writeMs;
    }
    for (int i = 0; i < takesMs; ++i)
        GetClock().Sleep(1);
    return SerialPort::Write(data, length);
}

void RecordingPort::SendNothing(bool on)
{
    std::lock_guard lock(mutex);
    sendNothing = on;
}

void RecordingPort::WriteTakes(int ms)
{
    std::lock_guard lock(mutex);
    writeMs = ms;
}

void RecordingPort::GateTurnAfterNextLinePoll()
{
    std::lock_guard lock(mutex);
    gateArmed = true;
}

void RecordingPort::GateAfterNextFullRead()
{
    std::lock_guard lock(mutex);
    readGateArmed = true;
}

std::vector<int> RecordingPort::StandardRates() const
{
    std::lock_guard lock(mutex);
    return standardRates;
}

std::vector<int> RecordingPort::AnyRates() const
{
    std::lock_guard lock(mutex);
    return anyRates;
}

std::vector<uint32_t> RecordingPort::LinePollTicks() const
{
    std::lock_guard lock(mutex);
    return linePollTicks;
}

std::vector<uint32_t> RecordingPort::WriteTicks() const
{
    std::lock_guard lock(mutex);
    return writeTicks;
}

int OpenForWorker(SThread& worker, SerialPort& port, SerialSettings settings)
{
    auto lock = worker.LockPort();
    int result = port.Open("/dev/fake0", &settings);
    if (result == 0)
        worker.SetOpen(true);
    return result;
}

void CloseForWorker(SThread& worker, SerialPort& port)
{
    worker.AbortWrite();
    auto lock = worker.LockPort();
    worker.SetOpen(false);
    port.Close();
}

void RecordingNotifier::OnReceive(std::string bytes, uint32_t tick, bool newRow)
{
    notices.push_back({Notice::Receive, std::move(bytes), tick, newRow});
}

void RecordingNotifier::OnSent(std::string bytes, uint32_t tick)
{
    notices.push_back({Notice::Sent, std::move(bytes), tick, false});
}

void RecordingNotifier::OnLineStatus(int value)
{
    std::lock_guard lock(linesMutex);
    lines.push_back(value);
}

void RecordingNotifier::OnSendDone(unsigned send) { notices.push_back({Notice::SendDone, {}, 0, false, send}); }

void RecordingNotifier::OnHangUp() { notices.push_back({Notice::HangUp, {}, 0, false}); }

bool RecordingNotifier::RunUntil(const std::function<bool()>& done)
{
    return test::WaitUntil(done, RealTimeLimit, [this] { ProcessAll(); });
}

std::vector<Notice> RecordingNotifier::Of(Notice::Kind kind) const
{
    std::vector<Notice> found;
    for (const Notice& notice : notices)
        if (notice.kind == kind)
            found.push_back(notice);
    return found;
}

std::string RecordingNotifier::Received() const
{
    std::string bytes;
    for (const Notice& notice : Of(Notice::Receive))
        bytes += notice.bytes;
    return bytes;
}

std::vector<int> RecordingNotifier::Lines() const
{
    std::lock_guard lock(linesMutex);
    return lines;
}

WorkerTest::WorkerTest()
{
    auto fake = std::make_unique<platform::FakeCommDevice>(clock);
    device = fake.get();
    port = std::make_unique<RecordingPort>(std::move(fake), clock);
}

WorkerTest::~WorkerTest()
{
    clock.Release();  // a held worker could not end
    clock.OpenGate();
    worker.reset();
}

void WorkerTest::MakeWorker() { worker = std::make_unique<SThread>(port.get(), &notifier, 4); }

void WorkerTest::Open(SerialSettings settings)
{
    if (!worker)
        MakeWorker();
    ASSERT_TRUE(clock.WaitForHeldSleeper());
    ASSERT_EQ(OpenForWorker(*worker, *port, settings), 0);
}

void WorkerTest::OpenAndRun()
{
    Open();
    clock.Release();
}

void WorkerTest::Reopen() { ASSERT_EQ(OpenForWorker(*worker, *port), 0); }

void WorkerTest::LetTimePass(uint64_t ms)
{
    ASSERT_TRUE(clock.WaitForTimeToPass(ms));
    notifier.ProcessAll();
}

}  // namespace baudrill::test
