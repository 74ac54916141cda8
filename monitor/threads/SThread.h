#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "monitor/threads/CallbackQueue.h"
#include "serial/SerialPort.h"

namespace baudrill {

// The worker of one port: on a thread of its own it polls the device for received bytes,
// writes the blocks handed to it once or repeatedly, and watches the modem input lines. It
// touches the port only under its lock and only while the owner has marked the device open.
// Received bytes, sent blocks, the end of a send and a device that went away are posted into
// the owner's queue; line changes are reported by a direct call, inside the lock.
class SThread {
public:
    // How a worker reports to its port; the port is this queue, emptied by the GUI thread.
    class Notifier : public CallbackQueue {
    public:
        Notifier();

        // Posted: bytes read, the tick count after the read, whether they start a new row.
        virtual void OnReceive(std::string bytes, uint32_t tick, bool newRow) = 0;
        // Posted: the bytes a write actually sent, the tick count after the write.
        virtual void OnSent(std::string bytes, uint32_t tick) = 0;
        // Called on the worker thread, inside the worker's lock: the input lines changed
        // (LineFlags; -1 when they could not be read).
        virtual void OnLineStatus(int lines) = 0;
        // Posted: a single send has finished, or a send was stopped or ended by closing. `send`
        // is the number Send or SendRepeat gave it (a stop while idle: the last one's), so the
        // owner can tell the end of an older send from that of the one it started since.
        virtual void OnSendDone(unsigned send) = 0;
        // Posted once the device has hung up (a read or write found it gone). The worker then
        // leaves it alone until the owner has closed it and opened it again.
        virtual void OnHangUp() = 0;
    };

    static constexpr int ReadBufferSize = 1024;
    static constexpr int MinWriteTimeoutMs = 300;

    // Starts the thread at once; it idles until the owner marks the device open.
    SThread(SerialPort* port, Notifier* notifier, int readTimeoutMs);
    // Frees a held write, then ends the thread; returns when the current read, write or short
    // sleep has ended. Nothing is posted after it.
    ~SThread();
    SThread(const SThread&) = delete;
    SThread& operator=(const SThread&) = delete;

    // Each returns the number of the send it hands over (counting from 1).
    unsigned Send(std::string bytes);
    unsigned SendRepeat(int periodMs, std::string bytes);
    // Ends any send (a held write is freed first) and posts OnSendDone, also when idle.
    void Stop();
    // 0, or -1 when the device refuses the rate or is closed.
    int SetBaudRate(int rate);
    // Drives DTR (0x002) and RTS (0x004) to the state of those bits; nothing while closed.
    void SetLineState(int lines);

    static bool IsStandardBaud(int rate);
    static int WriteTimeoutMs(int length);

    // For the owner, which opens and closes the device under the worker's lock:
    // LockPort, Open the port, SetOpen(true) on success; to close, ClosePort (or AbortWrite,
    // then LockPort, SetOpen(false) and Close the port).
    [[nodiscard]] std::unique_lock<std::mutex> LockPort();
    // Under LockPort. Marking the device closed ends a running or pending send (posting
    // OnSendDone, as Stop does), so that it does not resume when the device is opened again.
    void SetOpen(bool isOpen);
    bool IsOpen() const { return open.load(); }
    // The device hung up since it was last marked open (OnHangUp was or is being posted).
    bool HasHungUp() const { return hungUp.load(); }
    // Any thread: frees a write that flow control holds, so that LockPort returns soon.
    void AbortWrite();
    void ClosePort();

private:
    enum class Command { Read, SendOnce, SendRepeatedly };

    // What one locked write step did.
    struct WriteStep {
        std::string waiting;  // read just before the write: it is posted before the sent row
        uint32_t waitingTick = 0;
        std::string sent;
        int period = 0;
        unsigned send = 0;
        unsigned closings = 0;  // of the device, up to the write
    };

    enum class ReadResult { Closed, Delivered, Quiet };

    void RunLoop();
    // Open and not hung up: the worker may call the port.
    bool Usable() const { return open && !hungUp; }
    void PollLines();
    // One poll read; what arrived is posted, a quiet read ends the row.
    ReadResult ReadAndPost(bool& newRow);
    void WriteTurn(Command current, bool& newRow);
    // The rest of a repeat period that began at `start`.
    void FinishPeriod(uint32_t start, int periodMs, unsigned closedBefore, bool& newRow);
    void EndSend();
    // The locked steps; nullopt when the device was closed or gone meanwhile, or (a write) when
    // another command was handed over since the turn began: nothing done.
    // Both start a new row when the device was closed since the worker last used it.
    std::optional<int> PollRead(bool& newRow);
    std::optional<WriteStep> WriteData(Command current, bool& newRow);
    // Under the lock: a device closed (and opened again) since the last read or write ends
    // the row.
    void NoteReopen(bool& newRow);
    // Under the lock, after a port call: notes a hang-up that call found.
    void NoteHangUp();
    void ReportHangUp();
    std::string DrainInput();
    void PostWriteStep(WriteStep& step, bool& newRow);
    void PostReceive(std::string bytes, uint32_t tick, bool& newRow);
    // Sleeps on the port's clock in short steps, ending early when the thread is to stop.
    void Pause(int ms);
    uint32_t Tick();

    Notifier* notifier;
    Command command = Command::Read;
    int period = 0;
    std::string data;
    SerialPort* port;
    int readTimeout;
    std::mutex lock;
    std::atomic<bool> open{false};
    std::atomic<bool> stop{false};
    std::atomic<unsigned> closings{0};  // how often the device was marked closed
    unsigned closingsSeen = 0;          // `closings` at the worker's last read or write; under the lock
    // The device hung up since the owner last marked it open; set under the lock.
    std::atomic<bool> hungUp{false};
    bool hangUpToReport = false;  // worker thread only
    unsigned sends = 0;           // the number of the send handed over last; under the lock
    std::array<char, ReadBufferSize> readBuffer{};
    int lastLines = -1;
    std::thread thread;  // last, so it starts with every other member ready
};

}  // namespace baudrill
