#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "grammar/BNFarticle.h"
#include "grammar/compiler/ArticleFactory.h"
#include "monitor/text/ProgramTexts.h"
#include "monitor/port/SerPort.h"
#include "monitor/settings/LoadedPortItems.h"
#include "monitor/settings/SettingsStream.h"
#include "tests/support/gui/PortHarness.h"
#include "tests/support/monitor/SettingsBytes.h"

namespace baudrill::test {
namespace {

std::string StoredPort(SerPort& port)
{
    SettingsStream out;
    port.Serialize(out);
    return std::string(out.Content());
}

// Loads the content into the port; true when it loaded without an error.
bool LoadPort(SerPort& port, const std::string& content)
{
    SettingsStream in = LoadingContent(content);
    port.Serialize(in);
    return !in.IsError();
}

// Opens the port's device under the worker's lock as the port does, unless it is open already.
void EnsureOpen(SerPort& port)
{
    if (port.state == SerPort::StateOpen)
        return;
    port.settings.baud = port.baud;
    const auto lock = port.worker->LockPort();
    ASSERT_GE(port.port->Open(port.deviceName.c_str(), &port.settings), 0);
    port.worker->SetOpen(true);
    port.state = SerPort::StateOpen;
}

// The items of a port, written by hand: the five settings, three slot vectors and the rows.
std::string PortContent(int baud, int mode, int slot, const std::vector<SendSlot>& ascii,
                        const std::vector<SendSlot>& hex, const std::vector<SendSlot>& proto,
                        const std::vector<LogLine>& rows)
{
    return Int32Bytes(baud) + Bytes({1, 0}) + Int32Bytes(mode) + Int32Bytes(slot) + StoredBytes(ascii) +
           StoredBytes(hex) + StoredBytes(proto) + StoredBytes(rows);
}

class SerPortSettings : public testing::Test {
protected:
    PortHarness harness;
};

TEST_F(SerPortSettings, RoundTripKeepsSettingsAllThirtySlotsAndRows)
{
    const std::string protoName = "portSettingsProto";
    const Uuid protoId = CreateArticle(GrammarNamespace, protoName, "")->uid;

    auto stored = harness.MakePort("/dev/ttyFAKE0");
    stored->baud = 115200;
    stored->rtsCts = true;
    stored->xonXoff = true;
    stored->mode = SerPort::ModeProto;
    stored->slot = 7;
    stored->wordLength = 7;
    stored->parity = 2;
    stored->stopBits = 2;
    for (int i = 0; i < SendSlotCount; ++i) {
        stored->asciiSlots[i].entry = "ascii" + std::to_string(i);
        stored->asciiSlots[i].isCR = i % 2 == 0;
        stored->asciiSlots[i].repeatPeriod = 10 + i;
        stored->hexSlots[i].entry = "0" + std::to_string(i);
        stored->hexSlots[i].isRepeat = i == 3;
        stored->protoSlots[i].entry = "values " + std::to_string(i);
        stored->protoSlots[i].protoName = protoName;
        stored->protoSlots[i].answerProtoName = i == 5 ? protoName : "";
        stored->protoSlots[i].isActionAnswer = i == 5;
        stored->protoSlots[i].actionDelay = i;
    }
    for (int i = 0; i < 3; ++i) {
        LogLine row;
        row.direction = i % 2;
        row.data = std::string(static_cast<std::size_t>(100 * i), static_cast<char>('a' + i));
        row.timeText = "00:0" + std::to_string(i) + ".000";
        row.logged = i == 0;  // logged or not, every row is stored
        stored->rows.push_back(row);
    }
    const std::string bytes = StoredPort(*stored);
    ASSERT_GT(bytes.size(), 14u);
    EXPECT_EQ(bytes.substr(0, 14), Int32Bytes(115200) + Bytes({1, 1}) + Int32Bytes(0) + Int32Bytes(7));
    EXPECT_EQ(bytes[14], 0x0B);  // ten ASCII slots

    auto loaded = harness.MakePort("/dev/ttyFAKE1");
    loaded->wordLength = 6;  // not in the file: a load leaves them alone
    ASSERT_TRUE(LoadPort(*loaded, bytes));
    EXPECT_EQ(loaded->baud, 115200);
    EXPECT_TRUE(loaded->rtsCts);
    EXPECT_TRUE(loaded->xonXoff);
    EXPECT_EQ(loaded->mode, SerPort::ModeProto);
    EXPECT_EQ(loaded->slot, 7);
    EXPECT_EQ(loaded->wordLength, 6);
    EXPECT_EQ(loaded->parity, 0);
    EXPECT_EQ(loaded->stopBits, 1);
    ASSERT_EQ(loaded->asciiSlots.size(), 10u);
    ASSERT_EQ(loaded->hexSlots.size(), 10u);
    ASSERT_EQ(loaded->protoSlots.size(), 10u);
    for (int i = 0; i < SendSlotCount; ++i) {
        EXPECT_EQ(loaded->asciiSlots[i].entry, stored->asciiSlots[i].entry);
        EXPECT_EQ(loaded->asciiSlots[i].isCR, stored->asciiSlots[i].isCR);
        EXPECT_EQ(loaded->asciiSlots[i].repeatPeriod, 10 + i);
        EXPECT_EQ(loaded->hexSlots[i].entry, stored->hexSlots[i].entry);
        EXPECT_EQ(loaded->hexSlots[i].isRepeat, i == 3);
        EXPECT_EQ(loaded->protoSlots[i].entry, stored->protoSlots[i].entry);
        EXPECT_EQ(loaded->protoSlots[i].protoId, protoId);
        EXPECT_EQ(loaded->protoSlots[i].answerId.IsNull(), i != 5);
        EXPECT_EQ(loaded->protoSlots[i].isActionAnswer, i == 5);
        EXPECT_EQ(loaded->protoSlots[i].actionDelay, i);
    }
    ASSERT_EQ(loaded->rows.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(loaded->rows[i].direction, stored->rows[i].direction);
        EXPECT_EQ(loaded->rows[i].data, stored->rows[i].data);
        EXPECT_EQ(loaded->rows[i].timeText, stored->rows[i].timeText);
        EXPECT_TRUE(loaded->rows[i].logged);
    }
    // What was loaded stores the same bytes again.
    EXPECT_EQ(StoredPort(*loaded), bytes);
}

TEST_F(SerPortSettings, PortWithEmptyVectorsTakesTheLeastBytes)
{
    auto port = harness.MakePort();
    port->asciiSlots.clear();
    port->hexSlots.clear();
    port->protoSlots.clear();
    EXPECT_EQ(StoredPort(*port).size(), static_cast<std::size_t>(MinStoredPortBytes));
}

TEST_F(SerPortSettings, ProtocolsAreFoundByNameOrForgotten)
{
    const Uuid first = CreateArticle(GrammarNamespace, "portTwin", "")->uid;
    CreateArticle(GrammarNamespace, "portTwin", "");
    const Uuid answer = CreateArticle(GrammarNamespace, "portAnswer", "")->uid;

    std::vector<SendSlot> proto(SendSlotCount);
    proto[0].protoName = "portTwin";
    proto[0].answerProtoName = "portAnswer";
    proto[1].protoName = "portDeleted";
    proto[1].answerProtoName = "portDeletedToo";
    auto port = harness.MakePort();
    ASSERT_TRUE(
        LoadPort(*port, PortContent(9600, 0, 0, std::vector<SendSlot>(10), std::vector<SendSlot>(10), proto, {})));
    EXPECT_EQ(port->protoSlots[0].protoId, first);
    EXPECT_EQ(port->protoSlots[0].answerId, answer);
    EXPECT_EQ(port->protoSlots[0].protoName, "portTwin");
    EXPECT_EQ(port->protoSlots[1].protoName, "");
    EXPECT_EQ(port->protoSlots[1].answerProtoName, "");
    EXPECT_TRUE(port->protoSlots[1].protoId.IsNull());
    EXPECT_TRUE(port->protoSlots[1].answerId.IsNull());
}

TEST_F(SerPortSettings, OutOfRangeValuesAreMended)
{
    std::vector<SendSlot> ascii(3);
    ascii[2].entry = "third";
    ascii[2].repeatPeriod = 0;
    std::vector<SendSlot> hex(12);
    hex[11].entry = "twelfth";
    hex[0].actionDelay = -7;
    std::vector<LogLine> rows(2);
    rows[0].height = -3;
    rows[0].lineCount = 1;
    rows[1].height = 40;
    rows[1].lineCount = 3;

    auto port = harness.MakePort();
    ASSERT_TRUE(LoadPort(*port, PortContent(-5, 7, 12, ascii, hex, {}, rows)));
    EXPECT_EQ(port->baud, 9600);
    EXPECT_EQ(port->mode, SerPort::ModeAscii);
    EXPECT_EQ(port->slot, 0);
    ASSERT_EQ(port->asciiSlots.size(), 10u);
    ASSERT_EQ(port->hexSlots.size(), 10u);
    ASSERT_EQ(port->protoSlots.size(), 10u);
    EXPECT_EQ(port->asciiSlots[2].entry, "third");
    EXPECT_EQ(port->asciiSlots[2].repeatPeriod, 100);
    EXPECT_EQ(port->hexSlots[0].actionDelay, 100);
    EXPECT_EQ(port->hexSlots[9].entry, "");
    ASSERT_EQ(port->rows.size(), 2u);
    EXPECT_EQ(port->rows[0].height, 0);
    EXPECT_EQ(port->rows[1].height, 40);
    EXPECT_TRUE(port->rows[0].logged && port->rows[1].logged);
}

TEST_F(SerPortSettings, LoadCutShortKeepsWhatWasReadAndStaysInRange)
{
    std::vector<LogLine> rows(2);
    rows[0].data = "first";
    rows[1].data = "second";
    std::vector<SendSlot> ascii(10);
    ascii[4].entry = "kept";
    std::string content = PortContent(19200, 2, 4, ascii, std::vector<SendSlot>(10), std::vector<SendSlot>(10), rows);
    content.resize(content.size() - 2);  // into the second row's line count

    auto port = harness.MakePort();
    EXPECT_FALSE(LoadPort(*port, content));
    EXPECT_EQ(port->baud, 19200);
    EXPECT_EQ(port->mode, SerPort::ModeHex);
    EXPECT_EQ(port->asciiSlots[4].entry, "kept");
    ASSERT_EQ(port->rows.size(), 2u);
    EXPECT_EQ(port->rows[0].data, "first");
    EXPECT_EQ(port->rows[1].data, "second");
    EXPECT_EQ(port->rows[1].lineCount, 0);
    EXPECT_TRUE(port->rows[1].logged);

    // A row count that the rest of the file cannot hold loads no row at all.
    auto lying = harness.MakePort();
    EXPECT_FALSE(LoadPort(*lying, content.substr(0, content.size() - 10)));
    EXPECT_EQ(lying->asciiSlots[4].entry, "kept");
    EXPECT_TRUE(lying->rows.empty());

    // A file that breaks off in the slots still leaves ten of each.
    auto early = harness.MakePort();
    EXPECT_FALSE(LoadPort(*early, content.substr(0, 14 + 1 + 18 * 4 + 5)));
    EXPECT_EQ(early->asciiSlots.size(), 10u);
    EXPECT_EQ(early->hexSlots.size(), 10u);
    EXPECT_TRUE(early->rows.empty());
}

TEST_F(SerPortSettings, LoadedRateIsAppliedToAnOpenDevice)
{
    auto port = harness.MakePort();
    EnsureOpen(*port);
    ASSERT_TRUE(LoadPort(*port, PortContent(57600, 1, 0, {}, {}, {}, {})));
    EXPECT_EQ(port->baud, 57600);
    EXPECT_EQ(harness.device->State().baudRate, 57600);

    // A rate the device refuses: the device keeps its rate, the port the loaded one for the
    // next open.
    harness.device->FailCall(platform::FakeCommDevice::Call::SetState);
    ASSERT_TRUE(LoadPort(*port, PortContent(4800, 1, 0, {}, {}, {}, {})));
    EXPECT_EQ(port->baud, 4800);
    EXPECT_EQ(harness.device->State().baudRate, 57600);
}

TEST_F(SerPortSettings, LoadedRateOnAClosedDeviceIsOnlyStored)
{
    auto port = harness.MakePort("/dev/ttyMISSING", false);
    ASSERT_NE(port->state, SerPort::StateOpen);
    ASSERT_TRUE(LoadPort(*port, PortContent(38400, 1, 0, {}, {}, {}, {})));
    EXPECT_EQ(port->baud, 38400);
    EXPECT_EQ(harness.device->CallCount(platform::FakeCommDevice::Call::SetState), 0);
}

}  // namespace
}  // namespace baudrill::test
