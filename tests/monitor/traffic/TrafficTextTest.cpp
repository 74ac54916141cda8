// The texts of traffic rows: time, decoded values, log protocol text, composed bytes.

#include "monitor/send/ComposedBytes.h"
#include "monitor/traffic/TrafficText.h"

#include <gtest/gtest.h>

#include <limits>

#include "tests/support/NamedCase.h"

namespace baudrill {
namespace {

struct TimeCase : test::NamedCase {
    uint32_t start;
    uint32_t tick;
    const char* text;
};

class RowTime : public ::testing::TestWithParam<TimeCase> {};

TEST_P(RowTime, FormatsMinutesSecondsMilliseconds)
{
    EXPECT_EQ(RowTimeText(GetParam().tick, GetParam().start), GetParam().text);
}

const TimeCase TimeCases[] = {
    {"AtStart", 1000, 1000, "00:00.000"},
    {"MinutesAndSeconds", 0, 62345, "01:02.345"},
    {"LastOfTheHour", 0, 3599999, "59:59.999"},
    {"HourWrapsToZero", 0, 3600000, "00:00.000"},
    {"PastTheHour", 500, 3600500 + 61001, "01:01.001"},
    // The tick count wraps after 49.7 days; the elapsed time is still the unsigned difference.
    {"AcrossTheTickWrap", std::numeric_limits<uint32_t>::max(), 1, "00:00.002"},
    // Over 24.8 days (above INT32_MAX ms): no negative minutes. 2^31 ms is 596:31:23.648.
    {"PastTheSignedRange", 0, 0x80000000u, "31:23.648"},
};
INSTANTIATE_TEST_SUITE_P(Ticks, RowTime, ::testing::ValuesIn(TimeCases), test::CaseName<TimeCase>);

TEST(ValuesText, EachValueAfterOneBlank)
{
    EXPECT_EQ(ValuesText({}, false), "");
    EXPECT_EQ(ValuesText({Value(10), Value(2.5), Value("ab")}, false), " 10 2.5 ab");
}

TEST(ValuesText, HexShowsIntsOnly)
{
    EXPECT_EQ(ValuesText({Value(10), Value(255), Value(4096)}, true), " 0x0a 0xff 0x1000");
    // An int64 stays decimal, a string is its text, a double its text form.
    EXPECT_EQ(ValuesText({Value(int64_t{300}), Value("x"), Value(0.5)}, true), " 300 x 0.5");
    // The 32 bits of a negative int.
    EXPECT_EQ(ValuesText({Value(-1), Value(0)}, true), " 0xffffffff 0x00");
}

TEST(LogProtocolText, NeedsNameAndValues)
{
    EXPECT_EQ(LogProtocolText("frame", " 1 2"), "frame :  1 2");
    EXPECT_EQ(LogProtocolText("frame", ""), "");  // decoded without values: no protocol text
    EXPECT_EQ(LogProtocolText("", " 1"), "");
}

TEST(ResolveComposedEscapes, OnlyRecordedEscapesBecomeBytes)
{
    // "\0A" at 1 was written as an escape; the backslash at 5 is a byte of a value.
    const std::string output = "a\\0Ab\\0Bc";
    EXPECT_EQ(ResolveComposedEscapes(output, {1}), std::string("a\nb\\0Bc"));
    EXPECT_EQ(ResolveComposedEscapes(output, {}), output);
    EXPECT_EQ(ResolveComposedEscapes(output, {1, 5}), std::string("a\nb\x0b"
                                                                  "c"));
}

TEST(ResolveComposedEscapes, OffsetsThatAreNoEscapeAreIgnored)
{
    EXPECT_EQ(ResolveComposedEscapes("ab\\0", {2}), "ab\\0");        // cut short
    EXPECT_EQ(ResolveComposedEscapes("ab", {7}), "ab");              // past the end
    EXPECT_EQ(ResolveComposedEscapes("a\\zz", {1}), "a\\zz");        // not hexadecimal
    EXPECT_EQ(ResolveComposedEscapes("\\41\\42", {0, 0, 3}), "AB");  // a repeated offset
}

}  // namespace
}  // namespace baudrill
