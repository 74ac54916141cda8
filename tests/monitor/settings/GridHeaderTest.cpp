#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "monitor/settings/GridHeader.h"
#include "monitor/settings/SettingsStream.h"
#include "tests/support/monitor/SettingsBytes.h"
#include "tests/support/NamedCase.h"

namespace baudrill::test {
namespace {

TEST(GridHeader, DefaultColumnsAreStoredAsTheFrameworkWritesThem)
{
    // Version 4, four columns, then index, ratio and visible flag of each: 2 + 4 * 13 bytes.
    const std::string expected = Bytes({0x05, 0x05}) + Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x10, 0x40, 1}) +  // 0, 4.0
                                 Bytes({1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x26, 0x40, 1}) +    // 1, 11.0
                                 Bytes({2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x26, 0x40, 1}) +    // 2, 11.0
                                 Bytes({3, 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x56, 0x40, 1});  // 3, 90.0
    EXPECT_EQ(StoredBytes(GridHeader::OfRatios({4, 11, 11, 90})), expected);
    EXPECT_EQ(HeaderFixture({4, 11, 11, 90}), expected);
}

TEST(GridHeader, LoadsEveryColumnAndStoresTheSameBytes)
{
    const std::string fixture = HeaderFixture({37.25, 120, 0.5, 742});
    ASSERT_EQ(fixture.size(), 2u + 4u * 13u);
    SettingsStream in = LoadingContent(fixture);
    GridHeader loaded;
    in % loaded;
    EXPECT_TRUE(in.IsFrameComplete());
    EXPECT_EQ(loaded.Ratios(), (std::vector<double>{37.25, 120, 0.5, 742}));
    EXPECT_EQ(StoredBytes(loaded), fixture);
}

TEST(GridHeader, RatiosLoadAsTheyStandWhateverTheirValue)
{
    // Judging them is the grid's task; the file keeps every bit pattern.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    SettingsStream in = LoadingContent(HeaderFixture({nan, -3, std::numeric_limits<double>::infinity(), 0}));
    GridHeader loaded;
    in % loaded;
    EXPECT_TRUE(in.IsFrameComplete());
    ASSERT_EQ(loaded.columns.size(), 4u);
    EXPECT_TRUE(std::isnan(loaded.columns[0].ratio));
    EXPECT_EQ(loaded.columns[1].ratio, -3);
    EXPECT_TRUE(std::isinf(loaded.columns[2].ratio));
}

// A header of `count` columns written out in full, with the long count form.
std::string HeaderOfCount(int count)
{
    std::string out = Bytes({0x05, 0xFF}) + Int32Bytes(count + 1);
    const std::string column = Int32Bytes(0) + DoubleBytes(1) + Bytes({1});
    for (int i = 0; i < count; ++i)
        out += column;
    return out;
}

TEST(GridHeader, TenThousandColumnsLoadAndOneMoreIsAnError)
{
    SettingsStream most = LoadingContent(HeaderOfCount(GridHeader::MaxColumns));
    GridHeader loaded;
    most % loaded;
    EXPECT_TRUE(most.IsFrameComplete());
    EXPECT_EQ(loaded.columns.size(), 10000u);

    SettingsStream over = LoadingContent(HeaderOfCount(GridHeader::MaxColumns + 1));
    GridHeader rejected;
    over % rejected;
    EXPECT_TRUE(over.IsError());
    EXPECT_TRUE(rejected.columns.empty());
}

struct HeaderErrorCase : NamedCase {
    std::string content;
};

const HeaderErrorCase headerErrorCases[] = {
    {"VersionThree", Bytes({0x04}) + HeaderFixture({1, 2}).substr(1)},
    {"NegativeCount", Bytes({0x05, 0x00})},
    {"CountPastTheEnd", HeaderFixture({1, 2, 3}).substr(0, 2 + 2 * 13)},
    {"NoCount", Bytes({0x05})},
};

class GridHeaderErrors : public testing::TestWithParam<HeaderErrorCase> {};

TEST_P(GridHeaderErrors, StopTheLoad)
{
    SettingsStream in = LoadingContent(GetParam().content);
    GridHeader loaded;
    in % loaded;
    EXPECT_TRUE(in.IsError());
}

INSTANTIATE_TEST_SUITE_P(GridHeader, GridHeaderErrors, testing::ValuesIn(headerErrorCases), CaseName<HeaderErrorCase>);

}  // namespace
}  // namespace baudrill::test
