#include "monitor/port/PortBindings.h"

#include "monitor/grid/view/SerPortCtrl.h"
#include "monitor/layouts/WithAsciiLayout.h"
#include "monitor/layouts/WithHexLayout.h"
#include "monitor/layouts/WithProtoLayout.h"
#include "monitor/layouts/WithSendLayout.h"
#include "monitor/layouts/WithSettingsLayout.h"
#include "monitor/port/SerPort.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

namespace baudrill {

namespace {

constexpr const char* BindingsName = "portBindings";

template <class Sender, class Signal, class Handler>
void Bind(PortBindings* bindings, Sender& sender, Signal signal, Handler handler)
{
    QObject::connect(&sender, signal, bindings, std::move(handler));
}

// A user's click (never a value set by code).
template <class Handler>
void OnClick(PortBindings* bindings, QAbstractButton& button, Handler handler)
{
    Bind(bindings, button, &QAbstractButton::clicked, std::move(handler));
}

void BindSettingsPane(PortBindings* b, SerPort& port, WithSettingsLayout& pane)
{
    OnClick(b, pane.statusButton, [&port] { port.OnStatusButton(); });
    Bind(b, pane.settingBaud, &QComboBox::activated, [&port] { port.OnBaud(); });
    const struct {
        QAbstractButton* option;
        void (SerPort::*handler)(int);
        int value;
    } options[] = {
        {&pane.settingParity0, &SerPort::OnParity, platform::ParityNone},
        {&pane.settingParity1, &SerPort::OnParity, platform::ParityEven},
        {&pane.settingParity2, &SerPort::OnParity, platform::ParityOdd},
        {&pane.settingStop0, &SerPort::OnStopBits, StopBitsOne},
        {&pane.settingStop1, &SerPort::OnStopBits, StopBitsOneAndHalf},
        {&pane.settingStop2, &SerPort::OnStopBits, StopBitsTwo},
        {&pane.settingWord0, &SerPort::OnWordLength, 8},
        {&pane.settingWord1, &SerPort::OnWordLength, 7},
        {&pane.settingWord2, &SerPort::OnWordLength, 6},
    };
    for (const auto& o : options)
        OnClick(b, *o.option, [&port, handler = o.handler, value = o.value] { (port.*handler)(value); });
    OnClick(b, pane.stateDTR, [&port] { port.OnLines(); });
    OnClick(b, pane.stateRTS, [&port] { port.OnLines(); });
    OnClick(b, pane.flowNone, [&port] { port.OnFlowNone(); });
    OnClick(b, pane.flowRTSCTS, [&port] { port.OnFlow(); });
    OnClick(b, pane.flowXONXOFF, [&port] { port.OnFlow(); });
}

void BindGrid(SerPort& port, SerPortCtrl& grid)
{
    grid.WhenHeaderLayout = [&port] { port.OnGridHeaderLayout(); };
    grid.WhenLayout = [&port] { port.OnGridLayout(); };
    grid.WhenHover = [&port](QPoint p, quint32 keyFlags) { port.OnGridMouseMove(p, keyFlags); };
    grid.WhenLeftDouble = [&port] { port.ClearLog(); };
}

void BindEntry(PortBindings* b, SerPort& port, QLineEdit& entry, void (SerPort::*onEdit)())
{
    Bind(b, entry, &QLineEdit::textEdited, [&port, onEdit] { (port.*onEdit)(); });
    Bind(b, entry, &QLineEdit::returnPressed, [&port] { port.SendNow(); });
}

void BindSendPanes(PortBindings* b, SerPort& port)
{
    WithSendLayout& send = *port.sendPane;
    OnClick(b, send.sendButton, [&port] { port.OnSendButton(); });
    OnClick(b, send.isRepeat, [&port] { port.OnRepeat(); });
    Bind(b, send.repeatPeriod, &IntSpinBox::dataChanged, [&port] { port.OnRepeatPeriod(); });

    WithAsciiLayout& ascii = *port.asciiPane;
    BindEntry(b, port, ascii.entry, &SerPort::OnAsciiEntry);
    OnClick(b, ascii.attachButton, [&port] { port.AttachFile(SerPort::AttachAscii); });
    OnClick(b, ascii.isCR, [&port] { port.OnAsciiOptions(); });
    OnClick(b, ascii.isLF, [&port] { port.OnAsciiOptions(); });

    WithHexLayout& hex = *port.hexPane;
    BindEntry(b, port, hex.entry, &SerPort::OnHexEntry);
    OnClick(b, hex.attachButton, [&port] { port.AttachFile(SerPort::AttachHex); });

    WithProtoLayout& proto = *port.protoPane;
    BindEntry(b, port, proto.entry, &SerPort::OnProtoEntry);
    Bind(b, proto.proto, &QComboBox::activated, [&port] { port.OnProtoSelect(); });
    Bind(b, proto.actionProto, &QComboBox::activated, [&port] { port.OnAnswerProtoSelect(); });
    for (QAbstractButton* option :
         {static_cast<QAbstractButton*>(&proto.isParse), static_cast<QAbstractButton*>(&proto.isIgnoreStarting),
          static_cast<QAbstractButton*>(&proto.isDisplayHex)})
        OnClick(b, *option, [&port] { port.OnProtoOptions(); });
    OnClick(b, proto.isActionAnswer, [&port] { port.OnAnswerOption(); });
    Bind(b, proto.actionDelay, &IntSpinBox::dataChanged, [&port] { port.OnAnswerDelay(); });
}

}  // namespace

PortBindings::PortBindings(SerPort* owner, QObject* host) : QObject(host), owner(owner) { setObjectName(BindingsName); }

PortBindings* PortBindings::Current(QObject* host)
{
    return host ? host->findChild<PortBindings*>(BindingsName, Qt::FindDirectChildrenOnly) : nullptr;
}

void BindPortHandlers(SerPort& port)
{
    // Deleting the old object drops its connections; Qt allows this inside one of its slots.
    delete PortBindings::Current(port.settingsPane);
    auto* bindings = new PortBindings(&port, port.settingsPane);
    BindSettingsPane(bindings, port, *port.settingsPane);
    BindGrid(port, *port.grid);
    BindSendPanes(bindings, port);
}

void ReleasePortBindings(SerPort& port)
{
    PortBindings* bindings = PortBindings::Current(port.settingsPane);
    if (!bindings || bindings->owner != &port)
        return;
    delete bindings;
    SerPortCtrl& grid = *port.grid;
    grid.WhenHeaderLayout = nullptr;
    grid.WhenLayout = nullptr;
    grid.WhenHover = nullptr;
    grid.WhenLeftDouble = nullptr;
    grid.clearDisplays();
}

}  // namespace baudrill
