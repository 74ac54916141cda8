#include "monitor/text/OemCharset.h"

#include <gtest/gtest.h>

namespace baudrill {
namespace {

TEST(OemCharset, AsciiStaysAndTheUpperHalfIsTheCodePage)
{
    EXPECT_EQ(FromOemCharset(std::string_view("A\x00z\x7f", 4)), std::string("A\x00z\x7f", 4));
    EXPECT_EQ(FromOemCharset("\x80"), "\u00C7");  // C cedilla
    EXPECT_EQ(FromOemCharset("\xB3"), "\u2502");  // box drawing, vertical
    EXPECT_EQ(FromOemCharset("\xE1"), "\u00DF");  // sharp s
    EXPECT_EQ(FromOemCharset("\xFF"), "\u00A0");  // no-break space
}

TEST(OemCharset, EveryByteGivesOneCharacter)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string text = FromOemCharset(all);
    int characters = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++characters;
    EXPECT_EQ(characters, 256);
}

}  // namespace
}  // namespace baudrill
