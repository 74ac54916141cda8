#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "grammar/Uuid.h"
#include "grammar/Value.h"
#include "monitor/grid/view/CellDisplay.h"
#include "monitor/threads/SThread.h"
#include "monitor/traffic/LogLine.h"
#include "monitor/traffic/RowDecoder.h"
#include "monitor/send/SendMode.h"
#include "monitor/send/SendSlot.h"
#include "serial/SerialPort.h"
#include "serial/SerialSettings.h"

class QObject;
class QPoint;

namespace baudrill {

class MainGUI;
class SerPortCtrl;
class SettingsStream;
class WithAsciiLayout;
class WithHexLayout;
class WithProtoLayout;
class WithSendLayout;
class WithSettingsLayout;

// One port tab: the serial device, the worker that reads and writes it, the traffic log and
// the send slots. The port is also the queue its worker posts into; the main window empties
// it on the GUI thread. The panes and the log grid are shared by every port and owned by the
// main window: only the shown port (`active`) binds its handlers to them and fills them.
//
// The member code is split by concern: SerPort.cpp (device, settings pane, line display,
// Activate), SerPortTraffic.cpp (rows, decoding, answers), SerPortGrid.cpp (log grid),
// SerPortSend.cpp (send panes), SerPortSettings.cpp (settings file).
class SerPort : public SThread::Notifier {
public:
    // Device states.
    enum DeviceState { StateOpen = 0, StateClosed = 1, StateOpening = 2 };
    // Send modes.
    using Mode = SendMode;
    using enum SendMode;

    // The cell displays of the log grid; each looks its rows up in the port.
    class Column0Display final : public CellDisplay {  // direction
    public:
        explicit Column0Display(const SerPort* port) : port(port) {}
        void Paint(QPainter& painter, const QRect& cell, int row, const QColor& ink, const QColor& paper,
                   unsigned style) const override;

    private:
        const SerPort* port;
    };
    class Column1Display final : public CellDisplay {  // time
    public:
        explicit Column1Display(const SerPort* port) : port(port) {}
        void Paint(QPainter& painter, const QRect& cell, int row, const QColor& ink, const QColor& paper,
                   unsigned style) const override;

    private:
        const SerPort* port;
    };
    class Column2Display final : public CellDisplay {  // protocol and values
    public:
        explicit Column2Display(const SerPort* port) : port(port) {}
        void Paint(QPainter& painter, const QRect& cell, int row, const QColor& ink, const QColor& paper,
                   unsigned style) const override;

    private:
        const SerPort* port;
    };
    class Column3Display final : public CellDisplay {  // dump
    public:
        explicit Column3Display(const SerPort* port) : port(port) {}
        void Paint(QPainter& painter, const QRect& cell, int row, const QColor& ink, const QColor& paper,
                   unsigned style) const override;

    private:
        const SerPort* port;
    };

    struct Hover {
        int row = -1;
        int line = -1;
        int byte = -1;
    };

    // Opens the device at once; one that cannot be opened leaves a closed port.
    SerPort(std::string deviceName, MainGUI* gui, SerPortCtrl* grid, WithSettingsLayout* settingsPane,
            WithSendLayout* sendPane, WithProtoLayout* protoPane, WithAsciiLayout* asciiPane, WithHexLayout* hexPane);
    // The same on a given device object (tests use a fake device and clock).
    SerPort(std::unique_ptr<SerialPort> device, std::string deviceName, MainGUI* gui, SerPortCtrl* grid,
            WithSettingsLayout* settingsPane, WithSendLayout* sendPane, WithProtoLayout* protoPane,
            WithAsciiLayout* asciiPane, WithHexLayout* hexPane);
    ~SerPort() override;

    // --- Device, settings pane, line display (SerPort.cpp) ---
    bool Open();
    bool Close();  // always true
    // Makes the shared controls show this port and binds its handlers to them, replacing
    // those of the port shown before.
    void Activate();
    void OnStatusButton();
    void OnBaud();
    void OnParity(int value);
    void OnWordLength(int value);
    void OnStopBits(int value);
    void OnFlow();
    void OnFlowNone();
    void OnLines();
    void ShowSettings();
    void ShowFlow();
    void ShowLineStatus();
    // Worker thread, inside the worker's lock.
    void OnLineStatus(int lines) override;
    // Only the end of the send started last counts: that of one it replaced is passed over.
    void OnSendDone(unsigned send) override;
    // The device went away: closed as switching it off does, shown as a failed open.
    void OnHangUp() override;

