#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "monitor/settings/SettingsStream.h"
#include "tests/support/monitor/SettingsBytes.h"
#include "tests/support/NamedCase.h"

namespace baudrill::test {
namespace {

struct StringCase : NamedCase {
    std::size_t length;
    std::string lead;  // the bytes before the string's own
};

// A length below 127 takes one byte; 127 and more take 0xFF and four bytes.
const StringCase stringCases[] = {
    {"Empty", 0, Bytes({0x00})},
    {"TwoBytes", 2, Bytes({0x02})},
    {"LongestShort", 126, Bytes({0x7E})},
    {"ShortestLong", 127, Bytes({0xFF, 0x7F, 0, 0, 0})},
    {"TwoHundred", 200, Bytes({0xFF, 0xC8, 0, 0, 0})},
    {"Over64k", 70000, Bytes({0xFF, 0x70, 0x11, 0x01, 0x00})},
};

class StringBytes : public testing::TestWithParam<StringCase> {};

TEST_P(StringBytes, StoredLengthThenBytesAndLoadedBack)
{
    std::string text;
    for (std::size_t i = 0; i < GetParam().length; ++i)
        text.push_back(static_cast<char>(i * 7));  // NUL and 0xFF bytes included
    const std::string stored = StoredBytes(text);
    EXPECT_EQ(stored, GetParam().lead + text);

    SettingsStream in = LoadingContent(stored);
    std::string loaded = "old";
    in % loaded;
    EXPECT_FALSE(in.IsError());
    EXPECT_EQ(loaded, text);
    EXPECT_TRUE(in.IsFrameComplete());
}

INSTANTIATE_TEST_SUITE_P(SettingsStream, StringBytes, testing::ValuesIn(stringCases), CaseName<StringCase>);

TEST(SettingsStream, IntsAndBoolsAreLittleEndianAndOneByte)
{
    EXPECT_EQ(StoredBytes(1), Bytes({1, 0, 0, 0}));
    EXPECT_EQ(StoredBytes(-2), Bytes({0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(StoredBytes(0x12345678), Bytes({0x78, 0x56, 0x34, 0x12}));
    EXPECT_EQ(StoredBytes(true), Bytes({1}));
    EXPECT_EQ(StoredBytes(false), Bytes({0}));

    SettingsStream in = LoadingContent(Bytes({0x00, 0x00, 0x00, 0x80, 0x01, 0x00, 0x02}));
    int i = 0;
    bool a = false, b = true, c = false;
    in % i % a % b % c;
    EXPECT_EQ(i, INT32_MIN);
    EXPECT_TRUE(a);
    EXPECT_FALSE(b);
    EXPECT_TRUE(c);  // any byte but 0 is true
    EXPECT_TRUE(in.IsFrameComplete());
}

TEST(SettingsStream, DoublesAreEightBytesAndBytesOne)
{
    EXPECT_EQ(StoredBytes(1.0), Bytes({0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
    EXPECT_EQ(StoredBytes(-2.5), Bytes({0, 0, 0, 0, 0, 0, 0x04, 0xC0}));
    EXPECT_EQ(StoredBytes(std::uint8_t{0xA5}), Bytes({0xA5}));

    SettingsStream in = LoadingContent(Bytes({0x9A, 0x99, 0x99, 0x99, 0x99, 0x99, 0xB9, 0x3F, 0x80}));
    double d = 0;
    std::uint8_t b = 0;
    in % d % b;
    EXPECT_EQ(d, 0.1);
    EXPECT_EQ(b, 0x80);
    EXPECT_TRUE(in.IsFrameComplete());
}

TEST(SettingsStream, PackedNumberIsValuePlusOne)
{
    const auto packed = [](int value) {
        SettingsStream out;
        out.SerializePacked(value);
        return std::string(out.Content());
    };
    EXPECT_EQ(packed(0), Bytes({0x01}));
    EXPECT_EQ(packed(4), Bytes({0x05}));
    EXPECT_EQ(packed(253), Bytes({0xFE}));
    EXPECT_EQ(packed(254), Bytes({0xFF, 0xFF, 0, 0, 0}));

    SettingsStream in = LoadingContent(Bytes({0x02, 0xFF, 0x10, 0x27, 0, 0, 0x00, 0x05}));
    int a = -1, b = -1, c = -1, d = -1;
    in.SerializePacked(a);
    in.SerializePacked(b);
    in.SerializePacked(c);  // a packed 0 is an error
    in.SerializePacked(d);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 9999);
    EXPECT_EQ(c, -1);
    EXPECT_EQ(d, -1);
    EXPECT_TRUE(in.IsError());
}

TEST(SettingsStream, ContainerCountIsCountPlusOnePacked)
{
    EXPECT_EQ(StoredBytes(std::vector<int>{}), Bytes({0x01}));
    EXPECT_EQ(StoredBytes(std::vector<std::string>{"A", ""}), Bytes({0x03, 0x01, 'A', 0x00}));
    // count + 1 = 254 still fits one byte; 255 needs the long form.
    EXPECT_EQ(StoredBytes(std::vector<std::string>(253)).substr(0, 1), Bytes({0xFE}));
    EXPECT_EQ(StoredBytes(std::vector<std::string>(254)).substr(0, 5), Bytes({0xFF, 0xFF, 0x00, 0x00, 0x00}));

    const std::vector<std::string> many(300, "x");
    SettingsStream in = LoadingContent(StoredBytes(many));
    std::vector<std::string> loaded{"old"};
    in % loaded;
    EXPECT_EQ(loaded, many);
    EXPECT_TRUE(in.IsFrameComplete());
}

TEST(SettingsStream, StoringFramesTheContent)
{
    SettingsStream out;
    int value = 5;
    out % value;
    EXPECT_EQ(out.FramedBytes(), Bytes({0x64, 0x61, 0x74, 0x61, 5, 0, 0, 0, 0x65, 0x6E, 0x64, 0x00, 12, 0, 0, 0}));
    EXPECT_EQ(SettingsStream().FramedBytes(), FramedFile(""));
}

TEST(SettingsStream, FileWithoutStartMagicLoadsNothing)
{
    for (const std::string& file :
         {std::string(), std::string("dat"), "Data" + Int32Bytes(7), FramedFile(Int32Bytes(7)).replace(0, 1, "x")}) {
        SettingsStream in = SettingsStream::ForLoading(file);
        int value = 1;
        in % value;
        EXPECT_FALSE(in.HasFrame());
        EXPECT_TRUE(in.IsError());
        EXPECT_EQ(value, 1);
    }
}

TEST(SettingsStream, DamagedTrailerIsFoundOnlyAfterTheContent)
{
    std::string wrongLength = FramedFile(Int32Bytes(7));
    wrongLength.back() = 1;
    const std::string cutShort = "data" + Int32Bytes(7);  // no end magic, no length
    std::string wrongMagic = FramedFile(Int32Bytes(7));
    wrongMagic[8] = 'E';
    for (const std::string& file : {wrongLength, cutShort, wrongMagic}) {
        SettingsStream in = SettingsStream::ForLoading(file);
        int value = 0;
        in % value;
        EXPECT_TRUE(in.HasFrame());
        EXPECT_FALSE(in.IsError());
        EXPECT_EQ(value, 7);
        EXPECT_FALSE(in.IsFrameComplete());
    }
    // Content left unread is no complete frame either.
    SettingsStream in = LoadingContent(Int32Bytes(7) + Int32Bytes(8));
    int value = 0;
    in % value;
    EXPECT_FALSE(in.IsFrameComplete());
}

struct ErrorCase : NamedCase {
    std::string content;  // an int 7, then one vector of strings
};

// Each content reads the int and fails in the vector: the int stays, the vector and the int
// after it keep their old values.
const ErrorCase errorCases[] = {
    {"PackedZeroIsANegativeCount", Int32Bytes(7) + Bytes({0x00})},
    {"LongNegativeCount", Int32Bytes(7) + Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF})},
    {"CountPastTheEnd", Int32Bytes(7) + Bytes({0x04, 0x00, 0x00})},
    {"HugeLongCount", Int32Bytes(7) + Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x00})},
    {"MissingCountByte", Int32Bytes(7)},
    {"CountCutShort", Int32Bytes(7) + Bytes({0xFF, 0x02})},
};

class StreamErrors : public testing::TestWithParam<ErrorCase> {};

TEST_P(StreamErrors, StopEverythingAfterThem)
{
    SettingsStream in = LoadingContent(GetParam().content);
    int first = 0, after = 3;
    std::vector<std::string> names{"old"};
    in % first % names % after;
    EXPECT_TRUE(in.IsError());
    EXPECT_EQ(first, 7);
    EXPECT_EQ(names, std::vector<std::string>{"old"});
    EXPECT_EQ(after, 3);
    EXPECT_FALSE(in.IsFrameComplete());
}

INSTANTIATE_TEST_SUITE_P(SettingsStream, StreamErrors, testing::ValuesIn(errorCases), CaseName<ErrorCase>);

TEST(SettingsStream, StringPastTheEndIsAnErrorAndKeepsWhatWasRead)
{
    const std::string cases[] = {
        Bytes({0x01, 'A', 0x05, 'b', 'c'}),                     // short length past the end
        Bytes({0x01, 'A', 0xFF, 0x03, 0x00, 0x00, 0x00, 'b'}),  // long length past the end
        Bytes({0x01, 'A', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}),       // negative long length
        Bytes({0x01, 'A', 0xFF, 0x01}),                         // long length cut short
    };
    for (const std::string& content : cases) {
        SettingsStream in = LoadingContent(content);
        std::string a, b = "old", c = "old";
        in % a % b % c;
        EXPECT_TRUE(in.IsError());
        EXPECT_EQ(a, "A");
        EXPECT_EQ(b, "old");
        EXPECT_EQ(c, "old");
    }
}

TEST(SettingsStream, CountIsCheckedAgainstTheSmallestElement)
{
    // Three ints need 12 bytes; 8 are left, although 3 bytes alone would fit.
    SettingsStream in = LoadingContent(Bytes({0x04}) + Int32Bytes(1) + Int32Bytes(2));
    std::vector<int> values{9};
    in % values;
    EXPECT_TRUE(in.IsError());
    EXPECT_EQ(values, std::vector<int>{9});
}

TEST(SettingsStream, ElementCutShortEndsTheVectorThere)
{
    SettingsStream in = LoadingContent(Bytes({0x04, 0x01, 'a', 0x01, 'b', 0x05, 'c'}));
    std::vector<std::string> names{"old"};
    in % names;
    EXPECT_TRUE(in.IsError());
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b", ""}));
}

}  // namespace
}  // namespace baudrill::test
