// The port's send panes and send button, on the shared panes of a main window and a port on a
// fake device. The tests play the user: they set the shared controls as a click or an edit
// leaves them (under QSignalBlocker) and then run the handler the click is bound to.
#include <gtest/gtest.h>

#include <QSignalBlocker>
#include <QTest>
#include <QTextDocument>

#include <memory>
#include <ostream>
#include <string>

#include "grammar/BNFarticle.h"
#include "grammar/BuiltinNamespace.h"
#include "grammar/GrammarRegistry.h"
#include "grammar/compiler/ArticleFactory.h"
#include "grammar/compiler/GrammarBuiltins.h"
#include "monitor/widgets/ProtoListKeys.h"
#include "tests/support/gui/PortHarness.h"
#include "tests/support/NamedCase.h"

namespace baudrill::test {
namespace {

// A tip is rich text: what it shows.
QString TipAsText(const QWidget& widget)
{
    QTextDocument tip;
    tip.setHtml(widget.toolTip());
    return tip.toPlainText();
}

class SendPanes : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitGrammarBuiltins();
        port = harness.MakePort();
        port->active = true;
    }

    // The port opens its fake device when it is made; this opens it again after a Close.
    void OpenDevice()
    {
        if (port->state != SerPort::StateOpen) {
            ASSERT_TRUE(port->Open());
        }
    }

    // The user types `text` into the ASCII entry.
    void TypeAscii(const std::string& text)
    {
        {
            QSignalBlocker blocker(ascii().entry);
            ascii().entry.setText(QString::fromStdString(text));
        }
        port->OnAsciiEntry();
    }

    // A click on the send button: it toggles, then its handler runs.
    void ClickSend()
    {
        {
            QSignalBlocker blocker(button());
            button().setChecked(!button().isChecked());
        }
        port->OnSendButton();
    }

    void CheckRepeat(bool on)
    {
        {
            QSignalBlocker blocker(send().isRepeat);
            send().isRepeat.setChecked(on);
        }
        port->OnRepeat();
    }

    // The user sends `text` repeatedly, every `periodMs`, by a click on the send button.
    void StartRepeat(const std::string& text, int periodMs)
    {
        TypeAscii(text);
        CheckRepeat(true);
        {
            QSignalBlocker blocker(send().repeatPeriod);
            send().repeatPeriod.setData(periodMs);
        }
        port->OnRepeatPeriod();
        ClickSend();
    }

    void ShowIdleButton()
    {
        QSignalBlocker blocker(button());
        button().setChecked(false);
        button().setText("Send");
    }

    bool DeviceGot(const std::string& bytes)
    {
        return PortHarness::PumpUntil(*port, [&] { return harness.device->Output() == bytes; });
    }

    // Fills the two protocol lists from the namespace, as the main window does.
    void FillProtocolLists()
    {
        QSignalBlocker protoBlocker(proto().proto), answerBlocker(proto().actionProto);
        proto().proto.clear();
        proto().actionProto.clear();
        const auto* space = GrammarRegistry::Instance().FindNamespace(BuiltinNamespace);
        for (int i = 0; space && i < space->GetCount(); ++i) {
            const BNFarticle* article = space->At(i);
            if (IsBuiltinRuleName(article->name))
                continue;
            AddProtoListEntry(proto().proto, article->uid, article->name);
            AddProtoListEntry(proto().actionProto, article->uid, article->name);
        }
    }

    void Choose(DropList& list, const Uuid& id)
    {
        QSignalBlocker blocker(list);
        list.setCurrentIndex(FindProtoListKey(list, id));
    }

    WithSendLayout& send() { return harness.window.sendGroup; }
    ButtonOption& button() { return harness.window.sendGroup.sendButton; }
    WithAsciiLayout& ascii() { return harness.window.asciiSendGroup; }
    WithHexLayout& hex() { return harness.window.hexSendGroup; }
    WithProtoLayout& proto() { return harness.window.protoSendGroup; }

    PortHarness harness;
    std::unique_ptr<SerPort> port;
};

TEST_F(SendPanes, TheAsciiEntryRebuildsTheBytesAndThePreview)
{
    TypeAscii("AB\\0D");
    {
        QSignalBlocker blocker(ascii().isLF);
        ascii().isLF.setChecked(true);
    }
    port->OnAsciiOptions();
    EXPECT_EQ(port->asciiSlots[0].entry, "AB\\0D");
    EXPECT_TRUE(port->asciiSlots[0].isLF);
    EXPECT_EQ(port->output, "AB\r\n");
    EXPECT_EQ(ascii().preview.qtf(), "[+70C 41 42 0D 0A]");
}

