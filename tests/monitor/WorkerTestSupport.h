#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "monitor/SThread.h"
#include "platform/FakeClock.h"
#include "platform/FakeCommDevice.h"
#include "serial/SerialPort.h"

namespace baudrill::test_support {

// A fake clock whose time moves only as the code under test sleeps on it (auto-advance), and
// which a test can hold: a sleep then waits until the test releases the clock. Held, time
// stands still, so input scripted meanwhile arrives at known times after the release.
class HeldClock final : public platform::Clock {
public:
    uint32_t Tick() override;
    void Sleep(int ms) override;
    platform::TimerId StartTimer(unsigned ms, platform::TimerCallback callback) override;
    void KillTimer(platform::TimerId id) override;

    void Hold();
    void Release();
    // Waits (in real time, 10 s at most) until a sleep waits for the release.
    bool WaitForHeldSleeper();
    // Waits (in real time, 10 s at most) until `ms` more milliseconds of fake time have passed.
    bool WaitForTimeToPass(uint64_t ms);
    uint64_t Elapsed() const { return inner.Elapsed(); }

private:
    platform::FakeClock inner{platform::FakeClock::Mode::AutoAdvance};
    std::mutex mutex;
    std::condition_variable changed;
    bool held = true;
    int heldSleepers = 0;
};

// A port on the fake device that records the rate calls and the time of every write, and can
// make every write send nothing at once (as a line that never takes a byte).
class RecordingPort : public SerialPort {
public:
    using SerialPort::SerialPort;

    int SetStandardBaud(int rate) override;
    int SetAnyBaud(int rate) override;
    int Write(const char* data, int length) override;

    void SendNothing(bool on);
    std::vector<int> StandardRates() const;
    std::vector<int> AnyRates() const;
    std::vector<uint32_t> WriteTicks() const;

private:
    mutable std::mutex mutex;
    bool sendNothing = false;
    std::vector<int> standardRates, anyRates;
    std::vector<uint32_t> writeTicks;
};

struct Notice {
    enum Kind { Receive, Sent, SendDone };
    Kind kind;
    std::string bytes;
    uint32_t tick = 0;
    bool flag = false;  // newRow of Receive, the argument of SendDone
};

// A port's side of the worker: the posted notices as the GUI thread would run them, and the
// line reports made on the worker thread.
class RecordingNotifier : public SThread::Notifier {
public:
    void OnReceive(std::string bytes, uint32_t tick, bool newRow) override;
    void OnSent(std::string bytes, uint32_t tick) override;
    void OnLineStatus(int lines) override;
    void OnSendDone(bool done) override;

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
    // Runs notices until fake time has passed `ms` further (the worker has made its turns).
    void LetTimePass(uint64_t ms);

    HeldClock clock;
    RecordingNotifier notifier;
    platform::FakeCommDevice* device;
    std::unique_ptr<RecordingPort> port;
    std::unique_ptr<SThread> worker;
};

}  // namespace baudrill::test_support
