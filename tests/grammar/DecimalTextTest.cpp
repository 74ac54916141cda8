// The decimal conversions and formats that the text actions are built on.

#include "grammar/Value.h"
#include "grammar/actions/DecimalConversion.h"
#include "grammar/actions/DecimalFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace baudrill {
namespace {

TEST(DecimalConversion, Int)
{
    struct Case {
        const char* text;
        std::int32_t value;
    };
    constexpr std::int32_t IntNull = Value::IntNull;
    const Case cases[] = {
        {"0", 0},
        {"+12", 12},
        {"-12", -12},
        {"2147483647", 2147483647},
        {"-2147483647", -2147483647},
        {"2147483648", IntNull},
        {"-2147483648", IntNull},
        {"99999999999999999999999", IntNull},
        {"", IntNull},
        {"-", IntNull},
        {"+", IntNull},
        {"--5", IntNull},
        {"+-5", IntNull},
        {"5x", IntNull},
        {" 5", IntNull},
        {"5 ", IntNull},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ConvertDecimalInt(c.text), c.value) << '"' << c.text << '"';
}

TEST(DecimalConversion, Double)
{
    struct Case {
        const char* text;
        double value;
    };
    constexpr double DoubleNull = Value::DoubleNull;
    const Case cases[] = {
        {"3.14", 3.14},    {"1,5", 1.5},       {"-,25", -0.25},     {"+.5", 0.5},
        {"7", 7.0},        {"7.", 7.0},        {"1.5abc", 1.5},     {"1.5e3", 1.5},
        {"1.2.3", 1.2},    {"0.1", 0.1},       {"1e307", 1.0},      {"", DoubleNull},
        {".", DoubleNull}, {"-.", DoubleNull}, {"abc", DoubleNull}, {"--1.0", DoubleNull},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ConvertDecimalDouble(c.text), c.value) << '"' << c.text << '"';

    // The range ends at 1e307 on both sides.
    const std::string limit = "1" + std::string(307, '0');
    EXPECT_EQ(ConvertDecimalDouble(limit + ".0"), 1e307);
    EXPECT_EQ(ConvertDecimalDouble("-" + limit), -1e307);
    EXPECT_EQ(ConvertDecimalDouble("2" + std::string(307, '0')), DoubleNull);
    EXPECT_EQ(ConvertDecimalDouble("1" + std::string(400, '0')), DoubleNull);
    const double tiny = ConvertDecimalDouble("-0." + std::string(400, '0') + "1");
    EXPECT_EQ(tiny, 0.0);
    EXPECT_TRUE(std::signbit(tiny));
}

TEST(DecimalFormat, WidthRule)
{
    struct Case {
        std::int64_t value;
        int width;
        const char* text;
    };
    const Case cases[] = {
        {42, 0, "42"},          {42, -3, "42"},
        {42, 1, "42"},          {42, 5, "00042"},
        {-42, 5, "-0042"},      {-42, 9, "-00000042"},
        {42, 10, "        42"}, {-42, 12, "         -42"},
        {123456, 3, "123456"},  {std::numeric_limits<std::int64_t>::min(), 5, "-9223372036854775808"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatDecimal(c.value, c.width), c.text) << c.value << " width " << c.width;
}

TEST(DecimalFormat, Fixed)
{
    struct Case {
        double value;
        int width;
        const char* text;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {3.5, 0, "3.500000"},           {3.5, 9, "03.500000"},      {-3.5, 9, "-3.500000"},
        {3.5, 12, "    3.500000"},      {0.0000005, 0, "0.000000"}, {0.0000015, 0, "0.000002"},
        {123.4567896, 0, "123.456790"}, {-inf, 6, "  -inf"},        {inf, 0, "inf"},
        {std::nan(""), 4, " nan"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFixed(c.value, c.width), c.text) << c.value << " width " << c.width;
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::max()).size(), 309u + 7u);
}

}  // namespace
}  // namespace baudrill
