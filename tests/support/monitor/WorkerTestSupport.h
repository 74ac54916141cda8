#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "monitor/threads/SThread.h"
#include "platform/FakeClock.h"
#include "platform/FakeCommDevice.h"
#include "serial/SerialPort.h"

namespace baudrill::test {

// A fake clock whose time moves only as the code under test sleeps on it (auto-advance), and
// which a test can hold: a pause of HeldPauseMs or more then waits until the test releases the
// clock. Those are the worker's own pauses, which it takes outside its lock; the 1 ms steps of
// the timed reads and writes inside the lock go on, so a worker held in a pause holds no lock
// and the test may call any of its operations. Held, time stands still once the worker pauses,
// so input scripted meanwhile arrives at known times after the release.
//
// The clock can also stop one thread at its next Tick (GateNextTickOfThisThread, called on that
// thread): a worker's write turn begins with a Tick, after it has taken its command and before
// its locked write, so a test can hand over a command in that gap.
class HeldClock final : public platform::Clock {
public:
    static constexpr int HeldPauseMs = 10;

    uint32_t Tick() override;
    void Sleep(int ms) override;
    platform::TimerId StartTimer(unsigned ms, platform::TimerCallback callback) override;
    void KillTimer(platform::TimerId id) override;

    void Hold();
    void Release();
    // Releases the clock for `ms` of fake time; the first pause after that is held again.
    void ReleaseFor(uint64_t ms);
    // Waits (in real time, 10 s at most) until a sleep waits for the release.
    bool WaitForHeldSleeper();
    // Waits (in real time, 10 s at most) until `ms` more milliseconds of fake time have passed.
    bool WaitForTimeToPass(uint64_t ms);
    uint64_t Elapsed() const { return inner.Elapsed(); }

    void GateNextTickOfThisThread();
    // Waits (in real time, 10 s at most) until a Tick waits at the gate.
    bool WaitForGatedTick();
    // Lets the gated Tick go on (and every later one of the gated thread).
    void OpenGate();

private:
    platform::FakeClock inner{platform::FakeClock::Mode::AutoAdvance};
    std::mutex mutex;
    std::condition_variable changed;
    bool IsHeld() const;  // under mutex

    uint64_t holdFrom = 0;  // pauses that begin at this fake time or later are held
    int heldSleepers = 0;
    std::optional<std::thread::id> gatedThread;
    bool gateWaiting = false;
    bool gateOpen = false;
};

// A port on the fake device and the held clock that records the rate calls, the time of every
// line poll and of every write; it can make every write send nothing at once (as a line that
// never takes a byte) or take fake time, and can gate the worker's next turn.
class RecordingPort : public SerialPort {
public:
    RecordingPort(std::unique_ptr<platform::CommDevice> device, HeldClock& clock);

    int SetStandardBaud(int rate) override;
    int SetAnyBaud(int rate) override;
    int GetInputLines() override;
    int Read(char* buffer, int length) override;
    int Write(const char* data, int length) override;

    void SendNothing(bool on);
    // Every write first takes `ms` of fake time, in 1 ms steps, as bytes on the line would.
    void WriteTakes(int ms);
    // The turn that follows the next line poll stops at its first Tick (HeldClock's gate).
    void GateTurnAfterNextLinePoll();
    // The next read that fills the worker's whole buffer stops at the worker's next Tick: a
    // timed read that got all it asked for ends without one, so that Tick comes after the
    // worker has left its lock and before it posts the bytes.
    void GateAfterNextFullRead();
    std::vector<int> StandardRates() const;
    std::vector<int> AnyRates() const;
    std::vector<uint32_t> LinePollTicks() const;
    std::vector<uint32_t> WriteTicks() const;

private:
    HeldClock& heldClock;
    mutable std::mutex mutex;
    bool sendNothing = false;
    int writeMs = 0;
    bool gateArmed = false;
    bool readGateArmed = false;
    std::vector<int> standardRates, anyRates;
    std::vector<uint32_t> linePollTicks, writeTicks;
};

// The owner's protocol: opens the port and marks it open for the worker, both under the
// worker's lock; 0 on success, as SerialPort::Open.
int OpenForWorker(SThread& worker, SerialPort& port, SerialSettings settings = {});
// The owner's other way to close (besides SThread::ClosePort): frees a held write, then marks
// the port closed and closes it under the worker's lock.
void CloseForWorker(SThread& worker, SerialPort& port);

struct Notice {
    enum Kind { Receive, Sent, SendDone, HangUp };
    Kind kind;
    std::string bytes;
    uint32_t tick = 0;
    bool flag = false;  // newRow of Receive
    unsigned send = 0;  // the send that a SendDone ends
};

// A port's side of the worker: the posted notices as the GUI thread would run them, and the
// line reports made on the worker thread.
class RecordingNotifier : public SThread::Notifier {
public:
    void OnReceive(std::string bytes, uint32_t tick, bool newRow) override;
    void OnSent(std::string bytes, uint32_t tick) override;
    void OnLineStatus(int lines) override;
    void OnSendDone(unsigned send) override;
    void OnHangUp() override;

    // Runs what was posted until `done` holds; false after 10 s of real time.
    bool RunUntil(const std::function<bool()>& done);
    std::vector<Notice> Of(Notice::Kind kind) const;
    std::string Received() const;
    std::vector<int> Lines() const;

    std::vector<Notice> notices;  // test thread only

private:
    mutable std::mutex linesMutex;
    std::vector<int> lines;
};

// A worker on a RecordingPort over the fake device and the held clock. The worker is made by
// each test; the clock is held until the test releases it (OpenAndRun does both). Public, so
// the tables of the tests can reach it.
class WorkerTest : public ::testing::Test {
public:
    using Call = platform::FakeCommDevice::Call;

    WorkerTest();
    ~WorkerTest() override;

    void MakeWorker();
    // Opens the device once the worker idles in a held sleep; time is still held.
    void Open(SerialSettings settings = {});
    void OpenAndRun();
    // Opens the closed device again, at once.
    void Reopen();
    // Runs notices until fake time has passed `ms` further (the worker has made its turns).
    void LetTimePass(uint64_t ms);

    HeldClock clock;
    RecordingNotifier notifier;
    platform::FakeCommDevice* device;
    std::unique_ptr<RecordingPort> port;
    std::unique_ptr<SThread> worker;
};

}  // namespace baudrill::test
