#include "monitor/widgets/CellFont.h"
#include "monitor/grid/view/SerPortCtrl.h"
#include "monitor/grid/GridColours.h"
#include "monitor/grid/view/GridFont.h"
#include "monitor/grid/GridGeometry.h"
#include "tests/support/gui/GuiTestEnvironment.h"
#include "tests/support/gui/PortHarness.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHeaderView>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>

#include <functional>
#include <memory>
#include <string>

namespace baudrill {
namespace {

QColor ToColor(Rgb c) { return QColor(c.red, c.green, c.blue); }

LogLine Row(int direction, std::string data, std::string name = {}, std::string values = {})
{
    LogLine row;
    row.direction = direction;
    row.data = std::move(data);
    row.protoName = std::move(name);
    row.protoValues = std::move(values);
    row.timeText = "00:01.234";
    return row;
}

// The bounding box of the pixels of `image` in `area` that are not `paper`.
QRect InkBox(const QImage& image, QColor paper, QRect area)
{
    QRect box;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) != paper)
                box |= QRect(x, y, 1, 1);
    return box;
}

// The shared grid of the harness with the log's four columns, shown at 1000 x 700, and one
// port that is the shown one, its handlers bound to the grid the way showing a port binds them.
class SerPortGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const auto& [title, ratio] : {std::pair{"", 4}, {"  Time", 11}, {"  Protocol", 11}, {"  Dump", 90}})
            grid().addColumn(QString::fromLatin1(title), ratio);
        test::showResized(harness.window, 1000, 700);
        port = harness.MakePort();
        Show(*port);
    }

    void TearDown() override
    {
        grid().clearDisplays();
        grid().WhenLayout = nullptr;
        grid().WhenHover = nullptr;
        grid().WhenHeaderLayout = nullptr;
        grid().WhenLeftDouble = nullptr;
    }

    void Show(SerPort& shown)
    {
        if (port && port.get() != &shown)
            port->active = false;
        shown.active = true;
        grid().WhenLayout = [&shown] { shown.OnGridLayout(); };
        grid().WhenHover = [&shown](QPoint p, quint32 flags) { shown.OnGridMouseMove(p, flags); };
        grid().WhenHeaderLayout = [&shown] { shown.OnGridHeaderLayout(); };
        grid().WhenLeftDouble = [&shown] { shown.ClearLog(); };
        shown.RefreshGrid(true);
    }

    SerPortCtrl& grid() { return harness.window.logGrid; }

    // Adds rows as traffic does (no height yet) and refreshes.
    void Add(LogLine row, int count = 1)
    {
        for (int i = 0; i < count; ++i)
            port->rows.push_back(row);
        port->RefreshGrid(false);
    }

    // Paints one cell the way the grid does, on white paper with black ink, into an image of
    // the cell (pixel (0, 0) is the cell's top left). Text is drawn without antialiasing, so
    // glyph pixels have the exact ink.
    QImage PaintCell(const CellDisplay& display, int column, int row, unsigned style = 0)
    {
        const QRect cell(grid().columnLeft(column), grid().rowTop(row) - grid().scrollPosition(),
                         grid().columnWidth(column) - 1, grid().rowHeight(row) - 1);
        QImage image(cell.size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.translate(-cell.topLeft());
        display.Paint(painter, cell, row, Qt::black, Qt::white, style);
        return image;
    }

    void MoveMouse(QPoint position)
    {
        QMouseEvent event(QEvent::MouseMove, position, grid().viewport()->mapToGlobal(position), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(grid().viewport(), &event);
    }

    test::PortHarness harness;
    std::unique_ptr<SerPort> port;
};

// What the dump needs of its font: every character it can show advances the same whole
// number of pixels, so the characters and hex digits stay on the cells the hit test counts
// in. Whether the font calls itself fixed-pitch is not asked: some monospaced fonts do not.
TEST_F(SerPortGridTest, GridFontAdvancesWholeEqualCells)
{
    const QFont font = GridFont();
    EXPECT_EQ(QFontInfo(font).pixelSize(), QFontInfo(QGuiApplication::font()).pixelSize() + 2);
    const int c = GridCharWidth();
    ASSERT_GT(c, 0);
    const QFontMetricsF metrics(font);
    const QString characters = CellCharacters();
    for (const QChar character : characters)
        ASSERT_NEAR(metrics.horizontalAdvance(QString(character)), c, 0.01)
            << "U+" << std::hex << static_cast<int>(character.unicode());
    EXPECT_NEAR(metrics.horizontalAdvance(characters), characters.size() * c, 0.5);
    EXPECT_EQ(GridLineHeight(), QFontMetrics(font).height());
}

TEST_F(SerPortGridTest, BytesPerRowAndHeightsFollowTheDumpColumn)
{
    const int n = port->bytesPerRow;
    EXPECT_EQ(n, BytesPerDumpLine(grid().columnWidth(3), GridCharWidth()));
    ASSERT_GT(n, 2);
    const int l = GridLineHeight();
    Add(Row(1, std::string(2 * n + 1, 'x')));
    EXPECT_EQ(port->rows[0].lineCount, 3);
    EXPECT_EQ(port->rows[0].height, 3 * l + l / 2);
    EXPECT_EQ(grid().rowHeight(0), port->rows[0].height);

    // Narrowing the Dump column to a third re-measures the row under the new width.
    const std::vector<int> widths = grid().columnWidths();
    grid().setColumnWidths({widths[0], widths[1], widths[2] + widths[3] * 2 / 3, widths[3] / 3});
    ASSERT_LT(port->bytesPerRow, n);
    EXPECT_EQ(port->bytesPerRow, BytesPerDumpLine(grid().columnWidth(3), GridCharWidth()));
    const int lines = (2 * n + 1 + port->bytesPerRow - 1) / port->bytesPerRow;
    EXPECT_EQ(port->rows[0].lineCount, lines);
    EXPECT_EQ(grid().rowHeight(0), lines * l + l / 2);
}

// A flood appends notice after notice to one row: the row and the grid's total grow by the
// lines each notice adds.
TEST_F(SerPortGridTest, ANoticeGrowsTheRowAndTheTotalByItsLines)
{
    const int n = port->bytesPerRow;
    const int l = GridLineHeight();
    Add(Row(0, "sent"));
    port->OnReceive(std::string(static_cast<std::size_t>(10 * n), 'a'), 0, true);
    const int total = grid().totalHeight();
    ASSERT_EQ(grid().rowHeight(1), 10 * l + l / 2);
    port->OnReceive(std::string(static_cast<std::size_t>(3 * n), 'b'), 0, false);
    EXPECT_EQ(port->rows[1].lineCount, 13);
    EXPECT_EQ(grid().rowHeight(1), 13 * l + l / 2);
    EXPECT_EQ(grid().totalHeight(), total + 3 * l);
}

TEST_F(SerPortGridTest, ANarrowDumpColumnShowsOneBytePerLine)
{
    Add(Row(1, "abc"));
    const std::vector<int> widths = grid().columnWidths();
    grid().setColumnWidths({widths[0], widths[1], widths[2] + widths[3] - 12, 12});
    EXPECT_EQ(port->bytesPerRow, 1);
    EXPECT_EQ(port->rows[0].lineCount, 3);
    const QImage image = PaintCell(port->column3, 3, 0);  // margins wider than the column
    EXPECT_EQ(image.pixelColor(1, 1), QColor(241, 255, 241));
}

TEST_F(SerPortGridTest, StoredHeightsStayUntilTheWidthChanges)
{
    LogLine loaded = Row(1, "x");
    loaded.height = 99;
    loaded.lineCount = 4;
    port->rows.push_back(loaded);
    port->RefreshGrid(true);
    EXPECT_EQ(port->rows[0].height, 99);
    EXPECT_EQ(grid().rowHeight(0), 99);

    // A new row gets its height; the loaded one keeps its own.
    Add(Row(0, "y"));
    EXPECT_EQ(port->rows[1].height, GridLineHeight() + GridLineHeight() / 2);
    EXPECT_EQ(port->rows[0].height, 99);

    std::vector<int> widths = grid().columnWidths();
    grid().setColumnWidths({widths[0], widths[1], widths[2] + 10, widths[3] - 10});
    EXPECT_EQ(port->rows[0].height, GridLineHeight() + GridLineHeight() / 2);
    EXPECT_EQ(port->rows[0].lineCount, 1);
}

TEST_F(SerPortGridTest, ColoursOnWhitePaper)
{
    Add(Row(1, "\xDB\xDB"));
    Add(Row(0, "\xDB"));
    const QImage received0 = PaintCell(port->column0, 0, 0);
    const QImage received1 = PaintCell(port->column1, 1, 0);
    const QImage received3 = PaintCell(port->column3, 3, 0);
    EXPECT_EQ(received0.pixelColor(1, 1), QColor(205, 255, 205));
    EXPECT_EQ(received1.pixelColor(1, 1), QColor(241, 255, 241));
    EXPECT_EQ(received3.pixelColor(1, 1), QColor(241, 255, 241));
    const int c = GridCharWidth();
    const int hexLeft = HexOffset(port->bytesPerRow, c);
    EXPECT_EQ(received3.pixelColor(hexLeft + 1, DumpMargin), QColor(234, 248, 234));
    EXPECT_EQ(received3.pixelColor(hexLeft - 1, DumpMargin), QColor(241, 255, 241));

    // A full block fills its character cell with the character ink; the hex digits are drawn
    // in the hex ink.
    const int middle = DumpMargin + GridLineHeight() / 2;
    EXPECT_EQ(received3.pixelColor(DumpMargin + c + c / 2, middle), QColor(0, 0, 191));
    const QRect hexPair(DumpMargin + hexLeft, DumpMargin, 2 * c, GridLineHeight());
    EXPECT_TRUE(InkBox(received3, QColor(234, 248, 234), hexPair).isValid());
    bool hexInk = false;
    for (int y = hexPair.top(); y <= hexPair.bottom(); ++y)
        for (int x = hexPair.left(); x <= hexPair.right(); ++x)
            hexInk |= received3.pixelColor(x, y) == QColor(32, 32, 32);
    EXPECT_TRUE(hexInk);

    EXPECT_EQ(PaintCell(port->column0, 0, 1).pixelColor(1, 1), QColor(205, 205, 255));
    EXPECT_EQ(PaintCell(port->column2, 2, 1).pixelColor(1, 1), QColor(241, 241, 255));
    // On the cursor row the characters take the row's ink.
    const QImage cursor = PaintCell(port->column3, 3, 1, CellDisplay::Cursor);
    EXPECT_EQ(cursor.pixelColor(DumpMargin + c / 2, middle), QColor(Qt::black));
}

TEST_F(SerPortGridTest, RowsThePortDoesNotHaveDrawNothing)
{
    Add(Row(1, "x"));
    grid().setRowCount(3);  // the grid has more lines than the port has rows
    grid().setRowHeight(2, 40);
    const QImage image = PaintCell(port->column3, 3, 2);
    EXPECT_FALSE(InkBox(image, Qt::magenta, image.rect()).isValid());
    EXPECT_FALSE(InkBox(PaintCell(port->column0, 0, 2), Qt::magenta, image.rect()).isValid());
}

TEST_F(SerPortGridTest, TallRowShowsItsContentInTheVisiblePart)
{
    const int n = port->bytesPerRow;
    const int l = GridLineHeight();
    Add(Row(1, "x"));
    Add(Row(1, std::string(static_cast<std::size_t>(n) * 200, '\xDB')));
    const int y = grid().rowTop(1);
    const int h = port->rows[1].height;
    const int view = grid().viewHeight();
    ASSERT_GT(h, view + 1000);
    grid().setScrollPosition(y + 1000);
    const int s = grid().scrollPosition();
    ASSERT_EQ(s, y + 1000);

    // Only dump lines in view are drawn: each one wholly inside has ink, none wholly outside.
    const QImage dump = PaintCell(port->column3, 3, 1);
    const QColor background(241, 255, 241);
    for (int k = 0; k < port->rows[1].lineCount; ++k) {
        const int top = y + DumpMargin + k * l;  // row space
        // Inside the line: a block glyph may reach a pixel into its neighbours.
        const QRect characters(DumpMargin, top - y + 1, n * GridCharWidth(), l - 2);
        const bool inked = InkBox(dump, background, characters).isValid();
        if (top >= s && top + l <= s + view) {
            EXPECT_TRUE(inked) << "line " << k << " is in view";
        } else if (top + l <= s || top >= s + view) {
            EXPECT_FALSE(inked) << "line " << k << " is out of view";
        }
    }

    // The icon and the time are centred on the visible part, not on the row.
    const int centre = view / 2;  // the visible part is the whole view; view y
    const QImage icon = PaintCell(port->column0, 0, 1);
    const QRect iconBox = InkBox(icon, QColor(205, 255, 205), icon.rect()).translated(0, y - s);
    ASSERT_TRUE(iconBox.isValid());
    EXPECT_GE(iconBox.top(), centre - 8);
    EXPECT_LE(iconBox.bottom(), centre + 8);
    const QImage time = PaintCell(port->column1, 1, 1);
    const QRect timeBox = InkBox(time, QColor(241, 255, 241), time.rect()).translated(0, y - s);
    ASSERT_TRUE(timeBox.isValid());
    const int half = StdFontCellHeight() / 2 + 1;
    EXPECT_GE(timeBox.top(), centre - half);
    EXPECT_LE(timeBox.bottom(), centre + half);
}

TEST_F(SerPortGridTest, NewRowsScrollOnlyFromTheEdges)
{
    Add(Row(1, "x"), 200);
    ASSERT_GT(grid().totalHeight(), 3 * grid().viewHeight());
    const auto maximum = [this] { return grid().totalHeight() - grid().viewHeight(); };

    grid().setScrollPosition(grid().totalHeight() / 2);
    const int middle = grid().scrollPosition();
    Add(Row(1, "x"));
    EXPECT_EQ(grid().scrollPosition(), middle) << "scrolled to the middle";

    grid().scrollToEnd();
    Add(Row(1, "x"));
    EXPECT_EQ(grid().scrollPosition(), maximum()) << "at the bottom, the view follows";

    grid().setScrollPosition(0);
    Add(Row(0, "y"));
    EXPECT_EQ(grid().scrollPosition(), maximum()) << "at the very top, the view jumps to the end";
}

// Re-wrapping changes every row's height: the view keeps its place among the rows, not its
// pixel offset. Each case changes the widths in one of the ways a user does.
TEST_F(SerPortGridTest, ReWrappedRowsKeepTheViewInPlace)
{
    const struct {
        const char* what;
        bool reWraps;
        std::function<void()> change;
    } changes[] = {
        {"protocol column dragged wider", true,
         [this] { grid().header()->resizeSection(2, grid().columnWidth(2) + 150); }},
        {"protocol column dragged narrower", true,
         [this] { grid().header()->resizeSection(2, grid().columnWidth(2) - 60); }},
        {"window made wider", true, [this] { test::showResized(harness.window, 1300, 700); }},
        // The rows keep their heights; the view's height changes.
        {"window made lower", false, [this] { test::showResized(harness.window, 1000, 500); }},
    };
    const int n = port->bytesPerRow;
    for (const auto& change : changes) {
        SCOPED_TRACE(change.what);
        test::showResized(harness.window, 1000, 700);
        port->ClearLog();
        Add(Row(1, "x"), 3);
        Add(Row(1, std::string(static_cast<std::size_t>(n) * 300, 'T')));  // the tall old row
        Add(Row(0, std::string(static_cast<std::size_t>(n) * 3, 'y')), 60);
        ASSERT_GT(grid().rowHeight(3), 2 * grid().viewHeight());

        // On the newest rows: still on them afterwards.
        grid().scrollToEnd();
        const int oldTall = grid().rowHeight(3);
        change.change();
        ASSERT_EQ(grid().rowHeight(3) != oldTall, change.reWraps);
        EXPECT_EQ(grid().scrollPosition(), grid().totalHeight() - grid().viewHeight());

        // In the middle of the tall row: the same part of it stays at the top.
        test::showResized(harness.window, 1000, 700);
        const int offset = grid().rowHeight(3) * 2 / 5;
        grid().setScrollPosition(grid().rowTop(3) + offset);
        const double share = static_cast<double>(offset) / grid().rowHeight(3);
        change.change();
        const int top = grid().scrollPosition();
        EXPECT_EQ(grid().rowAt(top), 3);
        EXPECT_NEAR(top - grid().rowTop(3), share * grid().rowHeight(3), 1.0);

        // A small row at the top stays the top row.
        test::showResized(harness.window, 1000, 700);
        grid().setScrollPosition(grid().rowTop(20) + 3);
        change.change();
        EXPECT_EQ(grid().rowAt(grid().scrollPosition()), 20);
    }
}

TEST_F(SerPortGridTest, RefreshShowsTheSendStateWithoutRunningTheButton)
{
    QSignalSpy toggled(&harness.window.sendGroup.sendButton, &QToolButton::toggled);
    port->sending = true;
    port->RefreshGrid(false);
    EXPECT_TRUE(harness.window.sendGroup.sendButton.isChecked());
    EXPECT_EQ(harness.window.sendGroup.sendButton.text(), QStringLiteral("Stop"));
    port->sending = false;
    port->RefreshGrid(false);
    EXPECT_FALSE(harness.window.sendGroup.sendButton.isChecked());
    EXPECT_EQ(harness.window.sendGroup.sendButton.text(), QStringLiteral("Send"));
    EXPECT_EQ(toggled.count(), 0);
}

TEST_F(SerPortGridTest, DoubleClickClearsOnlyTheShownPortsLog)
{
    std::unique_ptr<SerPort> other = harness.MakePort("/dev/ttyFAKE1");
    other->rows.push_back(Row(1, "other"));
    Add(Row(0, "sent"));
    LogLine unlogged = Row(1, "last");
    unlogged.logged = false;
    Add(unlogged);
    ASSERT_EQ(grid().rowCount(), 2);

    const QPoint at(grid().columnLeft(3) + 10, 5);
    QMouseEvent click(QEvent::MouseButtonDblClick, at, grid().viewport()->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid().viewport(), &click);

    EXPECT_TRUE(port->rows.empty());
    EXPECT_EQ(grid().rowCount(), 0);
    ASSERT_EQ(other->rows.size(), 1u);
    EXPECT_EQ(other->rows[0].data, "other");
}

TEST_F(SerPortGridTest, HoverFindsTheByteDrawnUnderTheMouse)
{
    const int n = port->bytesPerRow;
    const int c = GridCharWidth();
    const int l = GridLineHeight();
    Add(Row(1, "first"));
    Add(Row(1, std::string(static_cast<std::size_t>(2 * n), 'A')));
    const int left = grid().columnLeft(3);
    const int rowTop = grid().rowTop(1) - grid().scrollPosition();  // view y
    const int secondLine = rowTop + DumpMargin + l + l / 2;

    // The middle of the third character, and of the third hex pair, on the second line.
    MoveMouse({left + DumpMargin + 2 * c + c / 2, secondLine});
    EXPECT_EQ(port->hover.row, 1);
    EXPECT_EQ(port->hover.line, 1);
    EXPECT_EQ(port->hover.byte, 2);
    MoveMouse({left + DumpMargin + HexOffset(n, c) + 2 * 3 * c + c, secondLine});
    EXPECT_EQ(port->hover.byte, 2);

    // The gap between the parts highlights the line but no byte.
    MoveMouse({left + DumpMargin + n * c + c, secondLine});
    EXPECT_EQ(port->hover.row, 1);
    EXPECT_EQ(port->hover.line, 1);
    EXPECT_EQ(port->hover.byte, -1);

    // Left of the Dump column and below the rows nothing changes.
    MoveMouse({left + DumpMargin + c / 2, rowTop + DumpMargin + l / 2});
    const SerPort::Hover before = port->hover;
    MoveMouse({left - 3, secondLine});
    EXPECT_EQ(port->hover.row, before.row);
    EXPECT_EQ(port->hover.line, before.line);
    EXPECT_EQ(port->hover.byte, before.byte);
    MoveMouse({left + 20, grid().totalHeight() + 5});
    EXPECT_EQ(port->hover.byte, before.byte);
    EXPECT_EQ(port->hover.line, before.line);

    // The highlight stands on the hovered byte in both parts.
    const QImage image = PaintCell(port->column3, 3, 1);
    const DumpColours colours = DumpColoursFor({255, 255, 255}, {0, 0, 0}, true, false);
    const int y = DumpMargin;  // the top pixel row of the first line, above the glyphs
    EXPECT_EQ(image.pixelColor(DumpMargin, y), ToColor(colours.byteHighlight));
    EXPECT_EQ(image.pixelColor(DumpMargin + HexOffset(n, c), y), ToColor(colours.byteHighlight));
    EXPECT_EQ(image.pixelColor(DumpMargin + c, y), ToColor(colours.lineHighlight));
    EXPECT_EQ(image.pixelColor(DumpMargin, y + l), ToColor(colours.background)) << "the next line";
}

}  // namespace
}  // namespace baudrill
