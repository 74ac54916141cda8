// The whole program on pseudo-terminals: a real main window whose ports open the slave side of
// a pty while the test is the peer on the master side, driven through the controls as a user
// drives them and pumped as the window's timer pumps.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

#include <chrono>
#include <ctime>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "grammar/BNFarticle.h"
#include "grammar/GrammarRegistry.h"
#include "grammar/compiler/ArticleFactory.h"
#include "grammar/compiler/GrammarBuiltins.h"
#include "monitor/log/Logger.h"
#include "monitor/text/ProgramTexts.h"
#include "monitor/widgets/ProtoListKeys.h"
#include "monitor/window/MainWindow.h"
#include "tests/support/PtyPair.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WaitUntil.h"

namespace baudrill::test {
namespace {

using namespace std::chrono_literals;
using test::PtyPair;

// The send tabs go ASCII, HEX, PROTO.
constexpr int AsciiTab = 0;
constexpr int ProtoTab = 2;

class EndToEnd : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitGrammarBuiltins(); }

    // Runs the window's pump and the event loop until `done` holds or ten seconds have passed.
    bool PumpUntil(const std::function<bool()>& done)
    {
        return WaitUntil(done, GenerousWait, [this] {
            window.PumpPorts();
            QCoreApplication::processEvents();
        });
    }

    // A port tab on the pty's slave, opened and shown.
    SerPort& AddPort(const PtyPair& pty)
    {
        window.AddPort(pty.SlavePath());
        SerPort* port = window.ports.FindPtr(pty.SlavePath());
        EXPECT_NE(port, nullptr);
        EXPECT_EQ(port->state, SerPort::StateOpen);
        return *port;
    }

    void TypeAscii(const char* text)
    {
        window.asciiSendGroup.entry.clear();
        QTest::keyClicks(&window.asciiSendGroup.entry, QString::fromLatin1(text));
    }

    void ChooseFrom(DropList& list, const Uuid& key)
    {
        const int at = FindProtoListKey(list, key);
        ASSERT_GE(at, 0);
        list.setCurrentIndex(at);
        emit list.activated(at);  // as the user's choice
    }

    void ChooseBaud(int rate)
    {
        DropList& rates = window.settingsGroup.settingBaud;
        const int at = rates.findData(rate);
        ASSERT_GE(at, 0);
        rates.setCurrentIndex(at);
        emit rates.activated(at);
    }

    // Clicks Send and waits until the bytes are written and the button is released again.
    void ClickSend(SerPort& port)
    {
        const std::size_t before = port.rows.size();
        window.sendGroup.sendButton.click();
        EXPECT_TRUE(PumpUntil([&] { return port.rows.size() > before && !port.sending; }));
        EXPECT_TRUE(PumpUntil([&] { return !window.sendGroup.sendButton.isChecked(); }));
    }

    // Every byte of the port's received rows, in order.
    static std::string Received(const SerPort& port)
    {
        std::string bytes;
        for (const LogLine& row : port.rows)
            if (row.direction == RowReceived)
                bytes += row.data;
        return bytes;
    }

    MainWindow window;
};

#define SKIP_WITHOUT_PTY(pty) \
    if (!(pty).Ok())          \
    GTEST_SKIP() << "no pseudo-terminals here"

TEST_F(EndToEnd, TypedAsciiSendReachesThePeerAndLogsASentRow)
{
    PtyPair pty;
    SKIP_WITHOUT_PTY(pty);
    SerPort& port = AddPort(pty);
    ASSERT_EQ(window.sendTabs.currentIndex(), AsciiTab);
    TypeAscii("AB\\0D");
    EXPECT_EQ(port.CurrentSlot().entry, "AB\\0D");

    ClickSend(port);
    EXPECT_EQ(pty.Receive(3, 5s), "AB\r");
    ASSERT_EQ(port.rows.size(), 1u);
    EXPECT_EQ(port.rows[0].direction, RowSent);
    EXPECT_EQ(port.rows[0].data, "AB\r");
    EXPECT_EQ(window.logGrid.rowCount(), 1);
    EXPECT_FALSE(window.sendGroup.sendButton.isChecked());
    EXPECT_EQ(window.sendGroup.sendButton.text(), QString::fromUtf8(SendCaption));
    EXPECT_TRUE(window.sendGroup.isEnabled());

    // A second click sends again.
    ClickSend(port);
    EXPECT_EQ(pty.Receive(3, 5s), "AB\r");
    EXPECT_EQ(port.rows.size(), 2u);
    EXPECT_EQ(window.logGrid.rowCount(), 2);
}

TEST_F(EndToEnd, ReceivedRowsAndSentRowsReachTheLogFileInOrderWhenTheTabCloses)
{
    PtyPair pty;
    SKIP_WITHOUT_PTY(pty);
    TempFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    auto logger = std::make_unique<Logger>(folder.Path(), std::tm{});
    logger->Start();
    theLogger = logger.get();

    SerPort& port = AddPort(pty);
    const std::string device = port.deviceName;
    ASSERT_TRUE(pty.Send("first"));
    ASSERT_TRUE(PumpUntil([&] { return !port.rows.empty() && port.rows.back().data == "first"; }));
    EXPECT_EQ(port.rows.back().direction, RowReceived);
    EXPECT_EQ(window.logGrid.rowCount(), 1);

    TypeAscii("sent");
    ClickSend(port);
    EXPECT_EQ(pty.Receive(4, 5s), "sent");
    ASSERT_TRUE(pty.Send("last"));
    ASSERT_TRUE(PumpUntil([&] { return port.rows.size() == 3 && port.rows.back().data == "last"; }));
    EXPECT_EQ(window.logGrid.rowCount(), 3);

    window.OnCloseTab();
    EXPECT_EQ(window.ports.GetCount(), 0);
    const std::string file = logger->FileName(device);
    theLogger = nullptr;
    logger.reset();  // writes every row handed over

    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::string log = text.str();
    const auto first = log.find("first");
    const auto sent = log.find("sent");
    const auto last = log.find("last");
    ASSERT_NE(first, std::string::npos) << log;
    ASSERT_NE(sent, std::string::npos) << log;
    ASSERT_NE(last, std::string::npos) << log;
    EXPECT_LT(first, sent);
    EXPECT_LT(sent, last);
}