TEST_F(SendPanes, ASlotIsShownWithItsEntryAndOptions)
{
    port->mode = SerPort::ModeHex;
    port->slot = 3;
    port->hexSlots[3].entry = "30 31";
    port->hexSlots[3].isRepeat = true;
    port->hexSlots[3].repeatPeriod = 250;
    port->UpdateSend(true);
    EXPECT_EQ(hex().entry.text(), "30 31");
    EXPECT_EQ(hex().preview.qtf(), "[+70C 01]");
    EXPECT_EQ(port->output, "01");
    EXPECT_TRUE(send().isRepeat.isChecked());
    EXPECT_EQ(send().repeatPeriod.data(), 250);
    // Without loadEntry the entry keeps what the user is typing.
    port->hexSlots[3].entry = "32";
    port->UpdateSend(false);
    EXPECT_EQ(hex().entry.text(), "30 31");
    EXPECT_EQ(port->output, "2");
}

TEST_F(SendPanes, ASendThatCannotStartReleasesTheButton)
{
    struct Case {
        const char* what;
        bool open;
        const char* entry;
    };
    for (const Case& c : {Case{"closed port", false, "AB"}, Case{"empty block", true, ""}}) {
        SCOPED_TRACE(c.what);
        if (c.open)
            OpenDevice();
        else
            port->Close();
        TypeAscii(c.entry);
        ClickSend();
        EXPECT_FALSE(button().isChecked());
        EXPECT_EQ(button().text(), "Send");
        EXPECT_FALSE(port->sending);
        EXPECT_TRUE(send().isEnabled());
        // Enter in the entry takes the same road.
        port->SendNow();
        EXPECT_FALSE(button().isChecked());
        EXPECT_FALSE(port->sending);
    }
    EXPECT_EQ(harness.device->CallCount(platform::FakeCommDevice::Call::Write), 0);
}

TEST_F(SendPanes, ASingleSendDisablesTheSendPane)
{
    OpenDevice();
    TypeAscii("AB");
    ClickSend();
    EXPECT_TRUE(port->sending);
    EXPECT_TRUE(button().isChecked());
    EXPECT_EQ(button().text(), "Stop");
    EXPECT_FALSE(send().isEnabled());
    EXPECT_TRUE(DeviceGot("AB"));
}

TEST_F(SendPanes, ARepeatedSendKeepsTheStopButtonAndLocksTheRepeatOptions)
{
    OpenDevice();
    StartRepeat("R", 5);
    EXPECT_TRUE(port->sending);
    EXPECT_TRUE(button().isChecked());
    EXPECT_EQ(button().text(), "Stop");
    EXPECT_TRUE(send().isEnabled());
    EXPECT_TRUE(button().isEnabled());
    EXPECT_FALSE(send().isRepeat.isEnabled());
    EXPECT_FALSE(send().repeatPeriod.isEnabled());
    EXPECT_TRUE(PortHarness::PumpUntil(*port, [&] { return harness.device->Output().size() >= 3; }));
    EXPECT_EQ(harness.device->Output().find_first_not_of('R'), std::string::npos);

    // Stop: the button stays pressed, now labelled "Send", until the worker confirms.
    ClickSend();
    EXPECT_FALSE(port->sending);
    EXPECT_TRUE(button().isChecked());
    EXPECT_EQ(button().text(), "Send");
    EXPECT_TRUE(send().isRepeat.isEnabled());
    EXPECT_TRUE(send().repeatPeriod.isEnabled());
}

// The end of a send that the GUI thread learns of only after a new send has started is the old
// send's: the new one keeps `sending` and its Stop button, and one click stops it.
enum class Restart { StopThenEnter, SwitchOffAndOnThenClick };

struct RestartCase : NamedCase {
    Restart restart;
};

class SendPanesRestart : public SendPanes, public ::testing::WithParamInterface<RestartCase> {
protected:
    // A click on the status button: it toggles, then its handler runs.
    void SwitchDevice(bool on)
    {
        {
            QSignalBlocker blocker(harness.window.settingsGroup.statusButton);
            harness.window.settingsGroup.statusButton.setChecked(on);
        }
        port->OnStatusButton();
    }
};

