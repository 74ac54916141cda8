// Traffic rows of a port: received bursts and sent blocks, decoding, the log file, answers.

#include "grammar/ActionRegistry.h"
#include "grammar/BNFarticle.h"
#include "grammar/ComposeContext.h"
#include "grammar/compiler/ArticleFactory.h"
#include "grammar/compiler/GrammarBuiltins.h"
#include "monitor/log/Logger.h"
#include "monitor/text/ProgramTexts.h"
#include "monitor/traffic/TrafficText.h"
#include "tests/support/gui/PortHarness.h"
#include "tests/support/TempFolder.h"
#include "tests/support/NamedCase.h"

#include <QCoreApplication>

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace baudrill::test {
namespace {

std::atomic<int> answersComposed{0};

// A compose action that counts the answers composed and writes "!".
bool CountAnswer(ComposeContext& ctx, Value)
{
    ++answersComposed;
    ctx.Write("!");
    return true;
}

// Rows handed to a log writer on a folder of the test's own; the file is read once the writer
// has ended (which writes every row handed over).
class LogCapture {
public:
    LogCapture() : logger(std::make_unique<Logger>(folder.Path(), std::tm{}))
    {
        logger->Start();
        theLogger = logger.get();
    }
    ~LogCapture() { End(); }

    std::string Read(const std::string& device)
    {
        const std::string name = logger ? logger->FileName(device) : std::string();
        End();
        std::ifstream in(name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

private:
    void End()
    {
        theLogger = nullptr;
        logger.reset();
    }

    test::TempFolder folder;
    std::unique_ptr<Logger> logger;
};

class SerPortTraffic : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        InitGrammarBuiltins();
        ComposeActionRegistry::Instance().Register("port_test_count", CountAnswer);
    }

    SerPortTraffic() : port(harness.MakePort()) { answersComposed = 0; }

    // A protocol of the user's namespace, set as the current PROTO slot's.
    SendSlot& UseProtocol(const std::string& name, const std::string& rule)
    {
        port->mode = SerPort::ModeProto;
        SendSlot& slot = port->CurrentProtoSlot();
        slot.protoName = name;
        slot.protoId = CreateArticle(GrammarNamespace, name, rule)->uid;
        return slot;
    }
    static Uuid Answer(const std::string& rule) { return CreateArticle(GrammarNamespace, "answer", rule)->uid; }
    // A slot that decodes with `rule` and answers with `answerRule` after `delayMs`.
    SendSlot& UseAnswer(const std::string& name, const std::string& rule, const std::string& answerRule, int delayMs)
    {
        SendSlot& slot = UseProtocol(name, rule);
        slot.isActionAnswer = true;
        slot.actionDelay = delayMs;
        slot.answerId = Answer(answerRule);
        return slot;
    }

    const LogLine& Last() const { return port->rows.back(); }

    static constexpr uint32_t tick = 12345;
    PortHarness harness;
    std::unique_ptr<SerPort> port;
};

TEST_F(SerPortTraffic, FrameOverTwoChunksDecodesOnceComplete)
{
    SendSlot& slot = UseProtocol("frame", "\"AB\" {byte}");
    slot.isIgnoreStarting = false;
    port->OnReceive("A", tick, true);
    ASSERT_EQ(port->rows.size(), 1u);
    EXPECT_EQ(Last().direction, RowReceived);
    EXPECT_EQ(Last().timeText, RowTimeText(tick, StartTick));
    EXPECT_EQ(Last().protoName, "");

    port->OnReceive("B\x05", tick + 5, false);
    ASSERT_EQ(port->rows.size(), 1u);
    EXPECT_EQ(Last().data, "AB\x05");
    EXPECT_EQ(Last().protoName, "frame");
    EXPECT_EQ(Last().protoValues, " 5");

    port->OnReceive("\x06", tick + 9, false);  // still decodes: the values are replaced
    EXPECT_EQ(Last().protoValues, " 5 6");
    EXPECT_EQ(Last().timeText, RowTimeText(tick, StartTick));

    port->OnReceive("AB\x07", tick + 90, true);
    ASSERT_EQ(port->rows.size(), 2u);
    EXPECT_EQ(Last().protoValues, " 7");
}

TEST_F(SerPortTraffic, FailedDecodingKeepsWhatAnEarlierChunkStored)
{
    UseProtocol("frame", "\"AB\" byte \"Z\"").isIgnoreStarting = false;
    port->OnReceive("AB\x01Z", tick, true);
    EXPECT_EQ(Last().protoValues, " 1");
    port->CurrentProtoSlot().protoId = Answer("\"Q\"");  // a protocol that no longer matches
    port->OnReceive("more", tick, false);
    EXPECT_EQ(Last().protoName, "frame");
    EXPECT_EQ(Last().protoValues, " 1");
}

TEST_F(SerPortTraffic, IgnoringStartingJunkPicksTheLongestTail)
{
    UseProtocol("a", "\"A\" byte");
    port->OnReceive("zAA\x07", tick, true);
    EXPECT_EQ(Last().protoValues, " 65");  // from the first "A", not " 7" from the second

    port->CurrentProtoSlot().isIgnoreStarting = false;
    port->OnReceive("zAA\x07", tick, true);
    EXPECT_EQ(Last().protoName, "");
}

TEST_F(SerPortTraffic, DisplayHexShowsIntsInHexadecimal)
{
    UseProtocol("hex", "byte byte word_be").isDisplayHex = true;
    port->OnReceive(std::string("\x0a\xff\x10\x00", 4), tick, true);
    EXPECT_EQ(Last().protoValues, " 0x0a 0xff 0x1000");
}

TEST_F(SerPortTraffic, NothingDecodesWithoutParseProtocolOrProtoMode)
{
    SendSlot& slot = UseProtocol("frame", "\"AB\" byte");
    slot.isParse = false;
    port->OnReceive("AB\x01", tick, true);
    slot.isParse = true;
    port->mode = SerPort::ModeAscii;
    port->OnReceive("AB\x02", tick, true);
    port->mode = SerPort::ModeProto;
    slot.protoId = Uuid::Create();  // deleted meanwhile
    port->OnReceive("AB\x03", tick, true);
    ASSERT_EQ(port->rows.size(), 3u);
    for (const LogLine& row : port->rows)
        EXPECT_EQ(row.protoName, "") << row.data;
}

TEST_F(SerPortTraffic, DecodingWithoutValuesHasNoLogText)
{
    LogCapture log;
    UseProtocol("hello", "\"HI\"");
    port->OnReceive("HI", tick, true);
    EXPECT_EQ(Last().protoName, "hello");
    EXPECT_EQ(Last().protoValues, "");
    port->FlushLog();
    const std::string text = log.Read(port->deviceName);
    EXPECT_EQ(text.substr(0, text.find('\n')), RowTimeText(tick, StartTick) + " >> ");
}

TEST_F(SerPortTraffic, SentRowsDecodeInProtoModeEvenWithoutParse)
{
    SendSlot& slot = UseAnswer("frame", "\"AB\" byte", "port_test_count", 0);
    slot.isParse = false;
    port->OnSent("AB\x09", tick);
    ASSERT_EQ(port->rows.size(), 1u);
    EXPECT_EQ(Last().direction, RowSent);
    EXPECT_EQ(Last().protoName, "frame");
    EXPECT_EQ(Last().protoValues, " 9");
    EXPECT_EQ(answersComposed, 0);  // a sent row is never answered
}

TEST_F(SerPortTraffic, SingleSendEndsWithItsSentRow)
{
    port->sending = true;
    port->OnSent("", tick);  // an empty block adds nothing and changes nothing
    EXPECT_TRUE(port->rows.empty());
    EXPECT_TRUE(port->sending);
    port->OnSent("x", tick);
    EXPECT_FALSE(port->sending);

    // Whether a send repeats is the started send's: a slot chosen since changes nothing.
    port->CurrentSlot().isRepeat = true;
    port->repeating = false;
    port->sending = true;
    port->OnSent("y", tick);
    EXPECT_FALSE(port->sending);
    port->CurrentSlot().isRepeat = false;
    port->repeating = true;
    port->sending = true;
    port->OnSent("z", tick);
    EXPECT_TRUE(port->sending);
    EXPECT_EQ(port->rows.size(), 3u);
}

TEST_F(SerPortTraffic, LogGetsTheReceivedRowBeforeTheSentOne)
{
    LogCapture log;
    port->OnReceive("in", tick, true);
    EXPECT_FALSE(Last().logged);
    port->OnSent("out", tick + 1);
    for (const LogLine& row : port->rows)
        EXPECT_TRUE(row.logged);
    const std::string text = log.Read(port->deviceName);
    const std::size_t received = text.find(" >> ");
    const std::size_t sent = text.find(" << ");
    ASSERT_NE(received, std::string::npos) << text;
    ASSERT_NE(sent, std::string::npos) << text;
    EXPECT_LT(received, sent);
    EXPECT_NE(text.find("in"), std::string::npos);
    EXPECT_NE(text.find("out"), std::string::npos);
}

TEST_F(SerPortTraffic, RowsAreHandedOverOnceWhenTheNextRowStarts)
{
    LogCapture log;
    port->OnReceive("one", tick, true);
    port->OnReceive("two", tick, true);  // the first row is finished
    EXPECT_TRUE(port->rows[0].logged);
    EXPECT_FALSE(port->rows[1].logged);
    port->FlushLog();
    port->FlushLog();
    const std::string text = log.Read(port->deviceName);
    EXPECT_EQ(text.find("one"), text.rfind("one"));
    EXPECT_NE(text.find("two"), std::string::npos);
}

TEST_F(SerPortTraffic, NoLoggerLogsNothing)
{
    port->OnReceive("one", tick, true);
    port->FlushLog();
    EXPECT_FALSE(Last().logged);  // kept for a writer that may come
}

TEST_F(SerPortTraffic, BytesOfAClearedBurstStartANewRow)
{
    port->OnReceive("ab", tick, true);
    port->rows.clear();  // the log was cleared in the middle of the burst
    port->OnReceive("cd", tick + 3, false);
    ASSERT_EQ(port->rows.size(), 1u);
    EXPECT_EQ(Last().direction, RowReceived);
    EXPECT_EQ(Last().data, "cd");
}

TEST_F(SerPortTraffic, BytesOfABurstJoinItsRowPastASentRow)
{
    port->OnReceive("ab", tick, true);
    port->OnSent("x", tick);
    port->OnReceive("cd", tick, false);
    ASSERT_EQ(port->rows.size(), 2u);
    EXPECT_EQ(port->rows[0].data, "abcd");
}

TEST_F(SerPortTraffic, AnswerWithoutDelayIsSentAtOnce)
{
    SendSlot& slot = UseAnswer("frame", "\"AB\" {byte}", "\"R\" {byte}", 0);
    slot.isIgnoreStarting = false;
    port->sending = true;  // an answer goes out even while another send runs
    port->OnReceive("AB\x05", tick, true);
    EXPECT_EQ(port->output, "R\x05");
    EXPECT_TRUE(PortHarness::PumpUntil(*port, [&] { return harness.device->Output() == "R\x05"; }));
    port->OnReceive("\x06", tick, false);  // every later match answers again
    EXPECT_EQ(port->output, "R\x05\x06");
    EXPECT_TRUE(PortHarness::PumpUntil(*port, [&] { return harness.device->Output() == "R\x05R\x05\x06"; }));
}

TEST_F(SerPortTraffic, AnswerResolvesTheEscapesItsProtocolWrote)
{
    UseAnswer("text", "str_quoted", "str_quoted", 0);
    port->OnReceive("\"a\\0Ab\"", tick, true);
    EXPECT_EQ(port->output, "\"a\nb\"");
}

TEST_F(SerPortTraffic, AnswerThatDoesNotComposeSendsNothing)
{
    SendSlot& slot = UseAnswer("frame", "\"AB\" byte", "\"R\" str_quoted", 0);  // needs a string, gets an int
    port->output = "before";
    port->sending = true;
    port->OnReceive("AB\x05", tick, true);
    EXPECT_EQ(port->output, "before");
    EXPECT_TRUE(port->sending);
    slot.answerId = Uuid();
    port->OnReceive("AB\x05", tick, true);
    EXPECT_EQ(port->output, "before");
}

// Protocols whose loops push a register at every turn run until their budget is spent: the
// received row, the sent row and the answer give up (nothing decoded, nothing sent) instead of
// holding the window.
TEST_F(SerPortTraffic, EndlessProtocolsGiveUpWhenTheBudgetIsSpent)
{
    // As the editor's section grammar leaves it: the unclosed loop is built all the same.
    UseProtocol("endless", "byte set_rep {BNFrv");
    port->OnReceive(std::string(22, '\x03'), tick, true);
    EXPECT_EQ(Last().protoName, "");
    port->OnSent("\x01\x02", tick);
    EXPECT_EQ(Last().protoName, "");

    UseAnswer("frame", "\"AB\" byte", "{crc_start}", 0);
    port->output = "before";
    port->OnReceive("AB\x05", tick, true);
    EXPECT_EQ(Last().protoName, "frame");
    EXPECT_EQ(port->output, "before");
}

// A frame behind any amount of junk, arriving in chunks as a worker reads them, is decoded and
// answered: each chunk tries again only the starts that are still open.
struct JunkCase : test::NamedCase {
    std::size_t junk;
};

class FrameBehindJunk : public SerPortTraffic, public ::testing::WithParamInterface<JunkCase> {};

TEST_P(FrameBehindJunk, IsDecodedAndAnswered)
{
    UseAnswer("counted", "byte set_rep {rep byte} \"Z\"", "port_test_count", 0);
    const std::string row = std::string(GetParam().junk, '\xFF') + "\x02\x07\x08Z";
    for (std::size_t at = 0; at < row.size(); at += 64)
        port->OnReceive(row.substr(at, 64), tick, at == 0);
    ASSERT_EQ(port->rows.size(), 1u);
    EXPECT_EQ(Last().protoName, "counted");
    EXPECT_EQ(Last().protoValues.substr(Last().protoValues.size() - 4), " 7 8");
    EXPECT_GE(answersComposed, 1);
}

const JunkCase JunkCases[] = {{"Behind800Bytes", 800}, {"Behind2000Bytes", 2000}, {"Behind4000Bytes", 4000}};
INSTANTIATE_TEST_SUITE_P(Rows, FrameBehindJunk, ::testing::ValuesIn(JunkCases), test::CaseName<JunkCase>);

TEST_F(SerPortTraffic, DelayedAnswerIsSentWhenTheDelayEnds)
{
    UseAnswer("frame", "\"AB\" byte", "port_test_count", 30);
    port->OnReceive("AB\x05", tick, true);
    EXPECT_EQ(answersComposed, 0);
    EXPECT_TRUE(PortHarness::PumpUntil(*port, [] { return answersComposed == 1; }));
    EXPECT_EQ(port->output, "!");
}

TEST_F(SerPortTraffic, DelayedAnswerOfAClosedTabIsDropped)
{
    UseAnswer("frame", "\"AB\" byte", "port_test_count", 20);
    port->OnReceive("AB\x05", tick, true);
    port.reset();
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(120);
    while (std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(answersComposed, 0);
}

TEST_F(SerPortTraffic, ClosingTheTabLogsEveryRowAndWhatWasStillQueued)
{
    LogCapture log;
    UseAnswer("frame", "\"AB\" byte", "port_test_count", 0);
    port->OnReceive("pending", tick, true);
    // Posted by the worker, not yet run by the main window's timer.
    port->Post(&SThread::Notifier::OnReceive, std::string("AB\x05"), tick + 1, true);
    port->Post(&SThread::Notifier::OnSendDone, port->runningSend);
    const std::string device = port->deviceName;
    port.reset();
    const std::string text = log.Read(device);
    EXPECT_NE(text.find("pending"), std::string::npos) << text;
    EXPECT_NE(text.find("frame :  5"), std::string::npos) << text;  // decoded...
    EXPECT_EQ(answersComposed, 0);                                  // ...but not answered
}

TEST_F(SerPortTraffic, WorkerBurstBecomesADecodedRow)
{
    UseProtocol("frame", "\"AB\" byte");
    harness.device->AddInput("xAB\x05");
    ASSERT_TRUE(PortHarness::PumpUntil(*port, [&] { return !port->rows.empty() && !Last().protoName.empty(); }));
    EXPECT_EQ(Last().data, "xAB\x05");
    EXPECT_EQ(Last().protoValues, " 5");
}

}  // namespace
}  // namespace baudrill::test
