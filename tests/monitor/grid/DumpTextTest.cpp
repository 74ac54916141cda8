#include "monitor/grid/DumpText.h"
#include "monitor/text/ByteText.h"

#include <gtest/gtest.h>

#include <string>

namespace baudrill {
namespace {

using namespace std::string_literals;

TEST(DumpText, HexAndCharactersOfEachByte)
{
    struct Case {
        std::string bytes;
        const char* hex;
        const char* characters;
    };
    const Case cases[] = {
        {"\x1B", "1B ", "."},
        {"A", "41 ", "A"},
        {"\n", "0A ", "."},
        {"\0"s, "00 ", "."},
        {"\x1F ", "1F 20 ", ". "},  // controls end below the blank
        {"\x7F", "7F ", "\x7F"},
        {"\xB3\xDB", "B3 DB ", "\u2502\u2588"},  // the OEM code page's box and block
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SpacedHexText(c.bytes), c.hex);
        EXPECT_EQ(DumpCharacterText(c.bytes), c.characters);
    }
}

TEST(DumpText, ChunksOfALine)
{
    const std::string data = "0123456789abcdefghijk\0m"s;  // 23 bytes, NUL inside
    EXPECT_EQ(DumpChunk(data, 0, 11), "0123456789a");
    EXPECT_EQ(DumpChunk(data, 1, 11), "bcdefghijk\0"s);
    EXPECT_EQ(DumpChunk(data, 2, 11), "m");
    EXPECT_EQ(DumpChunk(data, 3, 11), "");
    EXPECT_EQ(DumpChunk(data, -1, 11), "");
    EXPECT_EQ(DumpChunk(data, 0, 0), "");
    EXPECT_EQ(DumpChunk("", 0, 11), "");
}

}  // namespace
}  // namespace baudrill
