#include "platform/FakeCommDevice.h"

#include <algorithm>
#include <cstring>

#include "platform/PlatformCodes.h"
#include "platform/Termios2.h"
#include "platform/TermiosIo.h"

namespace baudrill::platform {

using Lock = std::unique_lock<std::mutex>;

FakeCommDevice::FakeCommDevice(Clock& clock) : clock_(clock) {}

bool FakeCommDevice::Enter(Call call)
{
    int index = static_cast<int>(call);
    ++calls_[index];
    int& failures = failures_[index];
    if (failures == 0)
        return true;
    if (failures > 0)
        --failures;
    return false;
}

bool FakeCommDevice::Open(const char* path)
{
    Lock lock(mutex_);
    if (!Enter(Call::Open) || open_ || !path)
        return false;
    open_ = true;
    path_ = path;
    controlsApplied_ = false;
    aborted_ = false;
    hungUp_ = false;
    return true;
}

void FakeCommDevice::Close()
{
    Lock lock(mutex_);
    Enter(Call::Close);
    open_ = false;
    dtr_ = rts_ = false;
    changed_.notify_all();
}

bool FakeCommDevice::IsOpen() const
{
    Lock lock(mutex_);
    return open_;
}

bool FakeCommDevice::GetState(LineSettings& out)
{
    Lock lock(mutex_);
    if (!Enter(Call::GetState) || !open_)
        return false;
    out = state_;
    return true;
}

bool FakeCommDevice::SetState(const LineSettings& settings)
{
    Lock lock(mutex_);
    TermiosImage image;  // refuses what a real driver refuses
    if (!Enter(Call::SetState) || !open_ || !ToTermios(settings, image))
        return false;
    int effective = settings.baudRate;
    for (const auto& [requested, made] : substitutedRates_)
        if (requested == settings.baudRate)
            effective = made;
    if (!RateHonoured(image.ospeed, static_cast<uint32_t>(effective)))
        return false;
    ApplyLineControls(settings);
    state_ = settings;
    state_.baudRate = effective;
    controlsApplied_ = true;
    return true;
}

// As a driver does: a line is driven when its control changes (or first after opening), so a
// rate change leaves DTR and RTS as they were switched.
void FakeCommDevice::ApplyLineControls(const LineSettings& settings)
{
    bool first = !controlsApplied_;
    if (DrivesLine(settings.dtrControl, state_.dtrControl, first))
        dtr_ = settings.dtrControl == LineControl::Enable;
    if (DrivesLine(settings.rtsControl, state_.rtsControl, first))
        rts_ = settings.rtsControl == LineControl::Enable;
}

bool FakeCommDevice::CreateAbortEvent()
{
    Lock lock(mutex_);
    return Enter(Call::CreateAbortEvent) && open_;
}

bool FakeCommDevice::SetTimeouts(const CommTimeouts& timeouts)
{
    Lock lock(mutex_);
    if (!Enter(Call::SetTimeouts) || !open_)
        return false;
    timeouts_ = timeouts;
    return true;
}

bool FakeCommDevice::SetupQueues(int inBytes, int outBytes)
{
    Lock lock(mutex_);
    if (!Enter(Call::SetupQueues) || !open_)
        return false;
    inQueueSize_ = inBytes;
    outQueueSize_ = outBytes;
    return true;
}

bool FakeCommDevice::Arrived(const InputPart& part, uint32_t now) const
{
    return static_cast<int32_t>(now - part.at) >= 0;
}

int FakeCommDevice::ArrivedBytes(uint32_t now) const
{
    int count = 0;
    for (const InputPart& part : input_) {
        if (part.failure || !Arrived(part, now))
            break;
        count += static_cast<int>(part.bytes.size());
    }
    return count;
}

int FakeCommDevice::Read(char* buffer, int length)
{
    uint32_t now = clock_.Tick();
    Lock lock(mutex_);
    if (!Enter(Call::Read) || !open_ || hungUp_ || length < 0 || (length > 0 && !buffer))
        return -1;
    int taken = 0;
    while (taken < length && !input_.empty() && Arrived(input_.front(), now)) {
        InputPart& part = input_.front();
        if (part.failure) {
            if (taken > 0)
                break;
            input_.pop_front();
            return -1;
        }
        int n = std::min(length - taken, static_cast<int>(part.bytes.size()));
        std::memcpy(buffer + taken, part.bytes.data(), static_cast<size_t>(n));
        part.bytes.erase(0, static_cast<size_t>(n));
        taken += n;
        if (part.bytes.empty())
            input_.pop_front();
    }
    return taken;
}

int FakeCommDevice::Accept(const char* data, int length)
{
    int n = holding_ ? std::min(length, allowance_) : length;
    if (holding_)
        allowance_ -= n;
    output_.append(data, static_cast<size_t>(n));
    return n;
}

int FakeCommDevice::Write(const char* data, int length, int boundMs)
{
    Lock lock(mutex_);
    if (!Enter(Call::Write) || !open_ || hungUp_ || aborted_ || length < 0 || (length > 0 && !data))
        return -1;
    lastWriteBound_ = boundMs;
    int accepted = Accept(data, length);
    if (accepted == length)
        return length;

    uint64_t generation = ++writeGeneration_;
    boundExpired_ = false;
    TimerId timer = 0;
    if (boundMs > 0) {
        lock.unlock();
        timer = clock_.StartTimer(static_cast<unsigned>(boundMs), [this, generation] {
            Lock timerLock(mutex_);
            if (generation != writeGeneration_)
                return;
            boundExpired_ = true;
            changed_.notify_all();
        });
        lock.lock();
    }
    // Shown as held only now that its bound runs, so a test that waits for it may move time.
    writeHeld_ = true;
    changed_.notify_all();
    changed_.wait(lock, [&] { return !holding_ || aborted_ || boundExpired_ || !open_ || hungUp_; });
    if (!holding_ && !aborted_ && open_ && !hungUp_)
        accepted += Accept(data + accepted, length - accepted);
    bool abortedNow = aborted_;
    writeHeld_ = false;
    ++writeGeneration_;
    changed_.notify_all();
    lock.unlock();
    clock_.KillTimer(timer);
    if (abortedNow && accepted == 0)
        return -1;
    return accepted;
}

// Steps of 1 ms, as a driver notices input within about that: input another thread adds
// meanwhile is seen too, and each sleep stays as short as the timed loops' own pauses.
template <typename Ready>
bool FakeCommDevice::WaitInSteps(Call call, int timeoutMs, Ready ready)
{
    {
        Lock lock(mutex_);
        if (!Enter(call))
            return true;
    }
    for (int waited = 0;; ++waited) {
        uint32_t now = clock_.Tick();
        {
            Lock lock(mutex_);
            if (ready(now))
                return true;
        }
        if (timeoutMs >= 0 && waited >= timeoutMs)
            return false;
        clock_.Sleep(1);
    }
}

bool FakeCommDevice::WaitReadable(int timeoutMs)
{
    return WaitInSteps(Call::WaitReadable, timeoutMs, [&](uint32_t now) {
        return !open_ || hungUp_ || (!input_.empty() && Arrived(input_.front(), now));
    });
}

bool FakeCommDevice::WaitWritable(int timeoutMs)
{
    return WaitInSteps(Call::WaitWritable, timeoutMs,
                       [&](uint32_t) { return !open_ || hungUp_ || aborted_ || !holding_ || allowance_ > 0; });
}

void FakeCommDevice::AbortIo()
{
    Lock lock(mutex_);
    aborted_ = true;
    changed_.notify_all();
}

void FakeCommDevice::ResumeIo()
{
    Lock lock(mutex_);
    aborted_ = false;
}

bool FakeCommDevice::HasHungUp() const
{
    Lock lock(mutex_);
    return hungUp_;
}

// As the real device: the flags are recorded, received bytes stay (a write here never holds
// output once it has returned).
bool FakeCommDevice::Purge(uint32_t flags)
{
    Lock lock(mutex_);
    if (!Enter(Call::Purge) || !open_)
        return false;
    lastPurgeFlags_ = flags;
    return true;
}

bool FakeCommDevice::Escape(int code)
{
    Lock lock(mutex_);
    if (!Enter(Call::Escape) || !open_)
        return false;
    switch (code) {
    case EscapeSetRts: rts_ = true; return true;
    case EscapeClearRts: rts_ = false; return true;
    case EscapeSetDtr: dtr_ = true; return true;
    case EscapeClearDtr: dtr_ = false; return true;
    default: return false;
    }
}

bool FakeCommDevice::GetModemStatus(uint32_t& status)
{
    Lock lock(mutex_);
    if (!Enter(Call::GetModemStatus) || !open_)
        return false;
    status = modemStatus_;
    return true;
}

bool FakeCommDevice::ClearError(uint32_t& errors, CommStatus& status)
{
    uint32_t now = clock_.Tick();
    Lock lock(mutex_);
    if (!Enter(Call::ClearError) || !open_)
        return false;
    errors = pendingErrors_;
    pendingErrors_ = 0;
    status.inQueue = static_cast<uint32_t>(ArrivedBytes(now));
    status.outQueue = 0;
    return true;
}

bool FakeCommDevice::SetBreak()
{
    uint32_t now = clock_.Tick();
    Lock lock(mutex_);
    if (!Enter(Call::SetBreak) || !open_)
        return false;
    if (!breakOn_)
        breaks_.push_back({now, now});
    breakOn_ = true;
    return true;
}

bool FakeCommDevice::ClearBreak()
{
    uint32_t now = clock_.Tick();
    Lock lock(mutex_);
    if (!Enter(Call::ClearBreak) || !open_)
        return false;
    if (breakOn_)
        breaks_.back().clearTick = now;
    breakOn_ = false;
    return true;
}

void FakeCommDevice::AddInput(std::string_view bytes, uint32_t delayMs)
{
    uint32_t at = clock_.Tick() + delayMs;
    Lock lock(mutex_);
    input_.push_back({at, std::string(bytes), false});
}

void FakeCommDevice::AddReadFailure(uint32_t delayMs)
{
    uint32_t at = clock_.Tick() + delayMs;
    Lock lock(mutex_);
    input_.push_back({at, {}, true});
}

void FakeCommDevice::HangUp()
{
    Lock lock(mutex_);
    hungUp_ = true;
    changed_.notify_all();  // a held write fails as the line goes
}

void FakeCommDevice::HoldWrites(int acceptFirst)
{
    Lock lock(mutex_);
    holding_ = true;
    allowance_ = std::max(acceptFirst, 0);
}

void FakeCommDevice::ReleaseWrites()
{
    Lock lock(mutex_);
    holding_ = false;
    changed_.notify_all();
}

void FakeCommDevice::SubstituteRate(int requested, int effective)
{
    Lock lock(mutex_);
    substitutedRates_.emplace_back(requested, effective);
}

void FakeCommDevice::SetModemStatus(uint32_t modemBits)
{
    Lock lock(mutex_);
    modemStatus_ = modemBits;
}

void FakeCommDevice::AddErrors(uint32_t errorBits)
{
    Lock lock(mutex_);
    pendingErrors_ |= errorBits;
}

void FakeCommDevice::FailCall(Call call, int times)
{
    Lock lock(mutex_);
    failures_[static_cast<int>(call)] = times < 0 ? -1 : times;
}

void FakeCommDevice::ClearFailures()
{
    Lock lock(mutex_);
    failures_.fill(0);
}

std::string FakeCommDevice::Output() const
{
    Lock lock(mutex_);
    return output_;
}

std::string FakeCommDevice::TakeOutput()
{
    Lock lock(mutex_);
    std::string taken;
    taken.swap(output_);
    return taken;
}

bool FakeCommDevice::WriteIsHeld() const
{
    Lock lock(mutex_);
    return writeHeld_;
}

bool FakeCommDevice::WaitForHeldWrite(std::chrono::milliseconds limit) const
{
    Lock lock(mutex_);
    return changed_.wait_for(lock, limit, [&] { return writeHeld_; });
}

int FakeCommDevice::CallCount(Call call) const
{
    Lock lock(mutex_);
    return calls_[static_cast<int>(call)];
}

int FakeCommDevice::TotalCalls() const
{
    Lock lock(mutex_);
    int total = 0;
    for (int n : calls_)
        total += n;
    return total;
}

std::string FakeCommDevice::OpenedPath() const
{
    Lock lock(mutex_);
    return path_;
}

LineSettings FakeCommDevice::State() const
{
    Lock lock(mutex_);
    return state_;
}

CommTimeouts FakeCommDevice::Timeouts() const
{
    Lock lock(mutex_);
    return timeouts_;
}

int FakeCommDevice::InQueueSize() const
{
    Lock lock(mutex_);
    return inQueueSize_;
}

int FakeCommDevice::OutQueueSize() const
{
    Lock lock(mutex_);
    return outQueueSize_;
}

uint32_t FakeCommDevice::LastPurgeFlags() const
{
    Lock lock(mutex_);
    return lastPurgeFlags_;
}

int FakeCommDevice::LastWriteBound() const
{
    Lock lock(mutex_);
    return lastWriteBound_;
}

int FakeCommDevice::InputWaiting() const
{
    uint32_t now = clock_.Tick();
    Lock lock(mutex_);
    return ArrivedBytes(now);
}

bool FakeCommDevice::Dtr() const
{
    Lock lock(mutex_);
    return dtr_;
}

bool FakeCommDevice::Rts() const
{
    Lock lock(mutex_);
    return rts_;
}

bool FakeCommDevice::BreakOn() const
{
    Lock lock(mutex_);
    return breakOn_;
}

bool FakeCommDevice::IsAborted() const
{
    Lock lock(mutex_);
    return aborted_;
}

std::vector<FakeCommDevice::BreakPulse> FakeCommDevice::Breaks() const
{
    Lock lock(mutex_);
    return breaks_;
}

}  // namespace baudrill::platform