TEST_P(SendPanesRestart, TheOldSendsEndLeavesTheNewSendRunning)
{
    OpenDevice();
    StartRepeat("R", 5);
    ASSERT_TRUE(PortHarness::PumpUntil(*port, [&] { return harness.device->Output().size() >= 2; }));

    // No pump between the end of the first send and the start of the next.
    if (GetParam().restart == Restart::StopThenEnter) {
        ClickSend();
        port->SendNow();
    } else {
        SwitchDevice(false);
        EXPECT_FALSE(port->sending);
        EXPECT_FALSE(button().isChecked());
        SwitchDevice(true);
        ClickSend();
    }
    ASSERT_TRUE(port->sending);
    const std::size_t before = harness.device->Output().size();
    ASSERT_TRUE(PortHarness::PumpUntil(*port, [&] { return harness.device->Output().size() >= before + 3; }));
    EXPECT_TRUE(port->sending);
    EXPECT_TRUE(button().isChecked());
    EXPECT_EQ(button().text(), "Stop");

    ClickSend();
    ASSERT_TRUE(PortHarness::PumpUntil(*port, [&] { return !button().isChecked(); }));
    EXPECT_FALSE(port->sending);
    EXPECT_EQ(button().text(), "Send");
    const std::string sent = harness.device->Output();
    PortHarness::PumpUntil(
        *port, [] { return false; }, std::chrono::milliseconds(200));
    EXPECT_EQ(harness.device->Output(), sent);
}

INSTANTIATE_TEST_SUITE_P(Table, SendPanesRestart,
                         ::testing::Values(RestartCase{"StopThenEnter", Restart::StopThenEnter},
                                           RestartCase{"SwitchOffAndOnThenClick", Restart::SwitchOffAndOnThenClick}),
                         CaseName<RestartCase>);

TEST_F(SendPanes, EnterWhileSendingDoesNothing)
{
    OpenDevice();
    TypeAscii("AB");
    port->sending = true;
    ShowIdleButton();
    port->SendNow();
    EXPECT_FALSE(button().isChecked());
    EXPECT_EQ(button().text(), "Send");
    EXPECT_EQ(harness.device->CallCount(platform::FakeCommDevice::Call::Write), 0);
}

TEST_F(SendPanes, AnAnswerOfAPortNotShownLeavesTheSharedButtonAlone)
{
    OpenDevice();
    TypeAscii("AN");
    port->active = false;
    ShowIdleButton();
    port->SendNow();
    EXPECT_TRUE(port->sending);
    EXPECT_FALSE(button().isChecked());
    EXPECT_EQ(button().text(), "Send");
    EXPECT_TRUE(send().isEnabled());
    EXPECT_TRUE(DeviceGot("AN"));
}

TEST_F(SendPanes, ChangingThePeriodKeepsTheBytes)
{
    TypeAscii("AB");
    port->output = "kept";
    {
        QSignalBlocker blocker(send().repeatPeriod);
        send().repeatPeriod.setData(750);
    }
    port->OnRepeatPeriod();
    EXPECT_EQ(port->asciiSlots[0].repeatPeriod, 750);
    EXPECT_EQ(port->output, "kept");
    // An emptied field keeps the last period.
    {
        QSignalBlocker blocker(send().repeatPeriod);
        send().repeatPeriod.setData(std::nullopt);
    }
    port->OnRepeatPeriod();
    EXPECT_EQ(port->asciiSlots[0].repeatPeriod, 750);
}

// The user retypes a number field key by key, through the handlers the shown port binds:
// emptying it on the way never writes the slot's value back into it, also when the port
// rebuilds its bytes meanwhile (as an answer or a protocol change does).
TEST_F(SendPanes, RetypingANumberFieldStoresWhatWasTyped)
{
    const struct {
        const char* what;
        int mode;
        IntSpinBox& field;
        int& stored;
    } fields[] = {
        {"answer delay", SerPort::ModeProto, proto().actionDelay, port->protoSlots[0].actionDelay},
        {"repeat period", SerPort::ModeHex, send().repeatPeriod, port->hexSlots[0].repeatPeriod},
    };
    for (const auto& f : fields) {
        SCOPED_TRACE(f.what);
        port->mode = f.mode;
        f.stored = 100;
        port->Activate();
        IntSpinBox& field = f.field;
        ASSERT_EQ(field.text().toStdString(), "100");
        QTest::keyClick(&field, Qt::Key_End);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(&field, Qt::Key_Backspace);
        EXPECT_EQ(field.text().toStdString(), "");
        port->UpdateSend(false);
        EXPECT_EQ(field.text().toStdString(), "") << "the field being edited is not rewritten";
        EXPECT_EQ(f.stored, 1) << "the slot keeps the last value typed";
        QTest::keyClicks(&field, "250");
        EXPECT_EQ(field.text().toStdString(), "250");
        EXPECT_EQ(f.stored, 250);
        // Shown anew, the field shows the slot's value.
        f.stored = 40;
        port->UpdateSend(true);
        EXPECT_EQ(field.text().toStdString(), "40");
    }
}

