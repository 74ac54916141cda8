#pragma once

#include <atomic>
#include <cstdint>

#include "platform/CommDevice.h"
#include "platform/ReadAheadBuffer.h"

struct pollfd;

namespace baudrill::platform {

// A serial device (or pseudo-terminal) through POSIX calls: exclusive open, termios2 settings,
// reads that never wait, bounded and abortable writes that wait for the output to drain.
class PosixCommDevice final : public CommDevice {
public:
    PosixCommDevice();
    ~PosixCommDevice() override;
    PosixCommDevice(const PosixCommDevice&) = delete;
    PosixCommDevice& operator=(const PosixCommDevice&) = delete;

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

    // True while a write waits for the line to take or send its bytes (flow control, a full
    // queue, the drain): the state in which AbortIo has to wake it. Safe from any thread.
    bool WriteIsWaiting() const;

private:
    struct ErrorCounters {
        int frame = 0, overrun = 0, parity = 0, brk = 0, bufferOverrun = 0;
    };
    enum class WaitResult { Ready, Aborted, TimedOut, Failed };

    // What the line discipline holds fits one read; a smaller one would cost a system call
    // for every piece a caller asks for.
    static constexpr std::size_t ReadAheadSize = 4096;

    int ReadDriver();
    bool ReadCounters(ErrorCounters& out) const;
    bool DeviceIsGone() const;
    WaitResult WaitForRoom(long long deadlineMs);
    WaitResult WaitDrained(long long deadlineMs);
    int PollWaiting(pollfd* fds, int count, int timeoutMs);
    int OutputQueued() const;
    int DiscardQueuedOutput();
    void DrainAbortEvent();
    bool DriveLine(int modemBit, bool high);
    void ApplyLineControls(const LineSettings& settings);

    int fd_ = -1;
    // Made once and kept until destruction, so AbortIo never touches a closed descriptor.
    std::atomic<int> abortFd_{-1};
    std::atomic<bool> aborted_{false};
    std::atomic<bool> writeWaiting_{false};
    ReadAheadBuffer<ReadAheadSize> readAhead_;
    bool noModemLines_ = false;  // the driver has none (a pty): not asked again until reopened
    LineSettings applied_;
    bool controlsApplied_ = false;  // DTR/RTS driven since the last open
    bool hungUp_ = false;           // a read or write found the device gone since the open
    ErrorCounters lastCounters_;
};

}  // namespace baudrill::platform
