#pragma once

#include <cstdint>

#include "platform/LineSettings.h"

namespace baudrill::platform {

// One serial device as the serial classes see it. Every call returns false or -1 on failure and
// never throws. All calls but AbortIo come from the owner, one at a time.
class CommDevice {
public:
    virtual ~CommDevice();

    // Opens the device exclusively. Fails when it is already open.
    virtual bool Open(const char* path) = 0;
    // Releases the device; does nothing when it is closed.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    virtual bool GetState(LineSettings& out) = 0;
    // Fails, keeping the settings in force, when the driver refuses them or would run the line
    // otherwise than asked: another word length, parity, stop bits or flow control, or another
    // rate (more than its rounding away).
    virtual bool SetState(const LineSettings& settings) = 0;
    // Makes the event through which AbortIo wakes a waiting write.
    virtual bool CreateAbortEvent() = 0;
    virtual bool SetTimeouts(const CommTimeouts& timeouts) = 0;
    virtual bool SetupQueues(int inBytes, int outBytes) = 0;

    // Returns at once with what the driver holds: 0 when nothing, -1 on failure or when the
    // device is gone.
    virtual int Read(char* buffer, int length) = 0;
    // Writes the block and waits until it has left the driver, at most boundMs milliseconds
    // (no bound when boundMs <= 0). Returns the bytes actually sent (the unsent rest is
    // discarded), or -1 when the write failed or was aborted before anything was sent, or the
    // device went away before it could tell how much of the block it still held.
    virtual int Write(const char* data, int length, int boundMs) = 0;
    // Wait at most timeoutMs milliseconds (-1: no limit) until the next Read would deliver
    // bytes or fail (the device is gone or closed); false when the time ran out.
    virtual bool WaitReadable(int timeoutMs) = 0;
    // The same until the next Write could hand the driver bytes or would fail; AbortIo ends
    // the wait at once.
    virtual bool WaitWritable(int timeoutMs) = 0;
    // Callable from any thread: the waiting write returns at once, and every write fails at
    // once until ResumeIo or the next Open.
    virtual void AbortIo() = 0;
    // Ends the effect of AbortIo. The owner calls it once it knows no write is running (under
    // the lock that serialises its calls), never concurrently with AbortIo.
    virtual void ResumeIo() = 0;
    // True once a Read or Write has found the device gone (hung up, EIO, ENXIO: a pulled
    // adapter, a closed pty master), until the next Open. Other failures leave it false.
    virtual bool HasHungUp() const = 0;

    // Discards output not yet sent (PurgeTxClear). Received bytes are never discarded: the
    // receive flags are accepted and do nothing.
    virtual bool Purge(uint32_t flags) = 0;
    virtual bool Escape(int code) = 0;                  // EscapeSetRts .. EscapeClearDtr
    virtual bool GetModemStatus(uint32_t& status) = 0;  // ModemCtsOn | ...
    // The error bits seen since the previous call (ErrorBreak | ...), then clears them.
    virtual bool ClearError(uint32_t& errors, CommStatus& status) = 0;
    virtual bool SetBreak() = 0;
    virtual bool ClearBreak() = 0;
};

}  // namespace baudrill::platform
