// The byte-exact form of a row in the log file, and the device part of the file's name.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "monitor/LogFileName.h"
#include "monitor/LogRow.h"

namespace baudrill {
namespace {

const std::string Indent13(13, ' ');  // a time text of 9 characters plus 4

struct RowCase {
    const char* name;
    const char* timeText;
    bool received;
    std::string bytes;
    const char* protocolText;
    std::string expected;
    friend void PrintTo(const RowCase& c, std::ostream* os) { *os << c.name; }
};

class LogRowForm : public ::testing::TestWithParam<RowCase> {};

TEST_P(LogRowForm, IsByteExact) {
    const RowCase& c = GetParam();
    std::string out = "kept|";
    AppendLogRow(out, c.timeText, c.received, c.bytes, c.protocolText);
    EXPECT_EQ(out, "kept|" + c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LogRowForm,
    ::testing::Values(
        RowCase{"NoBytesWriteNothing", "01:02.345", true, "", "P : 1", ""},
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
        RowCase{"ControlDeleteAndHighBytes", "00:01.002", false,
                std::string("\x00\x1F\x20\x7F\xFF", 5), "",
                "00:01.002 << \n" + Indent13 + std::string("..\x20\x7F\xFF", 5) +
                    std::string(11, ' ') + "   00 1F 20 7F FF \n"},
        RowCase{"IndentFollowsTheTimeTextWidth", "1:2", true, "z", "",
                "1:2 >> \n" + std::string(7, ' ') + "z" + std::string(15, ' ') + "   7A \n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct DeviceCase {
    const char* name;
    const char* device;
    const char* logName;
    friend void PrintTo(const DeviceCase& c, std::ostream* os) { *os << c.name; }
};

class DeviceLogNameOf : public ::testing::TestWithParam<DeviceCase> {};

TEST_P(DeviceLogNameOf, IsTheLastPathPartInUpperCase) {
    EXPECT_EQ(DeviceLogName(GetParam().device), GetParam().logName);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DeviceLogNameOf,
    ::testing::Values(DeviceCase{"Plain", "COM5", "COM5"},
                      DeviceCase{"BehindTheWindowsPrefix", "\\\\.\\COM5", "COM5"},
                      DeviceCase{"LowerCaseBehindThePrefix", "\\\\.\\com5", "COM5"},
                      DeviceCase{"DevicePath", "/dev/ttyUSB0", "TTYUSB0"},
                      DeviceCase{"DeepPath", "/dev/serial/by-id/usb-Maker_x-if00",
                                 "USB-MAKER_X-IF00"},
                      DeviceCase{"BackslashAfterSlash", "a/b\\c", "C"},
                      DeviceCase{"EndsInASeparator", "/dev/", ""}, DeviceCase{"Empty", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace baudrill
