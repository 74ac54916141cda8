// The log writer on files in a temporary folder.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>

#include "monitor/log/LogFileName.h"
#include "monitor/log/LogRow.h"
#include "monitor/log/Logger.h"
#include "tests/support/NamedCase.h"
#include "tests/support/TempFolder.h"

namespace baudrill {
namespace {

namespace fs = std::filesystem;

std::tm StartTime()
{
    std::tm time{};
    time.tm_year = 2024 - 1900;
    time.tm_mon = 2;
    time.tm_mday = 5;
    time.tm_hour = 14;
    time.tm_min = 7;
    time.tm_sec = 9;
    return time;
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Row(const std::string& timeText, bool received, const std::string& bytes,
                const std::string& protocolText = "")
{
    std::string block, text;
    WriteLogRow(block, timeText, received, bytes, protocolText, [&](std::string_view part) {
        text += part;
        return true;
    });
    return text;
}

class LoggerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(folder.empty()); }

    fs::path Root() const { return folder / "Baudrill" / "LOG"; }
    fs::path MonthFolder() const { return Root() / "2024-03"; }
    fs::path FileOf(const std::string& part) const { return MonthFolder() / ("2024-03-05_14-07-09_" + part + ".txt"); }

    test::TempFolder temp;
    fs::path folder{temp.Path()};
};

TEST_F(LoggerTest, MakesTheMonthFolderAndNamesFilesByStartTimeAndDevice)
{
    Logger logger(Root().string(), StartTime());
    EXPECT_TRUE(fs::is_directory(MonthFolder()));
    EXPECT_EQ(logger.FileName("\\\\.\\com5"), FileOf("COM5").string());
}

TEST_F(LoggerTest, EveryNameOfOneDeviceWritesToTheSameFile)
{
    Logger logger(Root().string(), StartTime());
    logger.Write("COM5", "00:00.001", true, "a", "");
    logger.Write("\\\\.\\COM5", "00:00.002", false, "b", "");
    logger.Write("\\\\.\\com5", "00:00.003", true, "c", "P : 1");
    const std::string padding = std::string(15, ' ') + "   ";
    EXPECT_EQ(ReadFile(FileOf("COM5")),
              "00:00.001 >> \n"
              "             a" +
                  padding +
                  "61 \n"
                  "00:00.002 << \n"
                  "             b" +
                  padding +
                  "62 \n"
                  "00:00.003 >> P : 1\n"
                  "             c" +
                  padding + "63 \n");
    EXPECT_EQ(std::distance(fs::directory_iterator(MonthFolder()), fs::directory_iterator()), 1);
}

TEST_F(LoggerTest, AppendsToAnExistingFile)
{
    fs::create_directories(MonthFolder());
    std::ofstream(FileOf("TTYUSB0"), std::ios::binary) << "earlier\n";
    Logger logger(Root().string(), StartTime());
    logger.Write("/dev/ttyUSB0", "00:10.000", true, "xyz", "");
    EXPECT_EQ(ReadFile(FileOf("TTYUSB0")), "earlier\n" + Row("00:10.000", true, "xyz"));
}

// A row of many blocks arrives whole and in order, also between two short rows.
TEST_F(LoggerTest, LongRowIsWrittenWhole)
{
    const std::string line =
        std::string(13, ' ') + "0123456789abcdef" + "   30 31 32 33 34 35 36 37 38 39 61 62 63 64 65 66 \n";
    constexpr int Lines = 20000;
    std::string bytes;
    for (int i = 0; i < Lines; ++i)
        bytes += "0123456789abcdef";
    Logger logger(Root().string(), StartTime());
    logger.Write("COM2", "00:00.001", true, "a", "");
    logger.Write("COM2", "00:00.002", true, bytes, "");
    logger.Write("COM2", "00:00.003", false, "b", "");
    std::string expected = Row("00:00.001", true, "a") + "00:00.002 >> \n";
    for (int i = 0; i < Lines; ++i)
        expected += line;
    expected += Row("00:00.003", false, "b");
    EXPECT_TRUE(ReadFile(FileOf("COM2")) == expected);
}

TEST_F(LoggerTest, RowWithoutBytesMakesNoFile)
{
    Logger logger(Root().string(), StartTime());
    logger.Write("COM1", "00:00.000", true, "", "P : 1");
    EXPECT_FALSE(fs::exists(FileOf("COM1")));
}

TEST_F(LoggerTest, EveryRowQueuedBeforeTheLoggerIsDeletedIsWritten)
{
    constexpr int Rows = 2000;
    std::string expected;
    {
        auto logger = std::make_unique<Logger>(Root().string(), StartTime());
        logger->Start();
        for (int i = 0; i < Rows; ++i) {
            std::string timeText = "00:" + std::to_string(10 + i % 50) + ".000";
            std::string bytes = "row " + std::to_string(i);
            logger->Post(&Logger::Write, std::string("COM7"), timeText, i % 2 == 0, bytes, std::string());
            expected += Row(timeText, i % 2 == 0, bytes);
        }
    }
    EXPECT_EQ(ReadFile(FileOf("COM7")), expected);
}

TEST_F(LoggerTest, FolderThatCannotBeMadeLosesTheRowAndTheNextRowTriesAgain)
{
    const fs::path blocker = folder / "blocker";
    std::ofstream(blocker) << "a file where the folder should be";
    const fs::path root = blocker / "LOG";
    Logger logger(root.string(), StartTime());
    logger.Write("COM1", "00:00.001", true, "lost", "");
    EXPECT_FALSE(fs::exists(root));

    fs::remove(blocker);
    logger.Write("COM1", "00:00.002", true, "kept", "");
    EXPECT_EQ(ReadFile(root / "2024-03" / "2024-03-05_14-07-09_COM1.txt"), Row("00:00.002", true, "kept"));
}

// A folder that refuses the file: the row is lost, nothing else happens, and once the folder
// takes files again the next row is written.
struct RefusalCase : test::NamedCase {
    bool byPermissions;  // which do not bite when the tests run as root
    std::function<void(const fs::path& file)> refuse;
    std::function<void(const fs::path& file)> allow;
};

class LoggerRefused : public LoggerTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(LoggerRefused, LosesTheRowAndTheNextRowTriesAgain)
{
    Logger logger(Root().string(), StartTime());
    const fs::path file = FileOf("COM1");
    GetParam().refuse(file);
    if (GetParam().byPermissions && access(MonthFolder().c_str(), W_OK) == 0)
        GTEST_SKIP() << "permissions do not bite here (running as root)";
    logger.Write("COM1", "00:00.001", true, "lost", "");
    EXPECT_FALSE(fs::is_regular_file(file));
    GetParam().allow(file);
    logger.Write("COM1", "00:00.002", true, "kept", "");
    EXPECT_EQ(ReadFile(file), Row("00:00.002", true, "kept"));
}

INSTANTIATE_TEST_SUITE_P(Table, LoggerRefused,
                         ::testing::Values(RefusalCase{"ReadOnlyFolder", true,
                                                       [](const fs::path& file) {
                                                           fs::permissions(
                                                               file.parent_path(),
                                                               fs::perms::owner_read | fs::perms::owner_exec);
                                                       },
                                                       [](const fs::path& file) {
                                                           fs::permissions(file.parent_path(), fs::perms::owner_all);
                                                       }},
                                           RefusalCase{"FolderInThePlaceOfTheFile", false,
                                                       [](const fs::path& file) { fs::create_directory(file); },
                                                       [](const fs::path& file) { fs::remove(file); }}),
                         test::CaseName<RefusalCase>);

// A disk that takes `room` more bytes, then fails every write as a full one does.
class FillingDisk {
public:
    Logger::FileWrite Writer()
    {
        return [this](int fd, const void* bytes, std::size_t count) -> ssize_t {
            if (room == 0) {
                errno = ENOSPC;
                return -1;
            }
            const std::size_t taken = std::min(count, room);
            room -= taken;
            return ::write(fd, bytes, taken);
        };
    }

