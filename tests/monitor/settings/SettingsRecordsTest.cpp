#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "monitor/traffic/LogLine.h"
#include "monitor/send/SendSlot.h"
#include "monitor/settings/SettingsStream.h"
#include "tests/support/monitor/SettingsBytes.h"

namespace baudrill::test {
namespace {

LogLine SampleRow()
{
    LogLine row;
    row.direction = RowReceived;
    row.data = "AB";
    row.protoValues = " 5";
    row.timeText = "00:01.002";
    row.height = 20;
    row.lineCount = 1;
    row.logged = true;
    return row;
}

SendSlot SampleSlot()
{
    SendSlot slot;
    slot.entry = "hi";
    slot.protoName = "P";
    slot.answerProtoName = "Q";
    slot.protoId = Uuid::Create();
    slot.isCR = true;
    slot.isParse = false;
    slot.isActionAnswer = true;
    slot.isRepeat = true;
    slot.repeatPeriod = 250;
    slot.actionDelay = 0;
    return slot;
}

TEST(SettingsRecords, LogLineIsSevenItemsWithoutLogged)
{
    const std::string expected = Int32Bytes(1) + Bytes({2, 'A', 'B'}) + Bytes({0}) + Bytes({2, ' ', '5'}) + Bytes({9}) +
                                 "00:01.002" + Int32Bytes(20) + Int32Bytes(1);
    EXPECT_EQ(StoredBytes(SampleRow()), expected);

    SettingsStream in = LoadingContent(expected);
    LogLine loaded;
    loaded.protoName = "old";
    in % loaded;
    EXPECT_TRUE(in.IsFrameComplete());
    EXPECT_EQ(loaded.direction, RowReceived);
    EXPECT_EQ(loaded.data, "AB");
    EXPECT_EQ(loaded.protoName, "");
    EXPECT_EQ(loaded.protoValues, " 5");
    EXPECT_EQ(loaded.timeText, "00:01.002");
    EXPECT_EQ(loaded.height, 20);
    EXPECT_EQ(loaded.lineCount, 1);
    EXPECT_FALSE(loaded.logged);
}

TEST(SettingsRecords, SendSlotIsTwelveItemsWithoutTheUuids)
{
    const std::string expected =
        Bytes({2, 'h', 'i', 1, 'P'}) + Bytes({1, 0, 0, 1, 0, 1}) + Bytes({1, 'Q', 1}) + Int32Bytes(250) + Int32Bytes(0);
    EXPECT_EQ(StoredBytes(SampleSlot()), expected);

    SettingsStream in = LoadingContent(expected);
    SendSlot loaded;
    in % loaded;
    EXPECT_TRUE(in.IsFrameComplete());
    const SendSlot sample = SampleSlot();
    EXPECT_EQ(loaded.entry, sample.entry);
    EXPECT_EQ(loaded.protoName, sample.protoName);
    EXPECT_EQ(loaded.answerProtoName, sample.answerProtoName);
    EXPECT_TRUE(loaded.protoId.IsNull());
    EXPECT_EQ((std::vector<bool>{loaded.isCR, loaded.isLF, loaded.isParse, loaded.isIgnoreStarting, loaded.isDisplayHex,
                                 loaded.isActionAnswer, loaded.isRepeat}),
              (std::vector<bool>{true, false, false, true, false, true, true}));
    EXPECT_EQ(loaded.repeatPeriod, 250);
    EXPECT_EQ(loaded.actionDelay, 0);
}

TEST(SettingsRecords, TenDefaultSlotsBeginWith0B)
{
    const std::string stored = StoredBytes(std::vector<SendSlot>(SendSlotCount));
    ASSERT_EQ(stored.size(), 1u + 10u * 18u);  // 3 strings, 7 bools, 2 ints each
    EXPECT_EQ(stored[0], 0x0B);
    EXPECT_EQ(stored.substr(1, 18), StoredBytes(SendSlot()));
}

TEST(SettingsRecords, RowsCutShortKeepWhatWasRead)
{
    std::vector<LogLine> rows(3, SampleRow());
    rows[1].data = std::string(200, 'x');
    std::string stored = StoredBytes(rows);
    stored.resize(stored.size() - 15);  // into the third row's time text

    SettingsStream in = LoadingContent(stored);
    std::vector<LogLine> loaded;
    in % loaded;
    EXPECT_TRUE(in.IsError());
    ASSERT_EQ(loaded.size(), 3u);
    EXPECT_EQ(loaded[1].data, rows[1].data);
    EXPECT_EQ(loaded[2].data, "AB");
    EXPECT_EQ(loaded[2].timeText, "");
    EXPECT_EQ(loaded[2].height, 0);
}

}  // namespace
}  // namespace baudrill::test
