#include "monitor/threads/SThread.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "platform/TickCount.h"
#include "serial/LineFlags.h"

namespace baudrill {

namespace {

constexpr int ClosedPauseMs = 100;
constexpr int QuietPauseMs = 50;
constexpr int PauseStepMs = 10;  // how soon a pausing worker notices that it is to stop
constexpr int BaudReadTimeoutMs = 4;

int LengthOf(const std::string& bytes) { return static_cast<int>(std::min<std::size_t>(bytes.size(), INT_MAX)); }

}  // namespace

SThread::Notifier::Notifier() : CallbackQueue(QueueBound) {}

SThread::SThread(SerialPort* port, Notifier* notifier, int readTimeoutMs)
    : notifier(notifier), port(port), readTimeout(readTimeoutMs)
{
    thread = std::thread(&SThread::RunLoop, this);
}

SThread::~SThread()
{
    open = false;
    stop = true;
    port->AbortIo();
    thread.join();
    std::lock_guard guard(lock);
    port->ResumeIo();  // the abort has been served; leave the port as it was
}

unsigned SThread::Send(std::string bytes)
{
    std::lock_guard guard(lock);
    command = Command::SendOnce;
    period = 0;
    data = std::move(bytes);
    return ++sends;
}

unsigned SThread::SendRepeat(int periodMs, std::string bytes)
{
    std::lock_guard guard(lock);
    command = Command::SendRepeatedly;
    period = periodMs;
    data = std::move(bytes);
    return ++sends;
}

void SThread::Stop()
{
    port->AbortIo();  // a write held by flow control would keep the lock
    std::lock_guard guard(lock);
    EndSend();
    port->ResumeIo();
}

// Under the lock.
void SThread::EndSend()
{
    command = Command::Read;
    period = 0;
    data.clear();
    notifier->Post(&Notifier::OnSendDone, sends);
}

int SThread::SetBaudRate(int rate)
{
    std::lock_guard guard(lock);
    readTimeout = BaudReadTimeoutMs;
    if (!open)
        return -1;
    return IsStandardBaud(rate) ? port->SetStandardBaud(rate) : port->SetAnyBaud(rate);
}

void SThread::SetLineState(int lines)
{
    std::lock_guard guard(lock);
    if (!open)
        return;
    for (int line : {LineFlags::Dtr, LineFlags::Rts}) {
        if (lines & line)
            port->RaiseLines(line);
        else
            port->LowerLines(line);
    }
}

bool SThread::IsStandardBaud(int rate)
{
    switch (rate) {
    case 9600:
    case 19200:
    case 38400:
    case 57600:
    case 115200: return true;
    default: return false;
    }
}

int SThread::WriteTimeoutMs(int length) { return std::max(length, MinWriteTimeoutMs); }

std::unique_lock<std::mutex> SThread::LockPort() { return std::unique_lock(lock); }

void SThread::SetOpen(bool isOpen)
{
    open = isOpen;
    hungUp = false;  // a device opened again is a new one
    if (isOpen)
        return;
    // Closing ends a send: it must not start again by itself when the device is opened again.
    ++closings;
    if (command != Command::Read)
        EndSend();
}

void SThread::AbortWrite() { port->AbortIo(); }

void SThread::ClosePort()
{
    AbortWrite();
    std::lock_guard guard(lock);
    SetOpen(false);
    port->Close();
}

uint32_t SThread::Tick() { return port->GetClock().Tick(); }

void SThread::Pause(int ms)
{
    platform::Clock& clock = port->GetClock();
    for (int left = ms; left > 0 && !stop; left -= PauseStepMs)
        clock.Sleep(std::min(left, PauseStepMs));
}

void SThread::RunLoop()
{
    bool newRow = true;
    while (!stop) {
        // A device that hung up is left alone, as a closed one, until its owner closes it.
        if (!Usable()) {
            Pause(ClosedPauseMs);
            continue;
        }
        Command current;
        {
            std::lock_guard guard(lock);
            if (!Usable())
                continue;
            PollLines();
            current = command;
        }
        if (current != Command::Read)
            WriteTurn(current, newRow);
        else if (ReadAndPost(newRow) == ReadResult::Quiet)
            Pause(QuietPauseMs);
        ReportHangUp();
    }
}

// Under the lock. A failed reading (-1) is compared like any other value.
void SThread::PollLines()
{
    int lines = port->GetInputLines();
    if (lines == lastLines)
        return;
    lastLines = lines;
    notifier->OnLineStatus(lines);
}

std::optional<int> SThread::PollRead(bool& newRow)
{
    std::lock_guard guard(lock);
    if (!Usable())
        return std::nullopt;
    NoteReopen(newRow);
    int n = port->ReadTimed(readBuffer.data(), ReadBufferSize, readTimeout);
    NoteHangUp();
    return n;
}

// A failed read counts as a quiet read. Bytes read before the device went are posted, and
// its row ends: whatever comes after a reopen is another burst.
SThread::ReadResult SThread::ReadAndPost(bool& newRow)
{
    std::optional<int> n = PollRead(newRow);
    if (!n)
        return ReadResult::Closed;
    if (*n > 0)
        PostReceive(std::string(readBuffer.data(), static_cast<std::size_t>(*n)), Tick(), newRow);
    if (*n == 0 || hungUp)
        newRow = true;
    if (hungUp)
        return ReadResult::Closed;
    return *n > 0 ? ReadResult::Delivered : ReadResult::Quiet;
}

// The reads before a close need not have been quiet, yet what is read after the device was
// opened again is another burst: it must not join the row of before the close.
void SThread::NoteReopen(bool& newRow)
{
    if (closings == closingsSeen)
        return;
    closingsSeen = closings;
    newRow = true;
}

void SThread::NoteHangUp()
{
    if (hungUp || !port->HasHungUp())
        return;
    hungUp = true;
    hangUpToReport = true;
}

// After the turn's own posts, so the owner has every byte read before it closes the device.
void SThread::ReportHangUp()
{
    if (!std::exchange(hangUpToReport, false))
        return;
    notifier->Post(&Notifier::OnHangUp);
}

// Reads that do not wait, until the driver holds nothing more. The write keeps received bytes,
// but a write ends the received row: what arrived before it belongs in the row before the sent
// one, and bytes left behind would be posted after it. Not capped, for the same reason; no
// serial line delivers faster than these reads take it, so the drain ends soon.
std::string SThread::DrainInput()
{
    std::string waiting;
    for (;;) {
        int n = port->Read(readBuffer.data(), ReadBufferSize);
        if (n <= 0)
            break;
        waiting.append(readBuffer.data(), static_cast<std::size_t>(n));
        if (n < ReadBufferSize)
            break;
    }
    return waiting;
}

std::optional<SThread::WriteStep> SThread::WriteData(Command current, bool& newRow)
{
    std::lock_guard guard(lock);
    // A command handed over since the turn took its command replaces it; the next turn runs it.
    if (!Usable() || command != current)
        return std::nullopt;
    NoteReopen(newRow);
    WriteStep step;
    step.period = period;
    step.send = sends;
    step.closings = closings;
    // What arrived before the write is posted before the sent row.
    step.waiting = DrainInput();
    step.waitingTick = Tick();
    int length = LengthOf(data);
    int written = port->WriteTimed(data.data(), length, WriteTimeoutMs(length));
    if (current == Command::SendOnce)
        command = Command::Read;
    if (written > 0)
        step.sent = data.substr(0, static_cast<std::size_t>(written));
    NoteHangUp();
    return step;
}

void SThread::PostWriteStep(WriteStep& step, bool& newRow)
{
    if (!step.waiting.empty())
        PostReceive(std::move(step.waiting), step.waitingTick, newRow);
    if (!step.sent.empty())
        notifier->Post(&Notifier::OnSent, std::move(step.sent), Tick());
    newRow = true;
}

void SThread::PostReceive(std::string bytes, uint32_t tick, bool& newRow)
{
    notifier->Post(&Notifier::OnReceive, std::move(bytes), tick, newRow);
    newRow = false;
}

// A single send writes once and reports that it is done; a repeated send writes, then reads
// as plain reading does until the period has passed since the write began.
void SThread::WriteTurn(Command current, bool& newRow)
{
    const uint32_t start = Tick();
    std::optional<WriteStep> step = WriteData(current, newRow);
    if (!step)
        return;
    const int periodMs = step->period;
    PostWriteStep(*step, newRow);
    if (current == Command::SendOnce)
        notifier->Post(&Notifier::OnSendDone, step->send);
    else
        FinishPeriod(start, periodMs, step->closings, newRow);
}

// Replies get rows with the time they came: the period is spent in poll reads, with the quiet
// pause after each quiet read, cut short where the period ends. Ends early only when the thread
// is to stop or the device has been closed (which ended the send) or has gone; a Stop takes
// effect when the period has passed.
void SThread::FinishPeriod(uint32_t start, int periodMs, unsigned closedBefore, bool& newRow)
{
    auto left = [&] {
        return static_cast<int64_t>(periodMs) - static_cast<int64_t>(platform::TicksBetween(start, Tick()));
    };
    while (!stop && closings == closedBefore && left() > 0) {
        ReadResult read = ReadAndPost(newRow);
        if (read == ReadResult::Closed)
            return;
        if (read == ReadResult::Quiet) {
            const int64_t rest = left();
            if (rest > 0)
                Pause(static_cast<int>(std::min<int64_t>(rest, QuietPauseMs)));
        }
    }
}

}  // namespace baudrill