    std::size_t room = 0;
};

constexpr std::size_t Unlimited = static_cast<std::size_t>(-1);

struct CutCase : test::NamedCase {
    std::size_t room;  // bytes of the first row that reach the file
};

class LoggerOnAFullDisk : public LoggerTest, public ::testing::WithParamInterface<CutCase> {};

// A row cut short when the disk fills up: once there is room again, the next row starts on a
// new line instead of going on where the cut row stopped.
TEST_P(LoggerOnAFullDisk, NextRowStartsOnANewLine)
{
    FillingDisk disk;
    Logger logger(Root().string(), StartTime(), disk.Writer());
    const std::string first = Row("00:00.001", true, "cut in the middle of its dump");
    disk.room = GetParam().room;
    logger.Write("COM1", "00:00.001", true, "cut in the middle of its dump", "");
    const std::string cut = first.substr(0, GetParam().room);
    ASSERT_EQ(ReadFile(FileOf("COM1")), cut);

    logger.Write("COM1", "00:00.002", false, "lost, the disk is still full", "");
    disk.room = Unlimited;
    logger.Write("COM1", "00:00.003", false, "whole", "");
    logger.Write("COM1", "00:00.004", true, "and the next", "");
    const std::string lineEnd = cut.empty() || cut.back() == '\n' ? "" : "\n";
    EXPECT_EQ(ReadFile(FileOf("COM1")),
              cut + lineEnd + Row("00:00.003", false, "whole") + Row("00:00.004", true, "and the next"));
}

INSTANTIATE_TEST_SUITE_P(Table, LoggerOnAFullDisk,
                         ::testing::Values(CutCase{"NothingWritten", 0}, CutCase{"CutInTheHeaderLine", 5},
                                           CutCase{"CutAfterTheHeaderLine", 14}, CutCase{"CutInADumpLine", 30}),
                         test::CaseName<CutCase>);

TEST(LogFileNames, FollowTheStartTime)
{
    EXPECT_EQ(LogBaseName(StartTime()), "2024-03-05_14-07-09");
    EXPECT_EQ(LogMonthName(StartTime()), "2024-03");
}

TEST(LogRoot, IsBaudrillLogInTheApplicationDataFolder)
{
    const char* old = getenv("XDG_DATA_HOME");
    std::string saved = old ? old : "";
    setenv("XDG_DATA_HOME", "/data/home", 1);
    EXPECT_EQ(DefaultLogRoot(), "/data/home/Baudrill/LOG");
    if (old)
        setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace baudrill
