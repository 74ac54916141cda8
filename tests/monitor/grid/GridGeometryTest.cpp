#include "monitor/grid/GridGeometry.h"

#include <gtest/gtest.h>

#include <string>

namespace baudrill {
namespace {

TEST(GridGeometry, BytesPerDumpLine)
{
    struct Case {
        int width, charWidth, bytes;
    };
    // clang-format off
    const Case cases[] = {
        {400, 8, 11},  // ((400 - 6) / 8 - 2) / 4
        {50, 8, 1},
        {86, 8, 2},    // the narrowest width for two bytes
        {85, 8, 1},
        {0, 8, 1},     // no Dump column
        {-20, 8, 1},   // truncation toward zero, never below 1
        {400, 0, 1},   // no font measure yet
        {1000, 7, 35},
    };
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(BytesPerDumpLine(c.width, c.charWidth), c.bytes) << c.width << " px at " << c.charWidth;
}

TEST(GridGeometry, RowLinesAndHeight)
{
    constexpr int n = 11;
    constexpr int l = 16;
    struct Case {
        const char* what;
        std::size_t bytes;
        const char* name;
        const char* values;
        int bytesPerRow, lines, height;
    };
    const Case cases[] = {
        {"empty row", 0, "", "", n, 1, 24},
        {"one byte", 1, "", "", n, 1, 24},
        {"one full line", 11, "", "", n, 1, 24},
        {"one byte over", 12, "", "", n, 2, 40},
        {"2n + 1 bytes", 23, "", "", n, 3, 56},
        {"protocol name and values", 1, "Modbus", " 1 2", n, 2, 40},
        {"name with empty values", 1, "Modbus", "", n, 1, 24},
        {"values without a name", 1, "", " 1", n, 1, 24},
        {"long decoded row", 30, "Modbus", " 1", n, 3, 56},
        {"one byte per line", 5, "", "", 1, 5, 88},
        {"bytes per row below 1 counts as 1", 3, "", "", 0, 3, 56},
    };
    for (const Case& c : cases) {
        LogLine row;
        row.data.assign(c.bytes, 'x');
        row.protoName = c.name;
        row.protoValues = c.values;
        MeasureRow(row, c.bytesPerRow, l);
        EXPECT_EQ(row.lineCount, c.lines) << c.what;
        EXPECT_EQ(row.height, c.height) << c.what;
    }
    // Half a line of room, truncated.
    LogLine row;
    row.data = "x";
    MeasureRow(row, n, 15);
    EXPECT_EQ(row.height, 22);
}

TEST(GridGeometry, VisibleBand)
{
    struct Case {
        const char* what;
        int y, height, scroll, view;
        bool visible;
        int top, bottom;
    };
    const Case cases[] = {
        {"inside the view", 100, 56, 0, 300, true, 100, 156},
        {"taller than the view, middle shown", 100, 1000, 400, 200, true, 400, 600},
        {"cut by the top edge", 0, 50, 30, 300, true, 30, 50},
        {"cut by the bottom edge", 280, 50, 0, 300, true, 280, 300},
        {"ends where the view starts", 0, 50, 50, 300, true, 50, 50},
        {"starts where the view ends", 350, 50, 50, 300, true, 350, 350},
        {"above the view", 0, 50, 51, 300, false, 0, 0},
        {"below the view", 351, 50, 50, 300, false, 0, 0},
    };
    for (const Case& c : cases) {
        const RowBand band = VisibleBand(c.y, c.height, c.scroll, c.view);
        EXPECT_EQ(band.visible, c.visible) << c.what;
        if (c.visible) {
            EXPECT_EQ(band.top, c.top) << c.what;
            EXPECT_EQ(band.bottom, c.bottom) << c.what;
        }
    }
}

TEST(GridGeometry, VisibleDumpLines)
{
    struct Case {
        const char* what;
        int y, height, scroll, view, lines;
        int first, last;
    };
    const Case cases[] = {
        {"whole row in view", 100, 56, 0, 300, 3, 0, 2},
        {"middle of a tall row", 100, 3208, 400, 200, 200, 18, 31},
        {"cut by the bottom edge", 100, 200, 0, 150, 12, 0, 3},
        {"bottom edge in the half line of room", 0, 40, 0, 38, 2, 0, 1},
        {"cut by the top edge", 0, 200, 40, 300, 12, 2, 11},
    };
    for (const Case& c : cases) {
        const LineRange range = VisibleDumpLines(c.y, c.height, c.scroll, c.view, 16, c.lines);
        EXPECT_EQ(range.first, c.first) << c.what;
        EXPECT_EQ(range.last, c.last) << c.what;
    }
    EXPECT_TRUE(VisibleDumpLines(0, 40, 0, 300, 16, 0).empty()) << "a row without lines";
    EXPECT_TRUE(VisibleDumpLines(500, 40, 0, 300, 16, 2).empty()) << "a row below the view";
}

TEST(GridGeometry, HoverHitTest)
{
    // C = 8, n = 11: characters from 4 to 92, the gap to 108, the hex pairs from 108 on.
    struct Case {
        const char* what;
        int x, byte;
    };
    const Case cases[] = {
        {"left margin", 0, -1},
        {"last margin pixel", 3, -1},
        {"first character", 4, 0},
        {"end of the first character", 11, 0},
        {"first pixel of the second character", 12, 1},  // where it is drawn, 4 px in
        {"last character", 91, 10},
        {"right after the characters", 92, -1},
        {"gap", 100, -1},
        {"first hex pair", 108, 0},
        {"blank after the first pair", 131, 0},
        {"second hex pair", 132, 1},
        {"last hex pair", 348, 10},
        {"past the last pair", 372, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DumpByteAt(c.x, 8, 11), c.byte) << c.what;

    EXPECT_EQ(DumpLineAt(0, 16), 0) << "the margin above counts as the first line";
    EXPECT_EQ(DumpLineAt(19, 16), 0);
    EXPECT_EQ(DumpLineAt(20, 16), 1);
    EXPECT_EQ(DumpLineAt(-20, 16), -1) << "above the row";
}

TEST(GridGeometry, AutoScrollEdge)
{
    EXPECT_TRUE(AtScrollEdge(0, 1000, 300)) << "top";
    EXPECT_TRUE(AtScrollEdge(0, 100, 300)) << "a log shorter than the view";
    EXPECT_TRUE(AtScrollEdge(720, 1000, 300)) << "bottom";
    EXPECT_TRUE(AtScrollEdge(700, 1000, 300)) << "within the control's height of the bottom";
    EXPECT_FALSE(AtScrollEdge(699, 1000, 300));
    EXPECT_FALSE(AtScrollEdge(1, 1000, 300));
}

}  // namespace
}  // namespace baudrill
