#include "serial/SerialPort.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/PlatformCodes.h"
#include "platform/PosixCommDevice.h"
#include "serial/ControlCode.h"
#include "serial/LineFlags.h"
#include "serial/LineSettingsFor.h"

namespace baudrill {

namespace pf = platform;

namespace {

constexpr int QueueSize = 4096;
constexpr int BreakUnitMs = 250;

}  // namespace

bool SerialPort::IsStandardRate(int rate)
{
    return std::find(StandardRates.begin(), StandardRates.end(), rate) != StandardRates.end();
}

SerialPort::SerialPort() : SerialPort(std::make_unique<pf::PosixCommDevice>()) {}

SerialPort::SerialPort(std::unique_ptr<pf::CommDevice> device, pf::Clock& clock)
    : SerialPortBase(clock), device(std::move(device))
{
}

SerialPort::~SerialPort() { SerialPort::Close(); }

int SerialPort::Open(const char* name, const SerialSettings* newSettings)
{
    if (device->IsOpen())
        return OpenResult::CannotOpen;
    if (newSettings)
        settings = *newSettings;
    if (!name || !device->Open(name))
        return OpenResult::CannotOpen;
    std::strncpy(deviceName, name, sizeof deviceName - 1);
    deviceName[sizeof deviceName - 1] = 0;
    lineState = settings.rtsCts ? LineFlags::Dtr : LineFlags::Dtr | LineFlags::Rts;
    if (!device->SetState(LineSettingsFor(settings)))
        return OpenResult::SettingsRefused;
    if (!device->CreateAbortEvent())
        return OpenResult::NoAbortEvent;
    if (!device->SetTimeouts(pf::CommTimeouts{}))
        return OpenResult::TimeoutsRefused;
    if (!device->SetupQueues(QueueSize, QueueSize))
        return OpenResult::QueueSizesRefused;
    errorCounts = {};
    return OpenResult::Opened;
}

int SerialPort::Close()
{
    if (device->IsOpen())
        device->Close();
    return 0;
}

bool SerialPort::IsOpen() { return device->IsOpen(); }

int SerialPort::Read(char* buffer, int length)
{
    if (length < 0 || (length > 0 && !buffer))
        return -1;
    if (length == 0)
        return 0;
    int taken = PutBack().PopBytes(buffer, length);
    if (taken == length)
        return taken;
    int n = device->Read(buffer + taken, length - taken);
    if (n < 0)
        return taken > 0 ? taken : -1;
    return taken + n;
}

int SerialPort::Write(const char* data, int length)
{
    if (length < 0 || (length > 0 && !data))
        return -1;
    int bound = pf::WriteBoundMs(length, LineSettingsFor(settings), writeBound);
    return device->Write(data, length, bound);
}

// Only output not yet sent: received bytes are never discarded, so what arrives while a write
// is prepared reaches the next read.
int SerialPort::DiscardBuffers() { return device->Purge(pf::PurgeTxClear) ? 1 : 0; }

bool SerialPort::WaitReadable(int ms) { return PutBack().Count() > 0 || device->WaitReadable(ms); }

bool SerialPort::WaitWritable(int ms) { return device->WaitWritable(ms); }

void SerialPort::AbortIo() { device->AbortIo(); }

void SerialPort::ResumeIo() { device->ResumeIo(); }

int SerialPort::DriveLines(int lines, LineAction action)
{
    struct Line {
        int bit, setCode, clearCode;
    };
    static constexpr Line Lines[] = {
        {LineFlags::Dtr, pf::EscapeSetDtr, pf::EscapeClearDtr},
        {LineFlags::Rts, pf::EscapeSetRts, pf::EscapeClearRts},
    };
    bool named = false;
    bool failed = false;
    for (const Line& line : Lines) {
        if (!(lines & line.bit))
            continue;
        named = true;
        bool raise = action == LineAction::Raise || (action == LineAction::Toggle && !(lineState & line.bit));
        if (!device->Escape(raise ? line.setCode : line.clearCode))
            failed = true;
        lineState = raise ? (lineState | line.bit) : (lineState & ~line.bit);
    }
    return named && !failed ? 0 : -1;
}

int SerialPort::ToggleLines(int lines) { return DriveLines(lines, LineAction::Toggle); }
int SerialPort::LowerLines(int lines) { return DriveLines(lines, LineAction::Lower); }
int SerialPort::RaiseLines(int lines) { return DriveLines(lines, LineAction::Raise); }

int SerialPort::GetInputLines()
{
    uint32_t status = 0;
    if (!device->GetModemStatus(status))
        return -1;
    int lines = 0;
    if (status & pf::ModemCtsOn)
        lines |= LineFlags::Cts;
    if (status & pf::ModemDsrOn)
        lines |= LineFlags::Dsr;
    if (status & pf::ModemRingOn)
        lines |= LineFlags::Ring;
    if (status & pf::ModemRlsdOn)
        lines |= LineFlags::Dcd;
    return lines;
}

// Every query clears the driver's error state, so whatever it reports is counted, whichever
// code asked.
void SerialPort::CountErrors(uint32_t errorBits)
{
    if (errorBits & pf::ErrorBreak)
        ++errorCounts.breaks;
    if (errorBits & pf::ErrorFrame)
        ++errorCounts.framing;
    if (errorBits & pf::ErrorOverrun)
        ++errorCounts.overrun;
    if (errorBits & pf::ErrorParity)
        ++errorCounts.parity;
}

int SerialPort::Control(int code, void* out)
{
    if (code == SendBreak)
        return PulseBreak(0);
    if (code < GetErrorCounts || code > GetInputQueue || !out)
        return -1;
    uint32_t errors = 0;
    pf::CommStatus status;
    if (!device->ClearError(errors, status))
        return -1;
    CountErrors(errors);
    auto flag = [&](uint32_t bit) { return (errors & bit) ? 1 : 0; };
    switch (code) {
    case GetErrorCounts: *static_cast<LineErrorCounts*>(out) = errorCounts; break;
    case GetBreakFlag: *static_cast<int*>(out) = flag(pf::ErrorBreak); break;
    case GetFramingFlag: *static_cast<int*>(out) = flag(pf::ErrorFrame); break;
    case GetOverrunFlag: *static_cast<int*>(out) = flag(pf::ErrorOverrun); break;
    case GetParityFlag: *static_cast<int*>(out) = flag(pf::ErrorParity); break;
    default: *static_cast<int*>(out) = static_cast<int>(std::min<uint32_t>(status.inQueue, INT_MAX)); break;
    }
    return 0;
}

int SerialPort::PulseBreak(int n)
{
    if (!device->SetBreak())
        return -1;
    GetClock().Sleep(std::clamp(n, 1, INT_MAX / BreakUnitMs) * BreakUnitMs);
    return device->ClearBreak() ? 0 : -1;
}

int SerialPort::ChangeBaud(int rate)
{
    pf::LineSettings line;
    if (rate <= 0 || !device->GetState(line))
        return -1;
    line.baudRate = rate;
    if (!device->SetState(line))
        return -1;
    settings.baud = rate;
    return 0;
}

int SerialPort::SetStandardBaud(int rate) { return IsStandardRate(rate) ? ChangeBaud(rate) : -1; }

int SerialPort::SetAnyBaud(int rate) { return ChangeBaud(rate); }

}  // namespace baudrill
