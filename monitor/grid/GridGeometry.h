#pragma once

#include "monitor/traffic/LogLine.h"

namespace baudrill {

// The measures of the log grid's rows and dump, in pixels. A dump line of n bytes is a
// margin, n characters, a gap of two characters and three characters (two digits and a
// blank) per byte; every position is counted from the left edge of the Dump column.

// Room above the first dump line and left of the characters.
inline constexpr int DumpMargin = 4;

// Bytes per dump line for a Dump column `dumpWidth` wide; never below 1.
int BytesPerDumpLine(int dumpWidth, int charWidth);

// Where the hexadecimal part starts, after the characters and the gap.
int HexOffset(int bytesPerRow, int charWidth);

// Dump lines of a row: its bytes over `bytesPerRow` rounded up, at least 1, and at least 2
// when the row shows both a protocol name and decoded values (the protocol column's two text
// lines).
int DumpLineCount(const LogLine& row, int bytesPerRow);

// Sets the row's lineCount and its height: the dump lines and half a line of room.
void MeasureRow(LogLine& row, int bytesPerRow, int lineHeight);

// The part of a row that the view shows. `y` is the row's top in row space, `height` its
// height, `scroll` the scroll position and `viewHeight` the height the rows are shown in.
struct RowBand {
    bool visible = false;
    int top = 0;     // row space
    int bottom = 0;  // row space, past the last visible pixel
};
RowBand VisibleBand(int y, int height, int scroll, int viewHeight);

// The dump lines of a row that lie in the view; none when first > last.
struct LineRange {
    int first = 0;
    int last = -1;

    bool empty() const { return first > last; }
};
LineRange VisibleDumpLines(int y, int height, int scroll, int viewHeight, int lineHeight, int lineCount);

// The dump line at `yInRow` pixels below the row's top; negative above the first line.
int DumpLineAt(int yInRow, int lineHeight);

// The byte shown `x` pixels right of the Dump column's left edge, in the character part or
// in the hexadecimal part; -1 over the margin, the gap or past the last byte of a line.
int DumpByteAt(int x, int charWidth, int bytesPerRow);

// Whether the view stands at the top or at the bottom of the rows, where new rows scroll it to
// the end. `controlHeight` is the grid's whole height, header included, so a view within that
// much of the bottom counts as at the bottom.
bool AtScrollEdge(int scroll, int totalHeight, int controlHeight);

}  // namespace baudrill
