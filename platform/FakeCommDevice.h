#pragma once

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Clock.h"
#include "platform/CommDevice.h"

namespace baudrill::platform {

// An in-memory serial device for tests. A test scripts the input (also bytes that arrive later,
// by the clock's time), reads what was written, holds writes as flow control would, sets the
// modem lines and error bits and makes any call fail. Every member is safe to call from any
// thread, so a test may drive the device while another thread uses it.
class FakeCommDevice final : public CommDevice {
public:
    enum class Call {
        Open,
        Close,
        GetState,
        SetState,
        CreateAbortEvent,
        SetTimeouts,
        SetupQueues,
        Read,
        Write,
        WaitReadable,
        WaitWritable,
        Purge,
        Escape,
        GetModemStatus,
        ClearError,
        SetBreak,
        ClearBreak,
    };
    static constexpr int CallKinds = static_cast<int>(Call::ClearBreak) + 1;

    struct BreakPulse {
        uint32_t setTick;
        uint32_t clearTick;  // equal to setTick while the break is still on
    };

    explicit FakeCommDevice(Clock& clock);

    // CommDevice
    bool Open(const char* path) override;
    void Close() override;
    bool IsOpen() const override;
    bool GetState(LineSettings& out) override;
    bool SetState(const LineSettings& settings) override;
    bool CreateAbortEvent() override;
    bool SetTimeouts(const CommTimeouts& timeouts) override;
    bool SetupQueues(int inBytes, int outBytes) override;
    int Read(char* buffer, int length) override;
    int Write(const char* data, int length, int boundMs) override;
    // Wait on the clock in 1 ms steps until scripted input (or a scripted read failure) has
    // arrived, or writes would be taken; a failed wait returns at once, as if ready.
    bool WaitReadable(int timeoutMs) override;
    bool WaitWritable(int timeoutMs) override;
    void AbortIo() override;
    void ResumeIo() override;
    bool HasHungUp() const override;
    bool Purge(uint32_t flags) override;
    bool Escape(int code) override;
    bool GetModemStatus(uint32_t& status) override;
    bool ClearError(uint32_t& errors, CommStatus& status) override;
    bool SetBreak() override;
    bool ClearBreak() override;

    // Script. Input arrives in the order it was added, each part `delayMs` after the call.
    void AddInput(std::string_view bytes, uint32_t delayMs = 0);
    // The read that reaches this point fails once (a read that already took bytes returns them
    // and the next one fails).
    void AddReadFailure(uint32_t delayMs = 0);
    // The device goes away (a pulled adapter): from now on every read and write fails and
    // reports the hang-up, until the next Open.
    void HangUp();
    // Flow control: writes accept `acceptFirst` more bytes, then wait until ReleaseWrites,
    // AbortIo, Close or their bound on the clock.
    void HoldWrites(int acceptFirst = 0);
    void ReleaseWrites();
    // The driver makes `effective` of a request for `requested`, as drivers without that rate
    // do; SetState refuses it when it is more than rounding away (see RateHonoured) and keeps the
    // settings in force, else reads back the effective rate.
    void SubstituteRate(int requested, int effective);
    void SetModemStatus(uint32_t modemBits);
    void AddErrors(uint32_t errorBits);
    // The next `times` calls of that kind fail (-1: every call until ClearFailures).
    void FailCall(Call call, int times = -1);
    void ClearFailures();

    // Inspection.
    std::string Output() const;
    std::string TakeOutput();
    bool WriteIsHeld() const;
    bool WaitForHeldWrite(std::chrono::milliseconds limit = std::chrono::seconds(10)) const;
    int CallCount(Call call) const;
    int TotalCalls() const;
    std::string OpenedPath() const;
    LineSettings State() const;
    CommTimeouts Timeouts() const;
    int InQueueSize() const;
    int OutQueueSize() const;
    uint32_t LastPurgeFlags() const;
    int LastWriteBound() const;
    int InputWaiting() const;
    bool Dtr() const;
    bool Rts() const;
    bool BreakOn() const;
    bool IsAborted() const;
    std::vector<BreakPulse> Breaks() const;

private:
    struct InputPart {
        uint32_t at;
        std::string bytes;
        bool failure;
    };

    // Counts the call and tells whether it is to fail; under mutex_.
    bool Enter(Call call);
    bool Arrived(const InputPart& part, uint32_t now) const;
    int ArrivedBytes(uint32_t now) const;
    int Accept(const char* data, int length);
    // `ready(now)` is tested under mutex_.
    template <typename Ready>
    bool WaitInSteps(Call call, int timeoutMs, Ready ready);
    void ApplyLineControls(const LineSettings& settings);

    Clock& clock_;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::array<int, CallKinds> calls_{};
    std::array<int, CallKinds> failures_{};
    bool open_ = false;
    std::string path_;
    LineSettings state_;
    bool controlsApplied_ = false;
    CommTimeouts timeouts_;
    int inQueueSize_ = 0;
    int outQueueSize_ = 0;
    std::deque<InputPart> input_;
    std::string output_;
    bool holding_ = false;
    int allowance_ = 0;
    bool writeHeld_ = false;
    bool boundExpired_ = false;
    uint64_t writeGeneration_ = 0;
    int lastWriteBound_ = 0;
    bool aborted_ = false;
    bool hungUp_ = false;
    uint32_t lastPurgeFlags_ = 0;
    uint32_t modemStatus_ = 0;
    uint32_t pendingErrors_ = 0;
    bool dtr_ = false;
    bool rts_ = false;
    bool breakOn_ = false;
    std::vector<BreakPulse> breaks_;
    std::vector<std::pair<int, int>> substitutedRates_;
};

}  // namespace baudrill::platform
