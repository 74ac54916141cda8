// The port's send panes and send button: the slots' entries and options, the bytes to send
// and their preview, the Send/Stop button and the PROTO pane's protocol lists.
#include "monitor/port/SerPort.h"

#include <QFile>
#include <QFileDialog>
#include <QSignalBlocker>
#include <QTextDocument>

#include "grammar/BNFarticle.h"
#include "monitor/text/ProgramTexts.h"
#include "monitor/layouts/WithAsciiLayout.h"
#include "monitor/layouts/WithHexLayout.h"
#include "monitor/layouts/WithProtoLayout.h"
#include "monitor/layouts/WithSendLayout.h"
#include "monitor/send/AttachText.h"
#include "monitor/send/ProtoEncoder.h"
#include "monitor/widgets/ProtoListKeys.h"
#include "monitor/send/SendEncoders.h"
#include "monitor/text/ByteText.h"

namespace baudrill {

namespace {

SendSlot& SlotAt(std::vector<SendSlot>& list, int slot) { return list[static_cast<std::size_t>(slot)]; }

QString Qt8(const std::string& text) { return QString::fromStdString(text); }

// Tips are rich text: a comment is shown as it was typed.
QString TipText(const std::string& comment)
{
    return comment.empty() ? QString() : Qt::convertFromPlainText(Qt8(comment));
}

void ShowEntry(QLineEdit& entry, const std::string& text)
{
    QSignalBlocker blocker(entry);
    entry.setText(Qt8(text));
}

void ShowOption(QCheckBox& option, bool on)
{
    QSignalBlocker blocker(option);
    option.setChecked(on);
}

// Like the entries, the number fields show their slot's value only when the slot is loaded
// into the panes: a rebuild while the user edits one (the field's own handler, an answer, a
// protocol change) must not write into it, and a field left empty or invalid keeps the slot's
// last value underneath.
void ShowNumber(IntSpinBox& field, int value)
{
    QSignalBlocker blocker(field);
    field.setData(value);
}

void ShowButton(ButtonOption& button, bool pressed, const char* caption)
{
    QSignalBlocker blocker(button);
    button.setChecked(pressed);
    button.setText(QString::fromLatin1(caption));
}

// Shows `name` in a protocol list, then selects the entry of `key` when the list has one and
// makes its text the name. Returns whether the entry was found.
bool ShowProtocol(DropList& list, const Uuid& key, std::string& name)
{
    QSignalBlocker blocker(list);
    list.setShownText(Qt8(name));
    const int at = FindProtoListKey(list, key);
    if (at < 0)
        return false;
    list.setCurrentIndex(at);
    name = list.itemText(at).toStdString();
    return true;
}

// After the lists were refilled: keeps the slot's protocol selected under its current name, or
// forgets it when the list or the namespace no longer has it. True when it was kept.
bool KeepProtocol(DropList& list, Uuid& key, std::string& name)
{
    QSignalBlocker blocker(list);
    const int at = FindProtoListKey(list, key);
    const BNFarticle* article = FindProtocol(key);
    if (at < 0 || !article) {
        list.setShownText(QString());
        key = Uuid();
        name.clear();
        return false;
    }
    if (list.currentIndex() != at)
        list.setCurrentIndex(at);
    else
        list.setItemText(at, Qt8(article->name));
    return true;
}

// Takes the selected entry of a protocol list as the slot's protocol; an entry whose protocol
// is gone counts as none.
const BNFarticle* SelectProtocol(const DropList& list, Uuid& key, std::string& name)
{
    const BNFarticle* article = FindProtocol(ProtoListKey(list, list.currentIndex()));
    key = article ? article->uid : Uuid();
    name = article ? article->name : std::string();
    return article;
}

void ShowProtoSlot(WithProtoLayout& pane, SendSlot& s, const std::string& preview, bool loadEntry)
{
    if (loadEntry)
        ShowEntry(pane.entry, s.entry);
    pane.preview.setQtf(Qt8(preview));
    ShowOption(pane.isParse, s.isParse);
    ShowOption(pane.isIgnoreStarting, s.isIgnoreStarting);
    ShowOption(pane.isDisplayHex, s.isDisplayHex);
    ShowProtocol(pane.proto, s.protoId, s.protoName);
    const BNFarticle* protocol = FindProtocol(s.protoId);
    pane.entry.setToolTip(protocol ? TipText(protocol->comment) : QString());

    ShowOption(pane.isActionAnswer, s.isActionAnswer);
    ShowProtocol(pane.actionProto, s.answerId, s.answerProtoName);
    // A repeated send answers nothing, and neither does a slot that does not decode.
    const bool canAnswer = s.isParse && !s.isRepeat;
    if (!canAnswer) {
        s.isActionAnswer = false;
        ShowOption(pane.isActionAnswer, false);
    }
    pane.actionLabel.setEnabled(canAnswer);
    pane.isActionAnswer.setEnabled(canAnswer);
    pane.actionProto.setEnabled(canAnswer && s.isActionAnswer);
    if (loadEntry)
        ShowNumber(pane.actionDelay, s.actionDelay);
}

}  // namespace

SendSlot& SerPort::CurrentSlot()
{
    return SlotAt(mode == ModeProto ? protoSlots : mode == ModeHex ? hexSlots : asciiSlots, slot);
}

SendSlot& SerPort::CurrentProtoSlot() { return SlotAt(protoSlots, slot); }

void SerPort::UpdateSend(bool loadEntry)
{
    output.clear();
    SendSlot& s = CurrentSlot();
    std::string preview;
    if (mode == ModeProto)
        EncodeProto(s.entry, s.protoId, output, preview);
    else if (mode == ModeHex)
        EncodeHex(s.entry, output, preview);
    else
        EncodeAscii(s.entry, s.isCR, s.isLF, output, preview);
    // The panes are shared: only the shown port fills them.
    if (!active)
        return;

    if (mode == ModeProto) {
        ShowProtoSlot(*protoPane, s, preview, loadEntry);
    } else if (mode == ModeHex) {
        if (loadEntry)
            ShowEntry(hexPane->entry, s.entry);
        hexPane->preview.setQtf(Qt8(preview));
    } else {
        if (loadEntry)
            ShowEntry(asciiPane->entry, s.entry);
        ShowOption(asciiPane->isCR, s.isCR);
        ShowOption(asciiPane->isLF, s.isLF);
        asciiPane->preview.setQtf(Qt8(preview));
    }
    ShowOption(sendPane->isRepeat, s.isRepeat);
    if (loadEntry)
        ShowNumber(sendPane->repeatPeriod, s.repeatPeriod);
    const bool repeating = state == StateOpen && sending && s.isRepeat;
    sendPane->isRepeat.setEnabled(!repeating);
    sendPane->repeatPeriod.setEnabled(!repeating);
}

void SerPort::OnAsciiEntry()
{
    SlotAt(asciiSlots, slot).entry = asciiPane->entry.text().toStdString();
    UpdateSend(false);
}

void SerPort::OnHexEntry()
{
    SlotAt(hexSlots, slot).entry = hexPane->entry.text().toStdString();
    UpdateSend(false);
}

void SerPort::OnProtoEntry()
{
    CurrentProtoSlot().entry = protoPane->entry.text().toStdString();
    UpdateSend(false);
}

void SerPort::OnAsciiOptions()
{
    SendSlot& s = SlotAt(asciiSlots, slot);
    s.isCR = asciiPane->isCR.isChecked();
    s.isLF = asciiPane->isLF.isChecked();
    UpdateSend(false);
}

void SerPort::OnProtoOptions()
{
    SendSlot& s = CurrentProtoSlot();
    s.isParse = protoPane->isParse.isChecked();
    s.isIgnoreStarting = protoPane->isIgnoreStarting.isChecked();
    s.isDisplayHex = protoPane->isDisplayHex.isChecked();
    UpdateSend(false);
}

void SerPort::OnAnswerOption()
{
    CurrentProtoSlot().isActionAnswer = protoPane->isActionAnswer.isChecked();
    UpdateSend(false);
}

void SerPort::OnAnswerDelay()
{
    // An emptied field keeps the last delay: a null or negative delay is no time to wait.
    const std::optional<int> delay = protoPane->actionDelay.data();
    if (delay && *delay >= 0)
        CurrentProtoSlot().actionDelay = *delay;
    UpdateSend(false);
}

void SerPort::OnProtoSelect()
{
    SendSlot& s = CurrentProtoSlot();
    if (const BNFarticle* protocol = SelectProtocol(protoPane->proto, s.protoId, s.protoName))
        protoPane->proto.setToolTip(TipText(protocol->comment));
    OnProtoEntry();
}

void SerPort::OnAnswerProtoSelect()
{
    SendSlot& s = CurrentProtoSlot();
    SelectProtocol(protoPane->actionProto, s.answerId, s.answerProtoName);
    UpdateSend(false);
}

void SerPort::OnRepeat()
{
    CurrentSlot().isRepeat = sendPane->isRepeat.isChecked();
    UpdateSend(false);
}

void SerPort::OnRepeatPeriod()
{
    // Applies to the next repeated send; the bytes stay as they are. An emptied field keeps
    // the last period.
    const std::optional<int> period = sendPane->repeatPeriod.data();
    if (period && *period >= 1)
        CurrentSlot().repeatPeriod = *period;
}

void SerPort::AttachFile(int kind)
{
    QWidget* pane = kind == AttachAscii ? static_cast<QWidget*>(asciiPane) : static_cast<QWidget*>(hexPane);
    // Named "*.*" as on every desktop, matching every file (also those without a dot).
    const QString path = QFileDialog::getOpenFileName(pane, QString(), QString(), QStringLiteral("*.* (*)"));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    AttachBytes(kind, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void SerPort::AttachBytes(int kind, std::string_view bytes)
{
    if (kind == AttachAscii)
        SlotAt(asciiSlots, slot).entry += AsciiEntryText(bytes);
    else if (kind == AttachHex)
        SlotAt(hexSlots, slot).entry += SpacedHexText(bytes);
    else
        return;
    UpdateSend(true);
}

void SerPort::OnSendButton()
{
    if (sendPane->sendButton.isChecked()) {
        StartSend();
        return;
    }
    // The user clicked "Stop": the button stays pressed until the worker confirms the stop.
    worker->Stop();
    ShowButton(sendPane->sendButton, true, SendCaption);
    sendPane->isRepeat.setEnabled(true);
    sending = false;
    UpdateSend(false);
}

void SerPort::SendNow()
{
    if (sending)
        return;
    if (active)
        ShowButton(sendPane->sendButton, true, StopCaption);
    StartSend();
}

void SerPort::StartSend()
{
    if (state != StateOpen || output.empty()) {
        if (active)
            ShowButton(sendPane->sendButton, false, SendCaption);
        return;
    }
    sending = true;
    const SendSlot& s = CurrentSlot();
    repeating = s.isRepeat;
    if (s.isRepeat) {
        runningSend = worker->SendRepeat(s.repeatPeriod, output);
        if (active) {
            // The button stays usable: it is the Stop button now.
            ShowButton(sendPane->sendButton, true, StopCaption);
            sendPane->isRepeat.setEnabled(false);
            sendPane->repeatPeriod.setEnabled(false);
        }
    } else {
        runningSend = worker->Send(output);
        if (active) {
            ShowButton(sendPane->sendButton, true, StopCaption);
            sendPane->setEnabled(false);  // until the send-done notification
        }
    }
}

void SerPort::ProtocolsChanged()
{
    if (!active || mode != ModeProto)
        return;
    SendSlot& s = CurrentProtoSlot();
    if (KeepProtocol(protoPane->proto, s.protoId, s.protoName))
        OnProtoEntry();
    if (KeepProtocol(protoPane->actionProto, s.answerId, s.answerProtoName))
        UpdateSend(false);
}

}  // namespace baudrill
