// The log grid's member code of SerPort: the four cell displays, row heights and bytes per
// dump line, the highlight of the byte under the mouse, the refresh and clearing the log.
#include "monitor/port/SerPort.h"

#include "monitor/text/ProgramTexts.h"
#include "monitor/grid/view/SerPortCtrl.h"
#include "monitor/images/IMG.h"
#include "monitor/layouts/WithSendLayout.h"
#include "monitor/grid/DumpText.h"
#include "monitor/grid/GridColours.h"
#include "monitor/grid/view/GridFont.h"
#include "monitor/text/ByteText.h"
#include "monitor/grid/GridGeometry.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPoint>
#include <QSignalBlocker>

#include <algorithm>
#include <climits>
#include <optional>

namespace baudrill {

namespace {

constexpr int DumpColumn = 3;
constexpr int IconSize = 16;

Rgb ToRgb(const QColor& c) { return {c.red(), c.green(), c.blue()}; }

QColor ToColor(Rgb c) { return QColor(c.red, c.green, c.blue); }

// Where a row stands in the grid's view, as every display needs it.
struct RowPlace {
    const LogLine* row = nullptr;
    int y = 0;       // the row's top, row space
    int height = 0;  // the row's own height
    int scroll = 0;
    int viewHeight = 0;
    RowBand band;

