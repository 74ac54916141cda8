#include "grammar/Uuid.h"

#include <gtest/gtest.h>

namespace baudrill {
namespace {

TEST(UuidTest, DefaultIsNullAndCreateIsNot)
{
    EXPECT_TRUE(Uuid().IsNull());
    Uuid a = Uuid::Create();
    Uuid b = Uuid::Create();
    EXPECT_FALSE(a.IsNull());
    EXPECT_NE(a, b);
}

TEST(UuidTest, TextRoundTripsInTheFixedLayout)
{
    Uuid a = Uuid::Create();
    std::string text = a.ToString();
    ASSERT_EQ(text.size(), 36u);
    EXPECT_EQ(text[8], '-');
    EXPECT_EQ(text[13], '-');
    EXPECT_EQ(text[18], '-');
    EXPECT_EQ(text[23], '-');
    EXPECT_EQ(Uuid::FromString(text), a);
    EXPECT_EQ(Uuid().ToString(), "00000000-0000-0000-0000-000000000000");
}

TEST(UuidTest, ReadingTakesTheFirst32HexDigits)
{
    Uuid a = Uuid::FromString("{0123456789abcdef0123456789ABCDEF} trailing ff");
    EXPECT_EQ(a.ToString(), "01234567-89AB-CDEF-0123-456789ABCDEF");
    EXPECT_TRUE(Uuid::FromString("0123456789abcdef0123456789abcde").IsNull());  // 31 digits
    EXPECT_TRUE(Uuid::FromString("").IsNull());
}

}  // namespace
}  // namespace baudrill