TEST_F(SendPanes, AnAnswerNeedsDecodingAndNoRepeat)
{
    port->mode = SerPort::ModeProto;
    SendSlot& s = port->protoSlots[0];
    s.isActionAnswer = true;
    port->UpdateSend(true);
    EXPECT_TRUE(proto().isActionAnswer.isChecked());
    EXPECT_TRUE(proto().isActionAnswer.isEnabled());
    EXPECT_TRUE(proto().actionLabel.isEnabled());
    EXPECT_TRUE(proto().actionProto.isEnabled());

    struct Case {
        const char* what;
        bool parse;
        bool repeat;
    };
    for (const Case& c : {Case{"repeat on", true, true}, Case{"parse off", false, false}}) {
        SCOPED_TRACE(c.what);
        s.isActionAnswer = true;
        s.isParse = true;
        s.isRepeat = false;
        port->UpdateSend(true);
        {
            QSignalBlocker blocker(proto().isParse);
            proto().isParse.setChecked(c.parse);
        }
        port->OnProtoOptions();
        CheckRepeat(c.repeat);
        EXPECT_FALSE(s.isActionAnswer);
        EXPECT_FALSE(proto().isActionAnswer.isChecked());
        EXPECT_FALSE(proto().isActionAnswer.isEnabled());
        EXPECT_FALSE(proto().actionLabel.isEnabled());
        EXPECT_FALSE(proto().actionProto.isEnabled());
    }

    // With the answer off the answer protocol cannot be chosen, but the option can be set.
    s.isParse = true;
    s.isRepeat = false;
    s.isActionAnswer = false;
    port->UpdateSend(true);
    EXPECT_TRUE(proto().isActionAnswer.isEnabled());
    EXPECT_FALSE(proto().actionProto.isEnabled());
}

TEST_F(SendPanes, AnAttachedFileIsAppendedToItsEntry)
{
    TypeAscii("x");
    port->AttachBytes(SerPort::AttachAscii, "\x41\x0D\xFF");
    EXPECT_EQ(port->asciiSlots[0].entry, "xA\\0D\\FF");
    EXPECT_EQ(ascii().entry.text(), "xA\\0D\\FF");
    EXPECT_EQ(port->output, "xA\r\xFF");
    // The HEX slot of the profile grows too while the ASCII pane is shown.
    port->AttachBytes(SerPort::AttachHex, "\x41\x0D\xFF");
    EXPECT_EQ(port->hexSlots[0].entry, "41 0D FF ");
    port->mode = SerPort::ModeHex;
    port->UpdateSend(true);
    EXPECT_EQ(hex().entry.text(), "41 0D FF ");
    EXPECT_EQ(port->output, "A\r\xFF");
    // A backslash of the file is sent as a backslash.
    port->mode = SerPort::ModeAscii;
    port->AttachBytes(SerPort::AttachAscii, "\\41");
    EXPECT_EQ(port->output, "xA\r\xFF\\41");
}

TEST_F(SendPanes, ALargeAttachedFileSurvivesTheEntry)
{
    // Every byte value, past the preview limit and past QLineEdit's default length cap.
    std::string file;
    for (int i = 0; i < 100 * 256; ++i)
        file += static_cast<char>(i & 0xFF);
    for (int kind : {SerPort::AttachAscii, SerPort::AttachHex}) {
        SCOPED_TRACE(kind);
        port->mode = kind == SerPort::AttachAscii ? SerPort::ModeAscii : SerPort::ModeHex;
        port->AttachBytes(kind, file);
        EXPECT_EQ(port->output, file);
        // The next edit reads the entry back from the control.
        if (kind == SerPort::AttachAscii)
            port->OnAsciiEntry();
        else
            port->OnHexEntry();
        EXPECT_EQ(port->output, file);
    }
}