    bool received() const { return row->direction != RowSent; }
    // The view y at which content `contentHeight` high is centred on the visible part.
    int CentredTop(int contentHeight) const
    {
        return band.top - scroll + (band.bottom - band.top) / 2 - contentHeight / 2;
    }
};

// Nothing for a row the port does not have or one out of view.
std::optional<RowPlace> PlaceRow(const SerPort& port, int row)
{
    if (!port.grid || row < 0 || static_cast<std::size_t>(row) >= port.rows.size())
        return std::nullopt;
    RowPlace place;
    place.row = &port.rows[static_cast<std::size_t>(row)];
    place.y = port.grid->rowTop(row);
    place.height = place.row->height;
    place.scroll = port.grid->scrollPosition();
    place.viewHeight = port.grid->viewHeight();
    place.band = VisibleBand(place.y, place.height, place.scroll, place.viewHeight);
    if (!place.band.visible)
        return std::nullopt;
    return place;
}

// Fills `area` unless it is empty (a column narrower than the dump's margins).
void FillArea(QPainter& painter, const QRect& area, const QColor& colour)
{
    if (area.isValid())
        painter.fillRect(area, colour);
}

// Draws `text` with its cell's top at y.
void DrawTextAt(QPainter& painter, int x, int y, const QString& text)
{
    painter.drawText(x, y + painter.fontMetrics().ascent(), text);
}

}  // namespace

void SerPort::Column0Display::Paint(QPainter& painter, const QRect& cell, int row, const QColor&, const QColor& paper,
                                    unsigned) const
{
    const auto place = PlaceRow(*port, row);
    if (!place)
        return;
    painter.fillRect(cell, ToColor(DirectionPaper(ToRgb(paper), place->received())));
    const QImage icon = place->received() ? IMG::receive() : IMG::send();
    painter.drawImage(QPoint(cell.left() + 4, place->CentredTop(IconSize)), icon);
}

void SerPort::Column1Display::Paint(QPainter& painter, const QRect& cell, int row, const QColor& ink,
                                    const QColor& paper, unsigned) const
{
    const auto place = PlaceRow(*port, row);
    if (!place)
        return;
    painter.fillRect(cell, ToColor(CellPaper(ToRgb(paper), place->received())));
    painter.setFont(QGuiApplication::font());
    painter.setPen(ink);
    DrawTextAt(painter, cell.left() + 4, place->CentredTop(StdFontCellHeight()),
               QString::fromStdString(place->row->timeText));
}

void SerPort::Column2Display::Paint(QPainter& painter, const QRect& cell, int row, const QColor& ink,
                                    const QColor& paper, unsigned) const
{
    const auto place = PlaceRow(*port, row);
    if (!place)
        return;
    painter.fillRect(cell, ToColor(CellPaper(ToRgb(paper), place->received())));
    // The name and the values, two lines: centred on a visible part with room for them,
    // else ending at its bottom.
    const int h = StdFontCellHeight();
    const int y0 = place->band.bottom - place->band.top > 2 * h ? place->CentredTop(2 * h)
                                                                : place->band.bottom - 2 * h - place->scroll;
    painter.setFont(ProtocolFont());
    painter.setPen(ink);
    DrawTextAt(painter, cell.left() + 4, y0, QString::fromStdString(place->row->protoName));
    DrawTextAt(painter, cell.left() + 4, y0 + h, QString::fromStdString(place->row->protoValues));
}

void SerPort::Column3Display::Paint(QPainter& painter, const QRect& cell, int row, const QColor& ink,
                                    const QColor& paper, unsigned style) const
{
    const auto place = PlaceRow(*port, row);
    if (!place)
        return;
    const LogLine& line = *place->row;
    const int c = GridCharWidth();
    const int l = GridLineHeight();
    const int n = port->bytesPerRow;
    const int hexOffset = HexOffset(n, c);
    const bool cursorRow = (style & CellDisplay::Cursor) != 0;
    const DumpColours colours = DumpColoursFor(ToRgb(paper), ToRgb(ink), place->received(), cursorRow);
    const int left = cell.left() + DumpMargin;

    painter.fillRect(cell, ToColor(colours.background));
    FillArea(painter,
             QRect(cell.left() + hexOffset, cell.top() + DumpMargin, cell.width() - hexOffset,
                   cell.height() - 2 * DumpMargin),
             ToColor(colours.hexBackground));

    const Hover& hover = port->hover;
    if (hover.row == row && hover.line >= 0 && hover.line < line.lineCount) {
        const int y = cell.top() + DumpMargin + hover.line * l;
        FillArea(painter, QRect(left, y, cell.right() + 1 - left, l), ToColor(colours.lineHighlight));
        if (hover.byte >= 0) {
            // The byte is not checked against the row's length: on a short last line the
            // highlight may stand on empty cells.
            const QColor byteColour = ToColor(colours.byteHighlight);
            painter.fillRect(QRect(left + hover.byte * c, y, c, l), byteColour);
            painter.fillRect(QRect(left + (n + 2 + 3 * hover.byte) * c, y, 2 * c, l), byteColour);
        }
    }

    const LineRange lines =
        VisibleDumpLines(place->y, place->height, place->scroll, place->viewHeight, l, line.lineCount);
    painter.setFont(GridFont());
    const QColor characterInk = ToColor(colours.characterInk);
    const QColor hexInk = ToColor(colours.hexInk);
    for (int k = lines.first; k <= lines.last; ++k) {
        const std::string_view chunk = DumpChunk(line.data, k, n);
        if (chunk.empty())
            continue;
        const int y = cell.top() + DumpMargin + k * l;
        painter.setPen(characterInk);
        DrawTextAt(painter, left, y, QString::fromStdString(DumpCharacterText(chunk)));
        painter.setPen(hexInk);
        DrawTextAt(painter, left + hexOffset, y, QString::fromLatin1(SpacedHexText(chunk)));
    }
}

void SerPort::RefreshGrid(bool all)
{
    if (!active || !grid)
        return;
    // Taken before the rows change: at the top or the bottom, new rows keep the newest in view.
    const bool atEdge = AtScrollEdge(grid->scrollPosition(), grid->totalHeight(), grid->height());
    grid->setRowCount(static_cast<int>(std::min<std::size_t>(rows.size(), INT_MAX)));
    UpdateBytesPerRow(all);
    grid->setDisplay(0, &column0);
    grid->setDisplay(1, &column1);
    grid->setDisplay(2, &column2);
    grid->setDisplay(3, &column3);
    if (sendPane) {
        ButtonOption& button = sendPane->sendButton;
        const QSignalBlocker blocker(button);
        button.setChecked(sending);
        button.setText(QString::fromLatin1(sending ? StopCaption : SendCaption));
        button.update();
    }
    if (atEdge)
        grid->scrollToEnd();
    grid->refreshAll();
}

void SerPort::UpdateBytesPerRow(bool all)
{
    const int width = grid ? grid->columnWidth(DumpColumn) : 0;
    bytesPerRow = BytesPerDumpLine(width, GridCharWidth());
    const int count = static_cast<int>(std::min<std::size_t>(rows.size(), INT_MAX));
    if (!all && width == dumpWidth) {
        // Only the newest rows can lack a height: the ones added or grown since the last refresh.
        for (int i = count - 1; i >= 0 && rows[static_cast<std::size_t>(i)].height <= 0; --i)
            RowHeight(i, false);
        return;
    }
    dumpWidth = width;
    for (int i = 0; i < count; ++i)
        RowHeight(i, all);
}

void SerPort::RowHeight(int i, bool keep)
{
    if (i < 0 || static_cast<std::size_t>(i) >= rows.size())
        return;
    LogLine& row = rows[static_cast<std::size_t>(i)];
    if (!keep || row.height <= 0)
        MeasureRow(row, bytesPerRow, GridLineHeight());
    if (active && grid)
        grid->setRowHeight(i, row.height);
}

void SerPort::OnGridLayout() { UpdateBytesPerRow(false); }

void SerPort::OnGridHeaderLayout()
{
    UpdateBytesPerRow(false);
    if (grid)
        grid->refreshAll();
}

void SerPort::OnGridMouseMove(QPoint p, uint32_t)
{
    if (!grid)
        return;
    const int left = grid->columnLeft(DumpColumn);
    if (p.x() < left)
        return;
    const int scroll = grid->scrollPosition();
    const int row = grid->rowAt(scroll + p.y());
    if (row < 0)
        return;
    const int line = DumpLineAt(scroll + p.y() - grid->rowTop(row), GridLineHeight());
    if (line < 0)
        return;
    hover.row = row;
    hover.line = line;
    hover.byte = DumpByteAt(p.x() - left, GridCharWidth(), bytesPerRow);
    grid->refreshAll();
}

void SerPort::ClearLog()
{
    // The log file keeps every row: the unlogged ones go to the log writer before they go.
    FlushLog();
    rows.clear();
    RefreshGrid(true);
}

}  // namespace baudrill
