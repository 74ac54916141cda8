#pragma once

#include <memory>

#include "platform/Clock.h"
#include "platform/SystemClock.h"
#include "serial/Fifo.h"
#include "serial/SerialSettings.h"

namespace baudrill {

// A byte device with millisecond time-outs built over its own non-waiting Read and Write.
// Time (the timed loops' timers and sleeps) goes through the clock given to the constructor.
class IOBase {
public:
    explicit IOBase(platform::Clock& clock = platform::SystemClock::Instance());
    IOBase(const IOBase&) = delete;
    IOBase& operator=(const IOBase&) = delete;

    virtual int Close() = 0;
    virtual int Open(const char* deviceName, const SerialSettings* settings) = 0;
    virtual ~IOBase();
    virtual const char* GetTypeName();
    virtual int Control(int code, void* out);  // no control codes here: -1
    virtual bool IsOpen() = 0;
    virtual int Read(char* buffer, int length) = 0;
    // Reads up to `terminator` (not stored) within `timeoutMs`: 1 found, 0 time-out, -1 the
    // port failed. *buffer always receives a zero-terminated buffer from new[] that the caller
    // frees with delete[]; *length the number of data bytes in it. Every byte read that is not
    // part of the found terminator is data, a partly matched terminator included; a terminator
    // between two `quote` characters is data too (`quote` 0: no quoting).
    virtual int ReadToTerminator(char** buffer, int* length, const char* terminator, int timeoutMs, char quote);
    virtual int Write(const char* data, int length) = 0;
    // Discards output the driver has not sent yet; non-zero on success. Received bytes are
    // never discarded. The base has no driver: 0.
    virtual int DiscardBuffers();
    // Wait at most `ms` milliseconds (-1: no limit) until the next Read or Write has something
    // to tell (bytes, room, or a failure); false when the time ran out. The timed loops wait
    // here between calls that moved nothing. The base has nothing to wait on and sleeps 1 ms.
    virtual bool WaitReadable(int ms);
    virtual bool WaitWritable(int ms);

    // Collects what arrives until `length` bytes are in, `timeoutMs` has passed (0 counts as
    // 1, -1 or any negative never) or Read fails; returns the bytes read.
    int ReadTimed(char* buffer, int length, int timeoutMs);
    // Discards unsent output (also for length 0), then writes until all is written, the
    // time-out has passed or Write fails; returns the bytes written.
    int WriteTimed(const char* data, int length, int timeoutMs);

    fifo& PutBack() { return *putBack; }
    platform::Clock& GetClock() { return clock; }

private:
    template <typename Step, typename Wait>
    int TimedLoop(int length, int timeoutMs, Step step, Wait wait);

    std::unique_ptr<fifo> putBack;
    platform::Clock& clock;
};

}  // namespace baudrill
