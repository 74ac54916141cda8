#pragma once

#include <array>
#include <memory>

#include "platform/CommDevice.h"
#include "platform/WriteBound.h"
#include "serial/LineErrorCounts.h"
#include "serial/SerialPortBase.h"

namespace baudrill {

// What SerialPort::Open returns; there is no -4. After SettingsRefused to QueueSizesRefused the
// device is held (IsOpen) until Close.
struct OpenResult {
    static constexpr int Opened = 0;
    static constexpr int CannotOpen = -1;  // also when the port is already open: nothing changes
    static constexpr int SettingsRefused = -2;
    static constexpr int NoAbortEvent = -3;
    static constexpr int TimeoutsRefused = -5;
    static constexpr int QueueSizesRefused = -6;
};

// A serial port on a comm device: the POSIX device by default, any other (a fake in tests) when
// given. Keeps no lock: its owner serialises every call, except AbortIo, which any thread may
// call while a Write waits.
class SerialPort : public SerialPortBase {
public:
    static constexpr std::array<int, 11> StandardRates = {1200,  2400,   4800,   9600,   19200, 38400,
                                                          57600, 115200, 230400, 460800, 921600};
    static bool IsStandardRate(int rate);

    SerialPort();
    explicit SerialPort(std::unique_ptr<platform::CommDevice> device,
                        platform::Clock& clock = platform::SystemClock::Instance());
    ~SerialPort() override;

    int Close() override;
    // One of OpenResult's codes.
    int Open(const char* deviceName, const SerialSettings* settings) override;
    int Control(int code, void* out) override;
    bool IsOpen() override;
    // Put-back bytes first, then what the driver holds. Put-back bytes taken are returned even
    // when the driver read then fails; the failure shows on the next call. -1 for a null buffer
    // or a negative length.
    int Read(char* buffer, int length) override;
    // One write, bounded (see SetWriteBound): the bytes actually sent, -1 on failure or abort.
    int Write(const char* data, int length) override;
    int DiscardBuffers() override;
    // On the device: until bytes arrive (put-back bytes are there at once) or the line could
    // take more output, or the device fails; a wait for room ends at once on AbortIo.
    bool WaitReadable(int ms) override;
    bool WaitWritable(int ms) override;
    int ToggleLines(int lines) override;
    int LowerLines(int lines) override;
    int GetInputLines() override;
    int PulseBreak(int n) override;
    int SetStandardBaud(int rate) override;
    int SetAnyBaud(int rate) override;
    int RaiseLines(int lines) override;

    // Wakes a waiting Write at once and fails every write until ResumeIo or the next Open.
    // Safe from any thread. Call it before taking the lock that the waiting writer holds.
    void AbortIo();
    // Ends AbortIo's effect; call it under the owner's lock, once the abort has been served.
    void ResumeIo();
    // True once a read or write has found the device gone (hung up), until the next Open: a
    // failure that trying again will not mend.
    bool HasHungUp() const { return device->HasHungUp(); }

    void SetWriteBound(const platform::WriteBoundPolicy& policy) { writeBound = policy; }
    const platform::WriteBoundPolicy& WriteBound() const { return writeBound; }
    int LineState() const { return lineState; }
    const LineErrorCounts& ErrorCounts() const { return errorCounts; }

private:
    enum class LineAction { Raise, Lower, Toggle };
    int DriveLines(int lines, LineAction action);
    int ChangeBaud(int rate);
    void CountErrors(uint32_t errorBits);

    std::unique_ptr<platform::CommDevice> device;
    LineErrorCounts errorCounts;
    int lineState = 0;
    platform::WriteBoundPolicy writeBound;
};

}  // namespace baudrill
