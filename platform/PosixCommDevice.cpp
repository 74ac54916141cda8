#include "platform/PosixCommDevice.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/PlatformCodes.h"
#include "platform/Termios2.h"
#include "platform/TermiosIo.h"
#include "platform/TickCount.h"

namespace baudrill::platform {

namespace {

// Pseudo-terminals and some drivers have no modem lines or counters: not a failure.
bool NotSupported(int error) { return error == ENOTTY || error == EINVAL; }

// What a read or write of a device that has gone away fails with.
bool IsHangUpError(int error) { return error == EIO || error == ENXIO; }

class DeviceTermios final : public TermiosIo {
public:
    explicit DeviceTermios(int fd) : fd_(fd) {}
    bool Read(TermiosImage& out) override { return ReadTermios(fd_, out); }
    bool Write(const TermiosImage& image) override { return WriteTermios(fd_, image); }

private:
    int fd_;
};

}  // namespace

PosixCommDevice::PosixCommDevice() { CreateAbortEvent(); }

PosixCommDevice::~PosixCommDevice()
{
    Close();
    int fd = abortFd_.exchange(-1);
    if (fd >= 0)
        ::close(fd);
}

bool PosixCommDevice::Open(const char* path)
{
    if (fd_ >= 0 || !path)
        return false;
    int fd = ::open(path, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    // flock keeps out every other opener, root included (TIOCEXCL does not stop root).
    if (flock(fd, LOCK_EX | LOCK_NB) != 0 || (ioctl(fd, TIOCEXCL) != 0 && !NotSupported(errno))) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    readAhead_.Clear();
    noModemLines_ = false;
    controlsApplied_ = false;
    hungUp_ = false;
    lastCounters_ = {};
    ReadCounters(lastCounters_);  // errors from before the open are not reported
    ResumeIo();
    return true;
}

void PosixCommDevice::Close()
{
    if (fd_ < 0)
        return;
    ioctl(fd_, TIOCNXCL);
    DiscardQueuedOutput();  // close would otherwise wait up to 30 s for held output
    ::close(fd_);
    fd_ = -1;
    readAhead_.Clear();
}

bool PosixCommDevice::IsOpen() const { return fd_ >= 0; }

bool PosixCommDevice::GetState(LineSettings& out)
{
    TermiosImage image;
    if (fd_ < 0 || !ReadTermios(fd_, image))
        return false;
    out = FromTermios(image, applied_);
    return true;
}

bool PosixCommDevice::SetState(const LineSettings& settings)
{
    TermiosImage image;
    if (fd_ < 0 || !ToTermios(settings, image))
        return false;
    DeviceTermios io(fd_);
    if (!ApplyTermios(io, image))
        return false;  // refused, or another rate substituted
    ApplyLineControls(settings);
    applied_ = settings;
    controlsApplied_ = true;
    return true;
}

// A line is driven when its control changes (or first after opening), so a rate change leaves
// DTR and RTS as the user last switched them. A pty has no modem lines: failures here do not
// fail the settings.
void PosixCommDevice::ApplyLineControls(const LineSettings& settings)
{
    bool first = !controlsApplied_;
    if (DrivesLine(settings.dtrControl, applied_.dtrControl, first))
        DriveLine(TIOCM_DTR, settings.dtrControl == LineControl::Enable);
    if (DrivesLine(settings.rtsControl, applied_.rtsControl, first))
        DriveLine(TIOCM_RTS, settings.rtsControl == LineControl::Enable);
}

bool PosixCommDevice::DriveLine(int modemBit, bool high)
{
    if (fd_ < 0)
        return false;
    int bits = modemBit;
    return ioctl(fd_, high ? TIOCMBIS : TIOCMBIC, &bits) == 0;
}

bool PosixCommDevice::CreateAbortEvent()
{
    if (abortFd_.load() >= 0)
        return true;
    int fd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (fd < 0)
        return false;
    abortFd_.store(fd);
    return true;
}

bool PosixCommDevice::SetTimeouts(const CommTimeouts& timeouts)
{
    // Reads never wait (VMIN = VTIME = 0, O_NONBLOCK) and writes carry their own bound: that is
    // the only configuration this device has.
    return fd_ >= 0 && timeouts == CommTimeouts{};
}

bool PosixCommDevice::SetupQueues(int inBytes, int outBytes)
{
    return fd_ >= 0 && inBytes >= 0 && outBytes >= 0;  // the driver sizes its own queues
}

// Bytes read ahead come first; a failure after some of them shows on the next call.
int PosixCommDevice::Read(char* buffer, int length)
{
    if (fd_ < 0 || length < 0 || (length > 0 && !buffer))
        return -1;
    int taken = readAhead_.Take(buffer, length);
    if (taken == length)
        return taken;
    int n = ReadDriver();
    if (n < 0)
        return taken > 0 ? taken : -1;
    return taken + readAhead_.Take(buffer + taken, length - taken);
}

// One read of what the driver holds into the empty read-ahead buffer: the bytes read, 0 when
// it holds none, -1 on failure or when the device is gone.
int PosixCommDevice::ReadDriver()
{
    for (;;) {
        ssize_t n = ::read(fd_, readAhead_.Room(), static_cast<size_t>(readAhead_.Capacity()));
        if (n > 0) {
            readAhead_.Filled(static_cast<int>(n));
            return static_cast<int>(n);
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return 0;
        if (n < 0) {
            if (IsHangUpError(errno))
                hungUp_ = true;
            return -1;
        }
        if (!DeviceIsGone())
            return 0;
        hungUp_ = true;
        return -1;
    }
}

// A quiet read returns 0 too; a hung-up device also reads 0, but polls as readable or hung up
// and refuses FIONREAD.
bool PosixCommDevice::DeviceIsGone() const
{
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, 0) <= 0)
        return false;
    if (p.revents & (POLLHUP | POLLERR | POLLNVAL))
        return true;
    int waiting = 0;
    return ioctl(fd_, FIONREAD, &waiting) != 0 || waiting == 0;
}

int PosixCommDevice::Write(const char* data, int length, int boundMs)
{
    if (fd_ < 0 || length < 0 || (length > 0 && !data) || aborted_)
        return -1;
    if (length == 0)
        return 0;
    const long long deadline = boundMs > 0 ? MonotonicMs() + boundMs : -1;
    int accepted = 0;
    WaitResult stop = WaitResult::Ready;
    while (accepted < length && stop == WaitResult::Ready) {
        ssize_t n = ::write(fd_, data + accepted, static_cast<size_t>(length - accepted));
        if (n > 0) {
            accepted += static_cast<int>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno != EAGAIN) {
            if (IsHangUpError(errno))
                hungUp_ = true;
            stop = WaitResult::Failed;
        } else {
            stop = WaitForRoom(deadline);
        }
    }
    if (stop == WaitResult::Ready)
        stop = WaitDrained(deadline);
    if (stop == WaitResult::Ready)
        return accepted;

    // Cut short: what the driver still holds was not sent and is discarded. When the device can
    // no longer tell how much it held (it is gone), the write failed: counting bytes as sent
    // that may never have left is the worse error.
    int held = DiscardQueuedOutput();
    if (held < 0)
        return -1;
    int sent = std::max(accepted - held, 0);
    if (sent == 0 && (stop != WaitResult::TimedOut || aborted_))
        return -1;
    return sent;
}

// A failed poll (EINTR) counts as an answer: the caller's next call tells.
bool PosixCommDevice::WaitReadable(int timeoutMs)
{
    if (fd_ < 0 || !readAhead_.Empty())
        return true;
    pollfd p{fd_, POLLIN, 0};
    return poll(&p, 1, timeoutMs) != 0;
}

bool PosixCommDevice::WaitWritable(int timeoutMs)
{
    if (fd_ < 0 || aborted_)
        return true;
    pollfd p[2] = {{fd_, POLLOUT, 0}, {abortFd_.load(), POLLIN, 0}};
    return PollWaiting(p, 2, timeoutMs) != 0;
}

PosixCommDevice::WaitResult PosixCommDevice::WaitForRoom(long long deadlineMs)
{
    for (;;) {
        if (aborted_)
            return WaitResult::Aborted;
        int timeout = -1;
        if (deadlineMs >= 0) {
            long long left = deadlineMs - MonotonicMs();
            if (left <= 0)
                return WaitResult::TimedOut;
            timeout = static_cast<int>(std::min<long long>(left, 1000));
        }
        pollfd p[2] = {{fd_, POLLOUT, 0}, {abortFd_.load(), POLLIN, 0}};
        int n = PollWaiting(p, 2, timeout);
        if (n < 0 && errno != EINTR)
            return WaitResult::Failed;
        if (n <= 0)
            continue;
        if (p[1].revents & POLLIN)
            return WaitResult::Aborted;
        if (p[0].revents & POLLHUP)
            hungUp_ = true;
        if (p[0].revents & (POLLERR | POLLHUP | POLLNVAL))
            return WaitResult::Failed;
        if (p[0].revents & POLLOUT)
            return WaitResult::Ready;
    }
}

// Waits in 1 ms steps until the driver's output queue is empty ("flush file buffers"; tcdrain
// has no time-out), the deadline has passed, the write is aborted or the queue can no longer be
// read.
PosixCommDevice::WaitResult PosixCommDevice::WaitDrained(long long deadlineMs)
{
    for (;;) {
        int queued = OutputQueued();
        if (queued == 0)
            return WaitResult::Ready;
        if (queued < 0)
            return WaitResult::Failed;
        if (aborted_)
            return WaitResult::Aborted;
        if (deadlineMs >= 0 && MonotonicMs() >= deadlineMs)
            return WaitResult::TimedOut;
        pollfd p{abortFd_.load(), POLLIN, 0};
        PollWaiting(&p, 1, 1);
    }
}

// Every wait of a write for the line goes through here, after its last look at aborted_.
int PosixCommDevice::PollWaiting(pollfd* fds, int count, int timeoutMs)
{
    writeWaiting_ = true;
    int n = poll(fds, static_cast<nfds_t>(count), timeoutMs);
    writeWaiting_ = false;
    return n;
}

bool PosixCommDevice::WriteIsWaiting() const { return writeWaiting_; }

// Flushes the output queue unless the driver reports it empty; returns how much it held, -1
// when that cannot be read or the flush failed. Flushing an empty queue is not harmless: on a
// pty it drops bytes already on their way to the peer.
int PosixCommDevice::DiscardQueuedOutput()
{
    int queued = OutputQueued();
    if (queued != 0 && tcflush(fd_, TCOFLUSH) != 0)
        return -1;
    return queued;
}

// Bytes accepted and not yet sent; -1 when the driver cannot tell (a hung-up device).
int PosixCommDevice::OutputQueued() const
{
    int queued = 0;
    if (ioctl(fd_, TIOCOUTQ, &queued) != 0)
        return -1;
    return std::max(queued, 0);
}

void PosixCommDevice::AbortIo()
{
    aborted_ = true;
    int fd = abortFd_.load();
    if (fd >= 0) {
        uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(fd, &one, sizeof one);
    }
}

void PosixCommDevice::ResumeIo()
{
    DrainAbortEvent();
    aborted_ = false;
}

bool PosixCommDevice::HasHungUp() const { return hungUp_; }

void PosixCommDevice::DrainAbortEvent()
{
    int fd = abortFd_.load();
    if (fd < 0)
        return;
    uint64_t count = 0;
    while (::read(fd, &count, sizeof count) > 0) {}
}

// The transmit half discards only what the driver still holds: bytes of an earlier write that
// returned as sent are the peer's (see DiscardQueuedOutput). Received bytes are never flushed,
// whatever the flags: what the line delivered is always read and shown.
bool PosixCommDevice::Purge(uint32_t flags)
{
    if (fd_ < 0)
        return false;
    return !(flags & PurgeTxClear) || DiscardQueuedOutput() >= 0;
}

bool PosixCommDevice::Escape(int code)
{
    switch (code) {
    case EscapeSetRts: return DriveLine(TIOCM_RTS, true);
    case EscapeClearRts: return DriveLine(TIOCM_RTS, false);
    case EscapeSetDtr: return DriveLine(TIOCM_DTR, true);
    case EscapeClearDtr: return DriveLine(TIOCM_DTR, false);
    default: return false;
    }
}

bool PosixCommDevice::GetModemStatus(uint32_t& status)
{
    int bits = 0;
    if (fd_ < 0 || noModemLines_)
        return false;
    if (ioctl(fd_, TIOCMGET, &bits) != 0) {
        noModemLines_ = NotSupported(errno);
        return false;
    }
    status = 0;
    if (bits & TIOCM_CTS)
        status |= ModemCtsOn;
    if (bits & TIOCM_DSR)
        status |= ModemDsrOn;
    if (bits & TIOCM_RNG)
        status |= ModemRingOn;
    if (bits & TIOCM_CAR)
        status |= ModemRlsdOn;
    return true;
}

bool PosixCommDevice::ReadCounters(ErrorCounters& out) const
{
    serial_icounter_struct counts{};
    if (ioctl(fd_, TIOCGICOUNT, &counts) != 0)
        return false;
    out = {counts.frame, counts.overrun, counts.parity, counts.brk, counts.buf_overrun};
    return true;
}

bool PosixCommDevice::ClearError(uint32_t& errors, CommStatus& status)
{
    if (fd_ < 0)
        return false;
    int waiting = 0;
    if (ioctl(fd_, FIONREAD, &waiting) != 0)
        return false;
    errors = 0;
    ErrorCounters now;
    if (ReadCounters(now)) {
        if (now.frame != lastCounters_.frame)
            errors |= ErrorFrame;
        if (now.overrun != lastCounters_.overrun)
            errors |= ErrorOverrun;
        if (now.parity != lastCounters_.parity)
            errors |= ErrorParity;
        if (now.brk != lastCounters_.brk)
            errors |= ErrorBreak;
        if (now.bufferOverrun != lastCounters_.bufferOverrun)
            errors |= ErrorRxOverflow;
        lastCounters_ = now;
    } else if (!NotSupported(errno)) {
        return false;
    }
    status.inQueue = static_cast<uint32_t>(std::max(waiting, 0) + readAhead_.Count());
    status.outQueue = static_cast<uint32_t>(std::max(OutputQueued(), 0));
    return true;
}

bool PosixCommDevice::SetBreak() { return fd_ >= 0 && ioctl(fd_, TIOCSBRK) == 0; }

bool PosixCommDevice::ClearBreak() { return fd_ >= 0 && ioctl(fd_, TIOCCBRK) == 0; }

}  // namespace baudrill::platform
