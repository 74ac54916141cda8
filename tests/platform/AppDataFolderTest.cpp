#include "platform/AppDataFolder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "tests/support/NamedCase.h"

namespace baudrill::platform {
namespace {

struct FolderCase : test::NamedCase {
    const char* xdgDataHome;
    const char* home;
    const char* passwdHome;
    const char* expected;
};

class AppDataFolderRule : public ::testing::TestWithParam<FolderCase> {};

TEST_P(AppDataFolderRule, PicksTheFirstUsableSource)
{
    const FolderCase& c = GetParam();
    EXPECT_EQ(AppDataFolderFrom(c.xdgDataHome, c.home, c.passwdHome), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AppDataFolderRule,
    ::testing::Values(FolderCase{"XdgWhenAbsolute", "/x/data", "/home/u", "/pw", "/x/data"},
                      FolderCase{"RelativeXdgIgnored", "data", "/home/u", "/pw", "/home/u/.local/share"},
                      FolderCase{"EmptyXdgIgnored", "", "/home/u", "/pw", "/home/u/.local/share"},
                      FolderCase{"PasswdWithoutHome", nullptr, nullptr, "/pw", "/pw/.local/share"},
                      FolderCase{"RelativeHomeIgnored", nullptr, "home", "/pw", "/pw/.local/share"},
                      FolderCase{"NeverEmpty", nullptr, "", "", "/tmp"}),
    test::CaseName<FolderCase>);

TEST(AppDataFolderTest, FollowsTheEnvironment)
{
    auto folder = std::filesystem::temp_directory_path() / "baudrill-appdata-test";
    ASSERT_EQ(setenv("XDG_DATA_HOME", folder.c_str(), 1), 0);
    EXPECT_EQ(AppDataFolder(), folder.string());
    ASSERT_EQ(setenv("XDG_DATA_HOME", "relative", 1), 0);
    ASSERT_EQ(setenv("HOME", "/home/someone", 1), 0);
    EXPECT_EQ(AppDataFolder(), "/home/someone/.local/share");
    ASSERT_EQ(unsetenv("HOME"), 0);
    EXPECT_FALSE(AppDataFolder().empty());
}

}  // namespace
}  // namespace baudrill::platform
