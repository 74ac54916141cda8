#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/serial/FakePortTest.h"
#include "tests/support/NamedCase.h"

namespace baudrill {
namespace {

using test::OpenFakePortTest;

struct TerminatorResult {
    int result;
    std::string data;
    bool zeroTerminated;
};

class ReadToTerminatorTest : public OpenFakePortTest {
protected:
    TerminatorResult Run(const char* terminator, int timeoutMs = 1000, char quote = '"')
    {
        char* buffer = nullptr;
        int length = -1;
        int result = port->ReadToTerminator(&buffer, &length, terminator, timeoutMs, quote);
        std::unique_ptr<char[]> owned(buffer);
        if (!buffer || length < 0)
            return {result, "<no buffer>", false};
        return {result, std::string(buffer, static_cast<std::size_t>(length)), buffer[length] == 0};
    }
};

struct TerminatorCase : test::NamedCase {
    std::string input;
    const char* terminator;
    int expectedResult;
    std::string expectedData;
    std::string leftForNextRead;
    char quote = '"';
};

class TerminatorTable : public ReadToTerminatorTest, public ::testing::WithParamInterface<TerminatorCase> {};

TEST_P(TerminatorTable, ReadsUpToTheTerminator)
{
    const TerminatorCase& c = GetParam();
    device->AddInput(c.input);
    TerminatorResult r = Run(c.terminator, 50, c.quote);
    EXPECT_EQ(r.result, c.expectedResult);
    EXPECT_EQ(r.data, c.expectedData);
    EXPECT_TRUE(r.zeroTerminated);
    EXPECT_EQ(ReadSome(), c.leftForNextRead);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TerminatorTable,
    ::testing::Values(TerminatorCase{"CrLf", "hello\r\nnext", "\r\n", 1, "hello", "next"},
                      // A CR that does not start CR LF is data, and so is the byte after it.
                      TerminatorCase{"LoneCrIsData", "a\rb\r\n", "\r\n", 1, "a\rb", ""},
                      TerminatorCase{"CrCrLf", "a\r\r\n", "\r\n", 1, "a\r", ""},
                      // The match restarts one byte later, so a terminator inside a failed match is found.
                      TerminatorCase{"OverlappingTerminator", "xaaab", "aab", 1, "xa", ""},
                      TerminatorCase{"QuotedTerminatorIsData", "\"x\r\ny\"\r\nz", "\r\n", 1, "\"x\r\ny\"", "z"},
                      TerminatorCase{"TimeoutKeepsAPartialTerminator", "abc\r", "\r\n", 0, "abc\r", ""},
                      TerminatorCase{"EmptyInputTimesOut", "", "\r\n", 0, "", ""},
                      TerminatorCase{"NulBytesAreData", std::string("a\0b;", 4), ";", 1, std::string("a\0b", 3), ""},
                      // Quote 0 is no quoting: a NUL data byte does not hide the terminator after it.
                      TerminatorCase{"QuoteZeroQuotesNothing", std::string("a\0b;c", 5), ";", 1, std::string("a\0b", 3),
                                     "c", 0}),
    test::CaseName<TerminatorCase>);

TEST_F(ReadToTerminatorTest, TerminatorArrivingLaterIsWaitedFor)
{
    device->AddInput("ab");
    device->AddInput("\r\n", 300);
    TerminatorResult r = Run("\r\n", 1000);
    EXPECT_EQ(r.result, 1);
    EXPECT_EQ(r.data, "ab");
    EXPECT_LT(clock.Elapsed(), 320u);  // idle waits are 10 ms
}

TEST_F(ReadToTerminatorTest, PortFailureReturnsWhatWasRead)
{
    device->AddInput("ab\r");
    device->AddReadFailure();
    TerminatorResult r = Run("\r\n");
    EXPECT_EQ(r.result, -1);
    EXPECT_EQ(r.data, "ab\r");
    EXPECT_TRUE(r.zeroTerminated);
}

TEST_F(ReadToTerminatorTest, MoreThan512BytesAreAllKept)
{
    for (int length : {511, 512, 513, 1500}) {
        std::string data;
        for (int i = 0; i < length; ++i)
            data += static_cast<char>('a' + i % 26);
        device->AddInput(data + "\r\n");
        TerminatorResult r = Run("\r\n");
        EXPECT_EQ(r.result, 1) << length;
        EXPECT_EQ(r.data, data) << length;
        EXPECT_TRUE(r.zeroTerminated) << length;
    }
}

TEST_F(ReadToTerminatorTest, BadArgumentsFailWithAnEmptyBuffer)
{
    TerminatorResult r = Run("");
    EXPECT_EQ(r.result, -1);
    EXPECT_EQ(r.data, "");
    EXPECT_TRUE(r.zeroTerminated);
    int length = 0;
    EXPECT_EQ(port->ReadToTerminator(nullptr, &length, "\n", 10, 0), -1);
}

}  // namespace
}  // namespace baudrill
