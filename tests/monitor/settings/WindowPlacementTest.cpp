#include <gtest/gtest.h>

#include <vector>

#include "monitor/settings/WindowPlacement.h"

namespace baudrill::test {
namespace {

struct PlaceCase {
    const char* name;
    ScreenRect window;
    ScreenRect placed;
};

// Two screens side by side: 0,0 1920x1080 and 1920,0 1280x1024.
const std::vector<ScreenRect> twoScreens{{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};

const PlaceCase placeCases[] = {
    {"InsideStays", {100, 100, 800, 600}, {100, 100, 800, 600}},
    {"OnTheSecondStays", {2000, 50, 800, 600}, {2000, 50, 800, 600}},
    {"PartlyVisibleStays", {-700, -500, 800, 600}, {-700, -500, 800, 600}},
    {"LeftOfAllGoesToTheLeftEdge", {-900, 200, 800, 600}, {0, 200, 800, 600}},
    {"RightOfAllGoesToTheSecond", {5000, 100, 800, 600}, {2400, 100, 800, 600}},
    {"BelowTheSecondGoesUpOntoIt", {2500, 1500, 800, 600}, {2400, 424, 800, 600}},
    {"TooLargeIsShrunk", {4000, 0, 3000, 2000}, {1920, 0, 1280, 1024}},
    {"FarAwayIntRange", {INT32_MIN, INT32_MIN, 100, 100}, {0, 0, 100, 100}},
    {"FarAwayRightEnd", {INT32_MAX - 100, 0, 100, 100}, {3100, 0, 100, 100}},
};

class PlaceOnScreensCases : public testing::TestWithParam<PlaceCase> {};

TEST_P(PlaceOnScreensCases, OutsideEveryScreenMovesOntoTheNearest)
{
    EXPECT_EQ(PlaceOnScreens(GetParam().window, twoScreens), GetParam().placed);
}

INSTANTIATE_TEST_SUITE_P(WindowPlacement, PlaceOnScreensCases, testing::ValuesIn(placeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WindowPlacement, NoScreensLeavesThePlacement)
{
    const ScreenRect r{-5000, -5000, 10, 10};
    EXPECT_EQ(PlaceOnScreens(r, {}), r);
}

TEST(WindowPlacement, OnlyPositiveSizesAndKnownStatesAreUsed)
{
    WindowPlacement p;
    EXPECT_FALSE(p.IsUsable());
    p.normal = {0, 0, 10, 0};
    EXPECT_FALSE(p.IsUsable());
    p.normal = {0, 0, 10, 10};
    EXPECT_TRUE(p.IsUsable());
    p.state = 7;
    EXPECT_EQ(p.UsableState(), WindowPlacement::Normal);
    p.state = WindowPlacement::Minimized;
    EXPECT_EQ(p.UsableState(), WindowPlacement::Minimized);
}

}  // namespace
}  // namespace baudrill::test
