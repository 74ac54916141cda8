#include "monitor/layouts/AxisAnchor.h"

#include <gtest/gtest.h>

#include "tests/support/NamedCase.h"

namespace baudrill {
namespace {

struct SpanCase : test::NamedCase {
    AxisAnchor anchor;
    double zoom;
    int extent;
    Span expected;
};

class PlaceSpanTest : public ::testing::TestWithParam<SpanCase> {};

TEST_P(PlaceSpanTest, PlacesTheItem)
{
    const SpanCase& c = GetParam();
    EXPECT_EQ(placeSpan(c.anchor, c.zoom, c.extent), c.expected);
}

const SpanCase spanCases[] = {
    // At zoom 1, units are pixels.
    {"LeftWidth", LW(4, 28), 1.0, 700, {4, 28}},
    {"RightWidth", RW(4, 24), 1.0, 700, {672, 24}},
    {"LeftRight", LR(4, 28), 1.0, 700, {4, 668}},
    {"TopHeight", TH(56, 20), 1.0, 476, {56, 20}},
    {"BottomHeight", BH(9, 21), 1.0, 476, {446, 21}},
    {"TopBottom", TB(56, 144), 1.0, 476, {56, 276}},
    {"RightZeroSticksToTheEdge", RW(0, 24), 1.0, 684, {660, 24}},
    // Distances and sizes are zoomed first, then combined with the extent.
    {"LeftWidthZoomed", LW(4, 28), 1.5, 1050, {6, 42}},
    {"RightWidthZoomed", RW(4, 24), 1.5, 1050, {1008, 36}},
    {"LeftRightZoomed", LR(4, 28), 1.5, 1050, {6, 1002}},
    {"TopBottomZoomed", TB(56, 144), 1.5, 714, {84, 414}},
    {"RoundsToNearest", LW(3, 5), 1.25, 100, {4, 6}},
    {"HalvesRoundAway", LW(5, 3), 0.5, 100, {3, 2}},
    // A parent too small: a stretching item shrinks to nothing, a sized one keeps its size.
    {"StretchNeverNegative", TB(56, 144), 1.0, 100, {56, 0}},
    {"SizedItemKeepsItsSize", RW(0, 24), 1.0, 10, {-14, 24}},
};

INSTANTIATE_TEST_SUITE_P(Anchors, PlaceSpanTest, ::testing::ValuesIn(spanCases), test::CaseName<SpanCase>);

}  // namespace
}  // namespace baudrill
