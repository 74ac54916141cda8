#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "monitor/files/WholeFile.h"
#include "tests/support/TempFolder.h"

namespace baudrill::test {
namespace {

namespace fs = std::filesystem;

class WholeFile : public testing::Test {
protected:
    TempFolder temp;
    const fs::path folder = temp.Path();
};

TEST_F(WholeFile, ReplacesTheFileAndLeavesNoTemporary)
{
    const std::string path = (folder / "Baudrill.cfg").string();
    const std::string bytes(
        "a\0\xFF"
        "b",
        4);
    ASSERT_TRUE(WriteFileReplacing(path, "old content, longer than the new one"));
    ASSERT_TRUE(WriteFileReplacing(path, bytes));
    std::string read;
    ASSERT_TRUE(ReadWholeFile(path, read));
    EXPECT_EQ(read, bytes);
    EXPECT_EQ(temp.EntryCount(), 1);
}

TEST_F(WholeFile, FailedStoreKeepsWhatWasThere)
{
    // A folder in the way of the rename: the store fails, the folder and its file stay.
    const fs::path blocked = folder / "Baudrill.cfg";
    fs::create_directories(blocked);
    ASSERT_TRUE(WriteFileReplacing((blocked / "inside").string(), "kept"));
    EXPECT_FALSE(WriteFileReplacing(blocked.string(), "new"));
    std::string read;
    ASSERT_TRUE(ReadWholeFile((blocked / "inside").string(), read));
    EXPECT_EQ(read, "kept");
    EXPECT_EQ(temp.EntryCount(), 1);

    EXPECT_FALSE(WriteFileReplacing((folder / "missing" / "Baudrill.cfg").string(), "x"));
}

TEST_F(WholeFile, ReadsEveryByteOfALargeFile)
{
    const std::string path = (folder / "Baudrill.cfg").string();
    std::string bytes(5 << 20, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7 + (i >> 16));
    ASSERT_TRUE(WriteFileReplacing(path, bytes));
    std::string read = "old";
    ASSERT_TRUE(ReadWholeFile(path, read));
    EXPECT_EQ(read, bytes);
}

TEST_F(WholeFile, OnlyRegularFilesAreRead)
{
    std::string read = "old";
    EXPECT_FALSE(ReadWholeFile((folder / "none.cfg").string(), read));
    EXPECT_EQ(read, "");
    read = "old";
    EXPECT_FALSE(ReadWholeFile(folder.string(), read));
    EXPECT_EQ(read, "");
    // A named pipe is refused at once, without waiting for a writer.
    const std::string pipe = (folder / "pipe.cfg").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    read = "old";
    EXPECT_FALSE(ReadWholeFile(pipe, read));
    EXPECT_EQ(read, "");
}

}  // namespace
}  // namespace baudrill::test
