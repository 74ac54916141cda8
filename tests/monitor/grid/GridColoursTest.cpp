#include "monitor/grid/GridColours.h"

#include <gtest/gtest.h>

#include <ostream>

namespace baudrill {

void PrintTo(const Rgb& c, std::ostream* os) { *os << "(" << c.red << "," << c.green << "," << c.blue << ")"; }

namespace {

constexpr Rgb white{255, 255, 255};
constexpr Rgb black{0, 0, 0};

TEST(GridColours, BlendWeightsAndFloors)
{
    struct Case {
        Rgb c1, c2;
        int alpha;
        Rgb mixed;
    };
    const Case cases[] = {
        {black, white, 0, black},
        {black, white, 64, {63, 63, 63}},
        {black, white, 128, {128, 128, 128}},  // 128 weighs as 129
        {black, white, 255, white},            // 255 weighs as 256: all of c2
        {white, black, 14, {241, 241, 241}},   // a negative difference floors
        {colour::Blue, colour::LtBlue, 128, {0, 0, 191}},
        {{10, 20, 30}, {10, 20, 30}, 200, {10, 20, 30}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Blend(c.c1, c.c2, c.alpha), c.mixed) << c.alpha;
}

TEST(GridColours, CellPapersOnWhite)
{
    EXPECT_EQ(DirectionPaper(white, true), (Rgb{205, 255, 205}));
    EXPECT_EQ(DirectionPaper(white, false), (Rgb{205, 205, 255}));
    EXPECT_EQ(CellPaper(white, true), (Rgb{241, 255, 241}));
    EXPECT_EQ(CellPaper(white, false), (Rgb{241, 241, 255}));
}

TEST(GridColours, DumpColours)
{
    const DumpColours received = DumpColoursFor(white, black, true, false);
    EXPECT_EQ(received.background, (Rgb{241, 255, 241}));
    EXPECT_EQ(received.hexBackground, (Rgb{234, 248, 234}));
    EXPECT_EQ(received.characterInk, (Rgb{0, 0, 191}));
    EXPECT_EQ(received.hexInk, (Rgb{32, 32, 32}));
    EXPECT_EQ(received.lineHighlight, (Rgb{251, 255, 202}));
    EXPECT_EQ(received.byteHighlight, (Rgb{254, 255, 27}));

    EXPECT_EQ(DumpColoursFor(white, black, false, false).hexBackground, (Rgb{234, 234, 248}));

    // On the cursor row the characters take the row's ink and the highlight is green.
    const Rgb highlight{48, 140, 198};
    const DumpColours cursor = DumpColoursFor(highlight, white, true, true);
    EXPECT_EQ(cursor.characterInk, white);
    EXPECT_EQ(cursor.background, (Rgb{45, 146, 187}));
    EXPECT_EQ(cursor.lineHighlight, (Rgb{33, 173, 140}));
    EXPECT_EQ(cursor.byteHighlight, (Rgb{16, 214, 69}));
}

}  // namespace
}  // namespace baudrill
