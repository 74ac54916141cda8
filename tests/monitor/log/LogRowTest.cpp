// The byte-exact form of a row in the log file, and the device part of the file's name.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "monitor/log/LogFileName.h"
#include "monitor/log/LogRow.h"
#include "tests/support/NamedCase.h"

namespace baudrill {
namespace {

const std::string Indent13(13, ' ');  // a time text of 9 characters plus 4

// The blocks of one row as the log file gets them.
struct Blocks {
    std::vector<std::string> parts;
    std::string block;  // reused, as the log writer does
    bool result = false;
    int calls = 0;

    std::string Text() const
    {
        std::string text;
        for (const std::string& part : parts)
            text += part;
        return text;
    }
};

Blocks Write(std::string_view timeText, bool received, std::string_view bytes, std::string_view protocolText,
             std::size_t refuseFrom = SIZE_MAX)
{
    Blocks out;
    out.result = WriteLogRow(out.block, timeText, received, bytes, protocolText, [&](std::string_view part) {
        ++out.calls;
        if (out.parts.size() >= refuseFrom)
            return false;
        out.parts.emplace_back(part);
        return true;
    });
    return out;
}

struct RowCase : test::NamedCase {
    const char* timeText;
    bool received;
    std::string bytes;
    const char* protocolText;
    std::string expected;
};

class LogRowForm : public ::testing::TestWithParam<RowCase> {};

TEST_P(LogRowForm, IsByteExact)
{
    const RowCase& c = GetParam();
    Blocks out = Write(c.timeText, c.received, c.bytes, c.protocolText);
    EXPECT_TRUE(out.result);
    EXPECT_EQ(out.Text(), c.expected);
    EXPECT_LE(out.parts.size(), 1u);  // a short row is one block
}

INSTANTIATE_TEST_SUITE_P(
    Table, LogRowForm,
    ::testing::Values(RowCase{"NoBytesWriteNothing", "01:02.345", true, "", "P : 1", ""},
                      RowCase{"OneByteReceived", "01:02.345", true, "A", "",
                              "01:02.345 >> \n" + Indent13 + "A" + std::string(15, ' ') + "   41 \n"},
                      RowCase{"ThreeBytesWithAControlByte", "01:02.345", true, "AB\r", "",
                              "01:02.345 >> \n" + Indent13 + "AB." + std::string(13, ' ') + "   41 42 0D \n"},
                      RowCase{"SixteenBytesSentWithProtocolText", "59:59.999", false, "0123456789:;<=>?",
                              "Modbus : 1 0x0a",
                              "59:59.999 << Modbus : 1 0x0a\n" + Indent13 + "0123456789:;<=>?" +
                                  "   30 31 32 33 34 35 36 37 38 39 3A 3B 3C 3D 3E 3F \n"},
                      RowCase{"SeventeenBytesTakeTwoLines", "00:00.000", true, "abcdefghijklmnopq", "",
                              "00:00.000 >> \n" + Indent13 + "abcdefghijklmnop" +
                                  "   61 62 63 64 65 66 67 68 69 6A 6B 6C 6D 6E 6F 70 \n" + Indent13 + "q" +
                                  std::string(15, ' ') + "   71 \n"},
                      // Below 0x20 is a point; 0x7F and above stand as they are.
                      RowCase{"ControlDeleteAndHighBytes", "00:01.002", false, std::string("\x00\x1F\x20\x7F\xFF", 5),
                              "",
                              "00:01.002 << \n" + Indent13 + std::string("..\x20\x7F\xFF", 5) + std::string(11, ' ') +
                                  "   00 1F 20 7F FF \n"},
                      RowCase{"IndentFollowsTheTimeTextWidth", "1:2", true, "z", "",
                              "1:2 >> \n" + std::string(7, ' ') + "z" + std::string(15, ' ') + "   7A \n"}),
    test::CaseName<RowCase>);

// A row far longer than a block: whole lines in blocks of about the block size, the buffer no
// bigger, the same text as in one piece.
TEST(LogRowBlocks, LongRowGoesOutInBlocksOfWholeLines)
{
    const std::string line = Indent13 + "0123456789ABCDEF" + "   30 31 32 33 34 35 36 37 38 39 41 42 43 44 45 46 \n";
    constexpr std::size_t Lines = 65536;  // a row of 1 MiB
    std::string bytes;
    for (std::size_t i = 0; i < Lines; ++i)
        bytes += "0123456789ABCDEF";
    Blocks out = Write("00:00.000", true, bytes, "");
    EXPECT_TRUE(out.result);
    ASSERT_GT(out.parts.size(), 100u);
    for (const std::string& part : out.parts) {
        EXPECT_LE(part.size(), LogBlockBytes + line.size());
        EXPECT_EQ(part.back(), '\n');
    }
    std::string expected = "00:00.000 >> \n";
    for (std::size_t i = 0; i < Lines; ++i)
        expected += line;
    EXPECT_TRUE(out.Text() == expected);
    EXPECT_LT(out.block.capacity(), 2 * LogBlockBytes);
}

TEST(LogRowBlocks, ProtocolTextLongerThanABlockGoesOnItsOwn)
{
    const std::string protocolText = "P :" + std::string(3 * LogBlockBytes, '7');
    Blocks out = Write("00:00.000", false, "A", protocolText);
    EXPECT_TRUE(out.result);
    EXPECT_EQ(out.Text(), "00:00.000 << " + protocolText + "\n" + Indent13 + "A" + std::string(15, ' ') + "   41 \n");
    EXPECT_LT(out.block.capacity(), 2 * LogBlockBytes);
}

TEST(LogRowBlocks, RefusedBlockEndsTheRow)
{
    Blocks out = Write("00:00.000", true, std::string(8 * LogBlockBytes, 'x'), "", 1);
    EXPECT_FALSE(out.result);
    EXPECT_EQ(out.parts.size(), 1u);
    EXPECT_EQ(out.calls, 2);  // nothing more is tried after the refusal
}

struct DeviceCase : test::NamedCase {
    const char* device;
    const char* logName;
};

class DeviceLogNameOf : public ::testing::TestWithParam<DeviceCase> {};

TEST_P(DeviceLogNameOf, IsTheLastPathPartInUpperCase)
{
    EXPECT_EQ(DeviceLogName(GetParam().device), GetParam().logName);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DeviceLogNameOf,
    ::testing::Values(DeviceCase{"Plain", "COM5", "COM5"}, DeviceCase{"BehindTheWindowsPrefix", "\\\\.\\COM5", "COM5"},
                      DeviceCase{"LowerCaseBehindThePrefix", "\\\\.\\com5", "COM5"},
                      DeviceCase{"DevicePath", "/dev/ttyUSB0", "TTYUSB0"},
                      DeviceCase{"DeepPath", "/dev/serial/by-id/usb-Maker_x-if00", "USB-MAKER_X-IF00"},
                      DeviceCase{"BackslashAfterSlash", "a/b\\c", "C"},
                      DeviceCase{"NonAsciiBytesKept", "/dev/tty\xC3\xA9\xFF", "TTY\xC3\xA9\xFF"},
                      DeviceCase{"EndsInASeparator", "/dev/", ""}, DeviceCase{"Empty", "", ""}),
    test::CaseName<DeviceCase>);

}  // namespace
}  // namespace baudrill
