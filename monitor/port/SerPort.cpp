// The port object: the device, the settings pane, the line display and Activate.
#include "monitor/port/SerPort.h"

#include "monitor/text/ProgramTexts.h"
#include "monitor/grid/view/SerPortCtrl.h"
#include "monitor/images/IMG.h"
#include "monitor/layouts/WithSendLayout.h"
#include "monitor/layouts/WithSettingsLayout.h"
#include "monitor/port/PortBindings.h"
#include "monitor/port/MainGUI.h"
#include "serial/LineFlags.h"

#include <QObject>
#include <QPixmap>
#include <QSignalBlocker>

#include <array>

namespace baudrill {

namespace {

constexpr int OutputLines = LineFlags::Dtr | LineFlags::Rts;

// Replaces the bits of `mask` in `bits` by those of `from`, in one atomic step, so that the
// worker (input bits) and the GUI thread (output bits) never lose each other's change.
void ReplaceBits(std::atomic<int>& bits, int mask, int from)
{
    int old = bits.load();
    while (!bits.compare_exchange_weak(old, (old & ~mask) | (from & mask))) {}
}

// One radio group of the settings pane: the three options and the value each stands for.
struct OptionGroup {
    std::array<ButtonOption*, 3> options;
    std::array<int, 3> values;
};

// Sets exactly the option of `value`; a value of none of them leaves the group as it is.
void ShowGroup(const OptionGroup& group, int value)
{
    int chosen = -1;
    for (int i = 0; i < 3; ++i)
        if (group.values[static_cast<std::size_t>(i)] == value)
            chosen = i;
    if (chosen < 0)
        return;
    for (int i = 0; i < 3; ++i) {
        ButtonOption* option = group.options[static_cast<std::size_t>(i)];
        QSignalBlocker quiet(option);
        option->setChecked(i == chosen);
    }
}

void SetChecked(QAbstractButton& button, bool on)
{
    QSignalBlocker quiet(&button);
    button.setChecked(on);
}

// The rate of the selected baud entry (its value, else its text); 0 when none is selected.
int SelectedBaud(const DropList& list)
{
    if (list.currentIndex() < 0)
        return 0;
    bool ok = false;
    int rate = list.currentData().toInt(&ok);
    if (!ok)
        rate = list.currentText().toInt(&ok);
    return ok ? rate : 0;
}

void SelectBaud(DropList& list, int rate)
{
    int index = list.findData(rate);
    if (index < 0)
        index = list.findText(QString::number(rate));
    QSignalBlocker quiet(&list);
    list.setCurrentIndex(index);
}

}  // namespace

SerPort::SerPort(std::string deviceName, MainGUI* gui, SerPortCtrl* grid, WithSettingsLayout* settingsPane,
                 WithSendLayout* sendPane, WithProtoLayout* protoPane, WithAsciiLayout* asciiPane,
                 WithHexLayout* hexPane)
    : SerPort(std::make_unique<SerialPort>(), std::move(deviceName), gui, grid, settingsPane, sendPane, protoPane,
              asciiPane, hexPane)
{
}

SerPort::SerPort(std::unique_ptr<SerialPort> device, std::string deviceName, MainGUI* gui, SerPortCtrl* grid,
                 WithSettingsLayout* settingsPane, WithSendLayout* sendPane, WithProtoLayout* protoPane,
                 WithAsciiLayout* asciiPane, WithHexLayout* hexPane)
    : asciiSlots(SendSlotCount), hexSlots(SendSlotCount), protoSlots(SendSlotCount), deviceName(std::move(deviceName)),
      port(std::move(device)), gui(gui), grid(grid), settingsPane(settingsPane), sendPane(sendPane),
      protoPane(protoPane), asciiPane(asciiPane), hexPane(hexPane), callbacks(std::make_unique<QObject>())
{
    worker = std::make_unique<SThread>(port.get(), this, ReadTimeoutMs);
    Open();  // a device that cannot be opened leaves a closed port tab
}

SerPort::~SerPort()
{
    ReleasePortBindings(*this);
    active = false;
    if (state == StateOpen)
        Close();
    state = StateClosed;
    worker.reset();  // joined: nothing is posted any more
    // What the worker posted before it ended is kept: rows are added and logged, but nothing
    // is shown and no answer is sent.
    closing = true;
    ProcessAll();
    FlushLog();
    callbacks.reset();  // drops a pending line display or delayed answer
}

bool SerPort::Open()
{
    if (state == StateOpen)
        Close();
    settings.baud = baud;
    settings.parity = parity;
    settings.wordLength = static_cast<uint8_t>(wordLength);
    settings.stopBits = static_cast<uint8_t>(stopBits);
    settings.rtsCts = rtsCts;
    settings.xonXoff = xonXoff;
    state = StateOpening;
    {
        auto locked = worker->LockPort();
        if (port->Open(deviceName.c_str(), &settings) == OpenResult::Opened) {
            // The indicators and the first DTR/RTS click start from the lines as opened.
            ReplaceBits(lineBits, OutputLines, port->LineState());
            state = StateOpen;
            worker->SetOpen(true);
            return true;
        }
    }
    Close();
    return false;
}

bool SerPort::Close()
{
    state = StateClosed;
    worker->ClosePort();  // ends a running send at once
    // So the send button reads "Send" at once, and a send started after a reopen is not taken
    // for this one.
    sending = false;
    return true;
}

void SerPort::OnStatusButton()
{
    if (!active)
        return;
    if (settingsPane->statusButton.isChecked())
        Open();
    else
        Close();
    Activate();
}

void SerPort::OnBaud()
{
    const int rate = SelectedBaud(settingsPane->settingBaud);
    if (rate <= 0)
        return;  // B0 would hang the line up
    const int old = baud;
    baud = rate;
    if (state == StateOpen && worker->SetBaudRate(rate) < 0) {
        baud = old;
        Activate();
    }
}

void SerPort::OnParity(int value)
{
    parity = value;
    Activate();
}

void SerPort::OnWordLength(int value)
{
    wordLength = value;
    Activate();
}

void SerPort::OnStopBits(int value)
{
    stopBits = value;
    Activate();
}

void SerPort::OnFlow()
{
    rtsCts = settingsPane->flowRTSCTS.isChecked();
    xonXoff = settingsPane->flowXONXOFF.isChecked();
    ShowFlow();
}

void SerPort::OnFlowNone()
{
    rtsCts = false;
    xonXoff = false;
    ShowFlow();
}

void SerPort::OnLines()
{
    const int wanted = (settingsPane->stateDTR.isChecked() ? LineFlags::Dtr : 0) |
                       (settingsPane->stateRTS.isChecked() ? LineFlags::Rts : 0);
    ReplaceBits(lineBits, OutputLines, wanted);
    worker->SetLineState(lineBits.load());
}

void SerPort::ShowSettings()
{
    WithSettingsLayout& pane = *settingsPane;
    SelectBaud(pane.settingBaud, baud);
    ShowGroup({{&pane.settingWord0, &pane.settingWord1, &pane.settingWord2}, {8, 7, 6}}, wordLength);
    ShowGroup(
        {{&pane.settingStop0, &pane.settingStop1, &pane.settingStop2}, {StopBitsOne, StopBitsOneAndHalf, StopBitsTwo}},
        stopBits);
    ShowGroup({{&pane.settingParity0, &pane.settingParity2, &pane.settingParity1},
               {platform::ParityNone, platform::ParityOdd, platform::ParityEven}},
              parity);
}

void SerPort::ShowFlow()
{
    if (!active || state != StateClosed)
        return;
    WithSettingsLayout& pane = *settingsPane;
    SetChecked(pane.flowNone, !rtsCts && !xonXoff);
    SetChecked(pane.flowRTSCTS, rtsCts);
    SetChecked(pane.flowXONXOFF, xonXoff);
}

void SerPort::ShowLineStatus()
{
    if (!active || state != StateOpen)
        return;
    WithSettingsLayout& pane = *settingsPane;
    const int bits = lineBits.load();
    const std::pair<ButtonOption*, int> indicators[] = {
        {&pane.stateDCD, LineFlags::Dcd}, {&pane.stateCTS, LineFlags::Cts},  {&pane.stateDSR, LineFlags::Dsr},
        {&pane.stateDTR, LineFlags::Dtr}, {&pane.stateRNG, LineFlags::Ring}, {&pane.stateRTS, LineFlags::Rts},
    };
    for (const auto& [indicator, bit] : indicators)
        SetChecked(*indicator, (bits & bit) != 0);
}

// Worker thread, inside the worker's lock: only atomics are touched here, and the display is
// a queued call on the GUI thread.
void SerPort::OnLineStatus(int lines)
{
    if (!active || state != StateOpen || lines == -1)
        return;
    ReplaceBits(lineBits, ~OutputLines, lines);
    QMetaObject::invokeMethod(
        callbacks.get(), [this] { ShowLineStatus(); }, Qt::QueuedConnection);
}

void SerPort::OnSendDone(unsigned send)
{
    // The worker reports the end of every send: a single send finished (even when its write
    // failed and no sent row came), a stop, or a close that ended a repeated send. A stop's
    // report can arrive after a new send has started (Stop, then Enter before the next pump):
    // it is not that send's end.
    if (send != runningSend)
        return;
    sending = false;
    if (!active || closing)
        return;
    sendPane->setEnabled(true);
    ButtonOption& button = sendPane->sendButton;
    SetChecked(button, false);
    button.setText(SendCaption);
}

void SerPort::OnHangUp()
{
    // Posted before the user closed or reopened the device: the device now open is another.
    if (state != StateOpen || !worker->HasHungUp())
        return;
    Close();
    if (active && !closing)
        Activate();
}

void SerPort::Activate()
{
    if (gui) {
        gui->SelectSendMode(mode);
        gui->SelectProfile(slot);
    }
    WithSettingsLayout& pane = *settingsPane;
    const bool open = state == StateOpen;
    pane.statusLabel.setPixmap(QPixmap::fromImage(open ? IMG::on() : IMG::off()));
    SetChecked(pane.statusButton, open);
    for (QWidget* closedOnly : std::initializer_list<QWidget*>{
             &pane.parityLabel, &pane.stopBitsLabel, &pane.wordLabel, &pane.settingParity0, &pane.settingParity1,
             &pane.settingParity2, &pane.settingStop0, &pane.settingStop1, &pane.settingStop2, &pane.settingWord0,
             &pane.settingWord1, &pane.settingWord2, &pane.flowLabel, &pane.flowNone, &pane.flowRTSCTS,
             &pane.flowXONXOFF})
        closedOnly->setVisible(!open);
    for (QWidget* indicator : std::initializer_list<QWidget*>{&pane.stateDCD, &pane.stateCTS, &pane.stateDSR,
                                                              &pane.stateDTR, &pane.stateRNG, &pane.stateRTS})
        indicator->setVisible(open);
    pane.settingBaud.setEnabled(true);
    sendPane->sendButton.setEnabled(open);
    sendPane->sendButton.setText(SendCaption);

    ShowSettings();
    BindPortHandlers(*this);

    RefreshGrid(true);
    UpdateSend(true);
    ShowLineStatus();
    ShowFlow();
}

}  // namespace baudrill
