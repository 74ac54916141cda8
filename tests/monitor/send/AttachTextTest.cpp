// The entry texts that stand for an attached file's bytes, and that they send those bytes.
#include "monitor/send/AttachText.h"

#include <gtest/gtest.h>

#include "monitor/send/SendEncoders.h"
#include "monitor/text/ByteText.h"

namespace baudrill {
namespace {

TEST(AttachText, WritesTheBytesForEachEntry)
{
    EXPECT_EQ(AsciiEntryText("\x41\x0D\xFF"), "A\\0D\\FF");
    EXPECT_EQ(SpacedHexText("\x41\x0D\xFF"), "41 0D FF ");
    EXPECT_EQ(AsciiEntryText(" \"~\x7F\x1F\x80"), " \"~\x7F\\1F\\80");
    EXPECT_EQ(AsciiEntryText("a\\b"), "a\\\\b");
    EXPECT_EQ(AsciiEntryText(""), "");
    EXPECT_EQ(SpacedHexText(""), "");
}

TEST(AttachText, EveryByteSendsAsItselfThroughItsEncoder)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    // Backslashes followed by what would read as escapes.
    all += "\\41\\\\\\\"\\";
    std::string bytes, preview;
    EncodeAscii(AsciiEntryText(all), false, false, bytes, preview);
    EXPECT_EQ(bytes, all);
    EncodeHex(SpacedHexText(all), bytes, preview);
    EXPECT_EQ(bytes, all);
}

}  // namespace
}  // namespace baudrill
