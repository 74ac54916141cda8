#include <gtest/gtest.h>

#include <vector>

#include "grammar/BNFarticle.h"
#include "grammar/compiler/ArticleFactory.h"
#include "monitor/text/ProgramTexts.h"
#include "monitor/settings/LoadedPortItems.h"

namespace baudrill::test {
namespace {

TEST(LoadedPortItems, ModeSlotAndBaudAreBroughtIntoRange)
{
    struct Case {
        int loaded, mode, slot;
    };
    const Case cases[] = {{0, 0, 0}, {2, 2, 2}, {9, 1, 9}, {-1, 1, 0}, {3, 1, 3}, {10, 1, 0}, {INT32_MIN, 1, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(LoadedMode(c.loaded), c.mode) << c.loaded;
        EXPECT_EQ(LoadedSlotIndex(c.loaded), c.slot) << c.loaded;
    }
    EXPECT_EQ(LoadedBaud(115200, 9600), 115200);
    EXPECT_EQ(LoadedBaud(1, 9600), 1);
    EXPECT_EQ(LoadedBaud(0, 9600), 9600);
    EXPECT_EQ(LoadedBaud(-300, 9600), 9600);
}

TEST(LoadedPortItems, PortCountIsBoundedAndCheckedAgainstTheBytesLeft)
{
    EXPECT_EQ(LoadablePortCount(0, 0), 0);
    EXPECT_EQ(LoadablePortCount(2, 2 * MinStoredPortBytes), 2);
    EXPECT_EQ(LoadablePortCount(2, 2 * MinStoredPortBytes - 1), -1);
    // Past the bound only the ports that are made need their bytes.
    EXPECT_EQ(LoadablePortCount(300, MaxLoadedPorts * MinStoredPortBytes), MaxLoadedPorts);
    EXPECT_EQ(LoadablePortCount(300, MaxLoadedPorts * MinStoredPortBytes - 1), -1);
}

TEST(LoadedPortItems, SlotsAreExactlyTenWithPeriodsAndDelaysInRange)
{
    std::vector<SendSlot> few(3);
    few[0].entry = "kept";
    few[0].repeatPeriod = 0;
    few[1].repeatPeriod = RepeatPeriodMax + 1;
    few[2].repeatPeriod = -5;
    few[2].actionDelay = -1;
    MendLoadedSlots(few);
    ASSERT_EQ(few.size(), 10u);
    EXPECT_EQ(few[0].entry, "kept");
    for (const SendSlot& s : few) {
        EXPECT_EQ(s.repeatPeriod, 100);
        EXPECT_EQ(s.actionDelay, 100);
    }

    std::vector<SendSlot> many(12);
    many[0].repeatPeriod = 1;
    many[1].repeatPeriod = RepeatPeriodMax;
    many[1].actionDelay = 0;
    many[9].entry = "tenth";
    many[10].entry = "dropped";
    MendLoadedSlots(many);
    ASSERT_EQ(many.size(), 10u);
    EXPECT_EQ(many[0].repeatPeriod, 1);
    EXPECT_EQ(many[1].repeatPeriod, RepeatPeriodMax);
    EXPECT_EQ(many[1].actionDelay, 0);
    EXPECT_EQ(many[9].entry, "tenth");
}

TEST(LoadedPortItems, ProtocolsAreFoundByNameFirstOneWins)
{
    const Uuid first = CreateArticle(GrammarNamespace, "loadedTwin", "")->uid;
    const Uuid second = CreateArticle(GrammarNamespace, "loadedTwin", "")->uid;
    ASSERT_NE(first, second);
    const Uuid other = CreateArticle(GrammarNamespace, "loadedOther", "")->uid;

    SendSlot slot;
    slot.protoName = "loadedTwin";
    slot.answerProtoName = "loadedOther";
    FindSlotProtocols(slot);
    EXPECT_EQ(slot.protoId, first);
    EXPECT_EQ(slot.answerId, other);
    EXPECT_EQ(slot.protoName, "loadedTwin");

    SendSlot gone;
    gone.protoName = "loadedNoSuchProtocol";
    gone.answerProtoName = "loadedNoSuchAnswer";
    gone.protoId = Uuid::Create();
    FindSlotProtocols(gone);
    EXPECT_EQ(gone.protoName, "");
    EXPECT_EQ(gone.answerProtoName, "");
    EXPECT_TRUE(gone.protoId.IsNull());
    EXPECT_TRUE(gone.answerId.IsNull());

    // Names are compared exactly; an empty name finds nothing.
    EXPECT_TRUE(FindProtocolByName("loadedtwin").IsNull());
    EXPECT_TRUE(FindProtocolByName("").IsNull());
}

TEST(LoadedPortItems, RowsAreLoggedAndBadHeightsRecomputed)
{
    std::vector<LogLine> rows(4);
    rows[0].height = 30;
    rows[0].lineCount = 2;
    rows[1].height = -4;
    rows[1].lineCount = 2;
    rows[2].height = 30;
    rows[2].lineCount = 0;
    MarkRowsLoaded(rows);
    for (const LogLine& row : rows)
        EXPECT_TRUE(row.logged);
    EXPECT_EQ(rows[0].height, 30);
    EXPECT_EQ(rows[0].lineCount, 2);
    EXPECT_EQ(rows[1].height, 0);
    EXPECT_EQ(rows[2].height, 0);
    EXPECT_EQ(rows[3].height, 0);
}

}  // namespace
}  // namespace baudrill::test