TEST_F(SendPanes, ChoosingAProtocolComposesTheEntry)
{
    BNFarticle* frame = CreateArticle("BNF", "sp_frame", "byte byte");
    frame->comment = "two bytes";
    FillProtocolLists();
    port->mode = SerPort::ModeProto;
    port->UpdateSend(true);
    {
        QSignalBlocker blocker(proto().entry);
        proto().entry.setText("65 66");
    }
    port->OnProtoEntry();
    EXPECT_EQ(port->output, "");
    EXPECT_EQ(proto().preview.qtf(), "");

    Choose(proto().proto, frame->uid);
    port->OnProtoSelect();
    const SendSlot& s = port->protoSlots[0];
    EXPECT_EQ(s.protoId, frame->uid);
    EXPECT_EQ(s.protoName, "sp_frame");
    EXPECT_EQ(port->output, "AB");
    EXPECT_EQ(proto().preview.qtf(), "[+70C 41 42]");
    EXPECT_EQ(proto().proto.shownText(), "sp_frame");
    EXPECT_EQ(TipAsText(proto().entry), "two bytes");
    EXPECT_EQ(TipAsText(proto().proto), "two bytes");

    Choose(proto().actionProto, frame->uid);
    port->OnAnswerProtoSelect();
    EXPECT_EQ(s.answerId, frame->uid);
    EXPECT_EQ(s.answerProtoName, "sp_frame");
}

TEST_F(SendPanes, EditedProtocolsAreFollowedByTheShownPort)
{
    BNFarticle* frame = CreateArticle("BNF", "sp_renamed", "byte");
    BNFarticle* answer = CreateArticle("BNF", "sp_deleted", "byte");
    const Uuid answerId = answer->uid;
    FillProtocolLists();
    port->mode = SerPort::ModeProto;
    SendSlot& s = port->protoSlots[0];
    s.entry = "67";
    s.protoId = frame->uid;
    s.answerId = answerId;
    port->UpdateSend(true);
    EXPECT_EQ(port->output, "C");

    // Renamed: the list shows the new name and the slot takes it.
    frame->name = "sp_renamed2";
    FillProtocolLists();
    port->ProtocolsChanged();
    EXPECT_EQ(s.protoId, frame->uid);
    EXPECT_EQ(s.protoName, "sp_renamed2");
    EXPECT_EQ(proto().proto.shownText(), "sp_renamed2");
    EXPECT_EQ(s.answerProtoName, "sp_deleted");

    // Deleted: the slot forgets it, the list shows nothing; the bytes wait for the next change.
    auto& space = GrammarRegistry::Instance().GetAdd("BNF");
    ASSERT_TRUE(space.Remove(space.Find(frame->uid)));
    ASSERT_TRUE(space.Remove(space.Find(answerId)));
    FillProtocolLists();
    port->ProtocolsChanged();
    EXPECT_TRUE(s.protoId.IsNull());
    EXPECT_EQ(s.protoName, "");
    EXPECT_EQ(proto().proto.shownText(), "");
    EXPECT_TRUE(s.answerId.IsNull());
    EXPECT_EQ(s.answerProtoName, "");
    EXPECT_EQ(proto().actionProto.shownText(), "");
    EXPECT_EQ(port->output, "C");
    port->OnProtoEntry();
    EXPECT_EQ(port->output, "");
}

TEST_F(SendPanes, OnlyTheShownPortInProtoModeFollowsProtocolChanges)
{
    BNFarticle* frame = CreateArticle("BNF", "sp_kept", "byte");
    const Uuid id = frame->uid;
    FillProtocolLists();
    port->protoSlots[0].protoId = id;
    port->protoSlots[0].protoName = "sp_kept";
    auto& space = GrammarRegistry::Instance().GetAdd("BNF");
    ASSERT_TRUE(space.Remove(space.Find(id)));
    FillProtocolLists();

    port->mode = SerPort::ModeAscii;
    port->ProtocolsChanged();
    EXPECT_EQ(port->protoSlots[0].protoId, id);
    port->mode = SerPort::ModeProto;
    port->active = false;
    port->ProtocolsChanged();
    EXPECT_EQ(port->protoSlots[0].protoId, id);
    EXPECT_EQ(port->protoSlots[0].protoName, "sp_kept");
}

}  // namespace
}  // namespace baudrill::test