    // --- Traffic rows, decoding, automatic answers (SerPortTraffic.cpp) ---
    void OnReceive(std::string bytes, uint32_t tick, bool newRow) override;
    void OnSent(std::string bytes, uint32_t tick) override;
    // Hands the unlogged rows (the tail of `rows`) to the log writer.
    void FlushLog();
    void ScheduleAnswer(std::vector<Value> values, Uuid answerId, int delayMs);
    void SendAnswer(std::vector<Value> values, Uuid answerId);
    // Set by the destructor once the worker has ended: the notifications still queued add and
    // log their rows, but nothing is shown and no answer is sent.
    bool closing = false;

    // --- Log grid (SerPortGrid.cpp) ---
    void RefreshGrid(bool all);
    void UpdateBytesPerRow(bool all);
    void RowHeight(int i, bool keep);
    void OnGridLayout();
    void OnGridHeaderLayout();
    void OnGridMouseMove(QPoint p, uint32_t keyFlags);
    void ClearLog();

    // --- Send panes and send button (SerPortSend.cpp) ---
    void UpdateSend(bool loadEntry);
    void OnAsciiEntry();
    void OnHexEntry();
    void OnProtoEntry();
    void OnAsciiOptions();
    void OnProtoOptions();
    void OnAnswerOption();
    void OnAnswerDelay();
    void OnProtoSelect();
    void OnAnswerProtoSelect();
    void OnRepeat();
    void OnRepeatPeriod();
    // The kinds of file attached: its bytes as ASCII entry text or as HEX entry text.
    static constexpr int AttachAscii = 0;
    static constexpr int AttachHex = 1;
    void AttachFile(int kind);
    // Appends the entry text that stands for `bytes` to the ASCII or HEX slot of the current
    // profile, whatever the mode, and shows it: the file's part of AttachFile.
    void AttachBytes(int kind, std::string_view bytes);
    void OnSendButton();
    void SendNow();
    // Hands `output` to the worker when the device is open and there is something to send;
    // touches the button and the panes only when this port is the shown one.
    void StartSend();
    void ProtocolsChanged();
    // The slot of the current mode and profile; the current PROTO slot.
    SendSlot& CurrentSlot();
    SendSlot& CurrentProtoSlot();

    // --- Settings file (SerPortSettings.cpp) ---
    void Serialize(SettingsStream& stream);

    // Fields, in the order of the design.
    std::atomic<bool> active{false};
    std::atomic<int> state{StateClosed};
    int mode = ModeAscii;
    std::vector<SendSlot> asciiSlots, hexSlots, protoSlots;
    int slot = 0;
    std::string output;
    bool sending = false;
    bool repeating = false;    // the running send repeats (its slot may no longer be the current one)
    unsigned runningSend = 0;  // the worker's number of the send started last
    std::atomic<int> lineBits{0};
    std::string deviceName;
    int baud = 9600;
    int wordLength = 8;
    int parity = platform::ParityNone;
    int stopBits = StopBitsOne;
    bool rtsCts = false;
    bool xonXoff = false;
    SerialSettings settings;
    std::unique_ptr<SerialPort> port;
    std::unique_ptr<SThread> worker;
    std::vector<LogLine> rows;
    // Decodes the received row being filled, chunk by chunk.
    RowDecoder receivedDecoder;
    MainGUI* gui;
    SerPortCtrl* grid;
    WithSettingsLayout* settingsPane;
    WithSendLayout* sendPane;
    WithProtoLayout* protoPane;
    WithAsciiLayout* asciiPane;
    WithHexLayout* hexPane;
    int dumpWidth = -1;  // matches no real column width
    int bytesPerRow = 1;
    Hover hover;
    Column0Display column0{this};
    Column1Display column1{this};
    Column2Display column2{this};
    Column3Display column3{this};

    // Owner of the port's GUI-thread callbacks (the line display, delayed answers): deleting
    // it drops every call still pending, so none reaches a port that is gone.
    std::unique_ptr<QObject> callbacks;

    // The read time-out of the worker, ms.
    static constexpr int ReadTimeoutMs = 4;
};

}  // namespace baudrill
