#include "monitor/grid/GridGeometry.h"

#include <algorithm>
#include <cstdint>

namespace baudrill {

namespace {

int FloorDiv(int a, int b)
{
    const int q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

int BytesPerDumpLine(int dumpWidth, int charWidth)
{
    if (charWidth <= 0)
        return 1;
    const int n = ((dumpWidth - 6) / charWidth - 2) / 4;
    return n > 1 ? n : 1;
}

int HexOffset(int bytesPerRow, int charWidth) { return (bytesPerRow + 2) * charWidth; }

int DumpLineCount(const LogLine& row, int bytesPerRow)
{
    const std::size_t perLine = static_cast<std::size_t>(std::max(bytesPerRow, 1));
    const std::size_t lines = (row.data.size() + perLine - 1) / perLine;
    int count = static_cast<int>(std::clamp<std::size_t>(lines, 1, INT32_MAX));
    if (!row.protoName.empty() && !row.protoValues.empty())
        count = std::max(count, 2);
    return count;
}

void MeasureRow(LogLine& row, int bytesPerRow, int lineHeight)
{
    row.lineCount = DumpLineCount(row, bytesPerRow);
    const std::int64_t height = std::int64_t{row.lineCount} * lineHeight + lineHeight / 2;
    row.height = static_cast<int>(std::min<std::int64_t>(height, INT32_MAX));
}

RowBand VisibleBand(int y, int height, int scroll, int viewHeight)
{
    const std::int64_t end = std::int64_t{y} + height;
    const std::int64_t viewEnd = std::int64_t{scroll} + viewHeight;
    RowBand band;
    band.visible = end >= scroll && y <= viewEnd;
    band.top = std::max(y, scroll);
    band.bottom = static_cast<int>(std::min(end, viewEnd));
    return band;
}

LineRange VisibleDumpLines(int y, int height, int scroll, int viewHeight, int lineHeight, int lineCount)
{
    const std::int64_t viewEnd = std::int64_t{scroll} + viewHeight;
    if (lineHeight <= 0 || lineCount <= 0 || viewEnd < y)
        return {};
    LineRange range;
    range.first = y >= scroll ? 0 : static_cast<int>((std::int64_t{scroll} - y) / lineHeight);
    range.last = std::int64_t{y} + height <= viewEnd ? lineCount - 1 : static_cast<int>((viewEnd - y) / lineHeight);
    // The half line of room below the last dump line holds no line of its own.
    range.last = std::min(range.last, lineCount - 1);
    return range;
}

int DumpLineAt(int yInRow, int lineHeight)
{
    if (lineHeight <= 0)
        return -1;
    // Truncating, so the margin above the first line still counts as that line.
    return (yInRow - DumpMargin) / lineHeight;
}

int DumpByteAt(int x, int charWidth, int bytesPerRow)
{
    if (charWidth <= 0)
        return -1;
    const int hexStart = HexOffset(bytesPerRow, charWidth) + DumpMargin;
    int byte = -1;
    // The characters are drawn from the margin on, so byte k stands at margin + k * width.
    if (x <= bytesPerRow * charWidth + DumpMargin)
        byte = FloorDiv(x - DumpMargin, charWidth);
    else if (x >= hexStart)
        byte = (x - hexStart) / (3 * charWidth);
    return byte >= 0 && byte < bytesPerRow ? byte : -1;
}

bool AtScrollEdge(int scroll, int totalHeight, int controlHeight)
{
    return scroll == 0 || std::int64_t{scroll} >= std::int64_t{totalHeight} - controlHeight;
}

}  // namespace baudrill