TEST_F(EndToEnd, ProtoModeDecodesTheReceivedFrameAndAnswersIt)
{
    PtyPair pty;
    SKIP_WITHOUT_PTY(pty);
    const Uuid frame = CreateArticle(GrammarNamespace, "e2eFrame", "\"Q\" byte")->uid;
    const Uuid answer = CreateArticle(GrammarNamespace, "e2eAnswer", "\"R\" byte")->uid;
    window.ProtocolsChanged();

    SerPort& port = AddPort(pty);
    window.sendTabs.setCurrentIndex(ProtoTab);
    ASSERT_EQ(port.mode, SerPort::ModeProto);
    ASSERT_FALSE(window.protoSendGroup.isHidden());
    WithProtoLayout& pane = window.protoSendGroup;
    ChooseFrom(pane.proto, frame);
    EXPECT_EQ(port.CurrentProtoSlot().protoId, frame);
    ASSERT_TRUE(pane.isParse.isChecked());
    if (pane.isIgnoreStarting.isChecked())
        pane.isIgnoreStarting.click();
    pane.isActionAnswer.click();
    ASSERT_TRUE(port.CurrentProtoSlot().isActionAnswer);
    ChooseFrom(pane.actionProto, answer);
    EXPECT_EQ(port.CurrentProtoSlot().answerId, answer);
    pane.actionDelay.setData(0);
    emit pane.actionDelay.dataChanged();
    EXPECT_EQ(port.CurrentProtoSlot().actionDelay, 0);

    ASSERT_TRUE(pty.Send("Q\x07"));
    ASSERT_TRUE(PumpUntil([&] { return !port.rows.empty() && !port.rows[0].protoName.empty(); }));
    EXPECT_EQ(port.rows[0].direction, RowReceived);
    EXPECT_EQ(port.rows[0].data, "Q\x07");
    EXPECT_EQ(port.rows[0].protoName, "e2eFrame");
    EXPECT_EQ(port.rows[0].protoValues, " 7");
    EXPECT_EQ(pty.Receive(2, 5s), "R\x07");
    ASSERT_TRUE(PumpUntil([&] { return port.rows.size() == 2 && !port.sending; }));
    EXPECT_EQ(port.rows[1].direction, RowSent);
    EXPECT_EQ(port.rows[1].data, "R\x07");
    ASSERT_TRUE(PumpUntil([&] { return !window.sendGroup.sendButton.isChecked(); }));
    EXPECT_EQ(window.sendGroup.sendButton.text(), QString::fromUtf8(SendCaption));
}

TEST_F(EndToEnd, EachPortKeepsItsRowsAndSettingsAcrossTabSwitches)
{
    PtyPair ptyA, ptyB;
    SKIP_WITHOUT_PTY(ptyA);
    SKIP_WITHOUT_PTY(ptyB);
    SerPort& a = AddPort(ptyA);
    ChooseBaud(19200);
    EXPECT_EQ(a.baud, 19200);
    TypeAscii("toA");
    ASSERT_TRUE(ptyA.Send("a"));
    ASSERT_TRUE(PumpUntil([&] { return a.rows.size() == 1; }));

    SerPort& b = AddPort(ptyB);
    EXPECT_FALSE(a.active);
    EXPECT_EQ(window.settingsGroup.settingBaud.currentData().toInt(), 9600);
    EXPECT_EQ(window.asciiSendGroup.entry.text(), "");
    EXPECT_EQ(window.logGrid.rowCount(), 0);
    TypeAscii("toB");
    ASSERT_TRUE(ptyB.Send("bb"));
    ASSERT_TRUE(ptyA.Send("aa"));  // the hidden port goes on receiving
    // Bytes that follow within the worker's quiet time join the burst's row, so A's rows are
    // compared by their bytes.
    ASSERT_TRUE(PumpUntil([&] { return Received(b) == "bb" && Received(a) == "aaa"; }))
        << Received(a) << " / " << Received(b);
    const std::size_t rowsOfA = a.rows.size();
    EXPECT_EQ(window.logGrid.rowCount(), 1);

    window.mainTabs.setCurrentIndex(0);
    EXPECT_TRUE(a.active);
    EXPECT_FALSE(b.active);
    EXPECT_EQ(window.settingsGroup.settingBaud.currentData().toInt(), 19200);
    EXPECT_EQ(window.asciiSendGroup.entry.text(), "toA");
    EXPECT_EQ(window.logGrid.rowCount(), static_cast<int>(rowsOfA));
    EXPECT_EQ(Received(a), "aaa");
    ASSERT_EQ(b.rows.size(), 1u);
    EXPECT_EQ(b.rows[0].data, "bb");

    window.mainTabs.setCurrentIndex(1);
    EXPECT_EQ(window.settingsGroup.settingBaud.currentData().toInt(), 9600);
    EXPECT_EQ(window.asciiSendGroup.entry.text(), "toB");
    EXPECT_EQ(window.logGrid.rowCount(), 1);
    ClickSend(b);
    EXPECT_EQ(ptyB.Receive(3, 5s), "toB");
    EXPECT_EQ(ptyA.ReceiveAll(50ms), "");
    EXPECT_EQ(a.rows.size(), rowsOfA);
}

}  // namespace
}  // namespace baudrill::test
