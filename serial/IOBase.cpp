#include "serial/IOBase.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <string>

#include "serial/OneShotTimer.h"
#include "serial/PreciseSleep.h"

namespace baudrill {

namespace {

constexpr int PutBackSize = 256;
constexpr int TerminatorBufferStep = 512;

// The growing, zero-terminated data buffer that ReadToTerminator hands out.
class DataBuffer {
public:
    DataBuffer() : data(new char[capacity + 1]) {}
    ~DataBuffer() { delete[] data; }
    DataBuffer(const DataBuffer&) = delete;
    DataBuffer& operator=(const DataBuffer&) = delete;

    void Store(char c)
    {
        if (used == capacity)
            Grow();
        data[used++] = c;
    }
    int Size() const { return static_cast<int>(used); }
    char* Release()
    {
        data[used] = 0;
        char* out = data;
        data = nullptr;
        return out;
    }

private:
    void Grow()
    {
        std::size_t bigger = capacity + TerminatorBufferStep;
        char* next = new char[bigger + 1];
        std::memcpy(next, data, used);
        delete[] data;
        data = next;
        capacity = bigger;
    }

    std::size_t capacity = TerminatorBufferStep;
    std::size_t used = 0;
    char* data;
};

}  // namespace

IOBase::IOBase(platform::Clock& clock) : putBack(std::make_unique<fifo>(PutBackSize)), clock(clock) {}

IOBase::~IOBase() = default;

const char* IOBase::GetTypeName() { return "IOBase"; }

int IOBase::Control(int, void*) { return -1; }

int IOBase::DiscardBuffers() { return 0; }

bool IOBase::WaitReadable(int)
{
    PreciseSleep(1, clock);
    return true;
}

bool IOBase::WaitWritable(int)
{
    PreciseSleep(1, clock);
    return true;
}

// The loop shared by the timed transfers: `step(done)` moves bytes from offset `done` and returns
// how many (0 nothing yet, negative a failure, which ends the loop); `wait(ms)` waits on the
// device for at most the time left. The time-out is tested between steps, never inside one.
template <typename Step, typename Wait>
int IOBase::TimedLoop(int length, int timeoutMs, Step step, Wait wait)
{
    const bool bounded = timeoutMs >= 0;
    const uint32_t deadline = clock.Tick() + static_cast<uint32_t>(std::max(timeoutMs, 1));
    auto timeLeft = [&] {  // -1: no time-out; ticks wrap modulo 2^32
        if (!bounded)
            return -1;
        const auto left = static_cast<int32_t>(deadline - clock.Tick());
        return left > 0 ? static_cast<int>(left) : 0;
    };
    int remaining = length;
    bool waited = false;  // the last pause was a wait on the device
    for (;;) {
        const int n = step(length - remaining);
        if (n < 0)
            break;
        remaining -= std::min(n, remaining);
        if (remaining == 0 || timeLeft() == 0)
            break;
        if (n > 0) {
            waited = false;
            continue;
        }
        // A device that ends its wait and then moves nothing is not waited on again at once: a
        // 1 ms pause keeps the loop from spinning on it.
        if (waited)
            PreciseSleep(1, clock);
        else
            wait(timeLeft());
        waited = !waited;
        if (timeLeft() == 0)
            break;
    }
    return length - remaining;
}

int IOBase::ReadTimed(char* buffer, int length, int timeoutMs)
{
    if (!buffer || length <= 0)
        return 0;
    return TimedLoop(
        length, timeoutMs, [&](int done) { return Read(buffer + done, length - done); },
        [&](int ms) { return WaitReadable(ms); });
}

int IOBase::WriteTimed(const char* data, int length, int timeoutMs)
{
    DiscardBuffers();
    if (!data || length <= 0)
        return 0;
    return TimedLoop(
        length, timeoutMs, [&](int done) { return Write(data + done, length - done); },
        [&](int ms) { return WaitWritable(ms); });
}

int IOBase::ReadToTerminator(char** buffer, int* length, const char* terminator, int timeoutMs, char quote)
{
    DataBuffer out;
    auto handOut = [&](int result) {
        if (length)
            *length = out.Size();
        if (buffer)
            *buffer = out.Release();
        return result;
    };
    if (!buffer || !length || !terminator || !*terminator)
        return handOut(-1);

    const std::size_t termLength = std::strlen(terminator);
    std::size_t matched = 0;
    bool quoted = false;
    int result = 0;
    // Bytes already read that must be looked at again: after a partial match fails, the match
    // restarts one byte later, so a terminator that begins inside the failed match is found.
    std::string again;
    auto storeData = [&](char c) {
        if (quote != 0 && c == quote)
            quoted = !quoted;  // quote 0: no quoting
        out.Store(c);
    };

    std::atomic<int> expired{0};
    OneShotTimer timer(static_cast<unsigned>(timeoutMs), &expired, clock);
    timer.Start();
    while (!expired.load()) {
        char c;
        if (!again.empty()) {
            c = again.front();
            again.erase(0, 1);
        } else {
            int n = Read(&c, 1);
            if (n < 0) {
                result = -1;
                break;
            }
            if (n == 0) {
                PreciseSleep(10, clock);
                continue;
            }
        }
        if (matched > 0 && c != terminator[matched]) {
            storeData(terminator[0]);
            again = std::string(terminator + 1, matched - 1) + c + again;
            matched = 0;
        } else if (c == terminator[matched] && !quoted) {
            if (++matched == termLength) {
                result = 1;
                break;
            }
        } else {
            storeData(c);
        }
    }
    timer.Stop();
    if (result != 1) {
        // Nothing read is dropped: a partly matched terminator and the bytes not looked at
        // again yet are data.
        for (std::size_t i = 0; i < matched; ++i)
            out.Store(terminator[i]);
        for (char c : again)
            out.Store(c);
    }
    return handOut(result);
}

}  // namespace baudrill
