#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "monitor/settings/SettingsStream.h"
#include "monitor/settings/WindowPlacement.h"
#include "tests/support/monitor/SettingsBytes.h"
#include "tests/support/NamedCase.h"

namespace baudrill::test {
namespace {

struct PlaceCase : NamedCase {
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

INSTANTIATE_TEST_SUITE_P(WindowPlacement, PlaceOnScreensCases, testing::ValuesIn(placeCases), CaseName<PlaceCase>);

TEST(WindowPlacement, NoScreensLeavesThePlacement)
{
    const ScreenRect r{-5000, -5000, 10, 10};
    EXPECT_EQ(PlaceOnScreens(r, {}), r);
}

struct EdgesCase : NamedCase {
    PlacementRect edges;
    std::optional<ScreenRect> usable;
};

const EdgesCase edgesCases[] = {
    {"LeftOfTheMainScreen", {-1280, 0, 0, 1024}, ScreenRect{-1280, 0, 1280, 1024}},
    {"OnePixel", {5, 6, 6, 7}, ScreenRect{5, 6, 1, 1}},
    {"NoWidth", {10, 10, 10, 500}, std::nullopt},
    {"RightLeftOfLeft", {10, 10, 5, 500}, std::nullopt},
    {"BottomAboveTop", {10, 10, 500, 9}, std::nullopt},
    {"WiderThanAnInt", {INT32_MIN, 0, INT32_MAX, 10}, std::nullopt},
};

class PlacementEdges : public testing::TestWithParam<EdgesCase> {};

TEST_P(PlacementEdges, GiveARectangleOnlyOfPositiveSize) { EXPECT_EQ(GetParam().edges.Usable(), GetParam().usable); }

INSTANTIATE_TEST_SUITE_P(WindowPlacement, PlacementEdges, testing::ValuesIn(edgesCases), CaseName<EdgesCase>);

TEST(WindowPlacement, EdgesOfARectangleAreOnePastItsLastPixel)
{
    EXPECT_EQ(PlacementRect::Of({-10, 20, 800, 600}), (PlacementRect{-10, 20, 790, 620}));
    EXPECT_EQ(PlacementRect::Of({INT32_MAX - 10, INT32_MIN, 100, 50}),
              (PlacementRect{INT32_MAX - 10, INT32_MIN, INT32_MAX, INT32_MIN + 50}));
}

TEST(WindowPlacement, LoadsBothVersionsOfTheFrameworkLayoutAndStoresVersionOne)
{
    const Edges normal{-1500, 40, -300, 900};
    const Edges current{-1920, 0, 0, 1080};
    for (int version : {0, 1}) {
        SCOPED_TRACE(version);
        const std::string fixture = PlacementFixture(version, normal, current, 0x40);
        ASSERT_EQ(fixture.size(), 34u);
        SettingsStream in = LoadingContent(fixture);
        WindowPlacement loaded;
        in % loaded;
        EXPECT_TRUE(in.IsFrameComplete());
        EXPECT_EQ(loaded.version, version);
        EXPECT_EQ(loaded.normal, (PlacementRect{-1500, 40, -300, 900}));
        EXPECT_EQ(loaded.current, (PlacementRect{-1920, 0, 0, 1080}));
        EXPECT_EQ(loaded.flags, WindowPlacement::Maximized);
        EXPECT_EQ(StoredBytes(loaded), PlacementFixture(1, normal, current, 0x40));
    }
}

TEST(WindowPlacement, UnknownVersionOrShortPlacementIsALoadingError)
{
    const std::string whole = PlacementFixture(1, {0, 0, 800, 600}, {0, 0, 800, 600}, 0x80);
    // An int follows, which the load must not reach.
    const std::string cases[] = {
        PlacementFixture(2, {0, 0, 800, 600}, {0, 0, 800, 600}, 0) + Int32Bytes(7),
        Bytes({0x00}) + whole.substr(1) + Int32Bytes(7),  // a packed 0: a version below 0
        whole.substr(0, 33),
    };
    for (const std::string& content : cases) {
        SettingsStream in = LoadingContent(content);
        WindowPlacement loaded;
        int after = 0;
        in % loaded % after;
        EXPECT_TRUE(in.IsError());
        EXPECT_EQ(after, 0);
    }
}

}  // namespace
}  // namespace baudrill::test
