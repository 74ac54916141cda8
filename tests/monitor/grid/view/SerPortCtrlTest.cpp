#include "monitor/grid/view/CellDisplay.h"
#include "monitor/grid/view/SerPortCtrl.h"
#include "tests/support/gui/GuiTestEnvironment.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

#include <numeric>
#include <string>
#include <vector>

namespace baudrill {
namespace {

using test::showResized;

// Remembers every cell it is asked to draw, and fills it.
class RecordingDisplay : public CellDisplay {
public:
    struct Call {
        int row;
        QRect cell;
        QColor ink;
        QColor paper;
        unsigned style;
    };
    mutable std::vector<Call> calls;

    void Paint(QPainter& painter, const QRect& cell, int row, const QColor& ink, const QColor& paper,
               unsigned style) const override
    {
        calls.push_back({row, cell, ink, paper, style});
        painter.fillRect(cell, paper);
    }
};

int sum(const std::vector<int>& values) { return std::accumulate(values.begin(), values.end(), 0); }

// The grid as the log shows it: four columns by the ratios 4, 11, 11 and 90.
class SerPortCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const auto& [title, ratio] : {std::pair{"", 4}, {"  Time", 11}, {"  Protocol", 11}, {"  Dump", 90}})
            grid.addColumn(QString::fromLatin1(title), ratio);
        showResized(grid, 600, 300);
    }

    void sendMouse(QEvent::Type type, QPoint position, Qt::MouseButton button, Qt::MouseButtons buttons,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QMouseEvent event(type, position, grid.viewport()->mapToGlobal(position), button, buttons, modifiers);
        QApplication::sendEvent(grid.viewport(), &event);
    }

    void paint() { grid.viewport()->grab(); }

    SerPortCtrl grid;
};

TEST_F(SerPortCtrlTest, ColumnsShareTheViewByTheirRatios)
{
    const int width = grid.viewport()->width();
    const std::vector<int> widths = grid.columnWidths();
    EXPECT_EQ(sum(widths), width);
    EXPECT_NEAR(widths[3], width * 90 / 116.0, 1.0);
    EXPECT_NEAR(widths[1], width * 11 / 116.0, 1.0);
    EXPECT_EQ(grid.columnLeft(3), widths[0] + widths[1] + widths[2]);
    EXPECT_EQ(grid.header()->geometry().left(), grid.viewport()->geometry().left());
    EXPECT_EQ(grid.header()->width(), width);
}

TEST_F(SerPortCtrlTest, LayoutTellsFirstThenRefitsTheColumnsAndTellsAgain)
{
    std::vector<std::string> events;
    int dumpWidthSeenByLayout = -1;
    grid.WhenLayout = [&] {
        events.push_back("layout");
        dumpWidthSeenByLayout = grid.columnWidth(3);
    };
    grid.WhenHeaderLayout = [&] { events.push_back("header"); };
    const int before = grid.columnWidth(3);
    showResized(grid, 900, 300);

    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), "layout");
    EXPECT_EQ(events.back(), "header");
    // WhenLayout runs before the grid's own layout: the columns still have the old widths.
    EXPECT_EQ(dumpWidthSeenByLayout, before);
    EXPECT_GT(grid.columnWidth(3), before);
    EXPECT_EQ(sum(grid.columnWidths()), grid.viewport()->width());
}

TEST_F(SerPortCtrlTest, DraggingAColumnEdgeMovesOnlyThatEdge)
{
    int headerLayouts = 0;
    grid.WhenHeaderLayout = [&] { ++headerLayouts; };
    const std::vector<int> before = grid.columnWidths();
    grid.header()->resizeSection(1, before[1] + 10);  // as a drag of the edge between 1 and 2

    const std::vector<int> after = grid.columnWidths();
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(after[1], before[1] + 10);
    EXPECT_EQ(after[2], before[2] - 10);
    EXPECT_EQ(after[3], before[3]);
    EXPECT_EQ(headerLayouts, 1);

    // The last column's right edge is the view's edge.
    grid.header()->resizeSection(3, after[3] + 50);
    EXPECT_EQ(grid.columnWidths(), after);

    // The new shares hold when the view grows.
    showResized(grid, 1200, 300);
    const std::vector<int> grown = grid.columnWidths();
    EXPECT_NEAR(double(grown[1]) / grown[2], double(after[1]) / after[2], 0.02);
}

TEST_F(SerPortCtrlTest, StoredColumnWidthsAreScaledToTheView)
{
    grid.setColumnWidths({10, 20, 30, 40});
    const std::vector<int> widths = grid.columnWidths();
    EXPECT_EQ(sum(widths), grid.viewport()->width());
    EXPECT_NEAR(double(widths[3]) / widths[0], 4.0, 0.1);
}

TEST_F(SerPortCtrlTest, RowsHaveHeightsOfTheirOwn)
{
    grid.setRowCount(4);
    EXPECT_EQ(grid.rowHeight(2), grid.defaultRowHeight());
    grid.setRowHeight(0, 30);
    grid.setRowHeight(1, 15);
    grid.setRowHeight(2, 45);
    grid.setRowHeight(3, 10);
    EXPECT_EQ(grid.rowTop(2), 45);
    EXPECT_EQ(grid.totalHeight(), 100);
    EXPECT_EQ(grid.rowAt(44), 1);
    EXPECT_EQ(grid.rowAt(45), 2);
    EXPECT_EQ(grid.rowAt(100), -1);

    grid.setCursorRow(3);
    grid.setRowCount(2);
    EXPECT_EQ(grid.cursorRow(), -1);
    EXPECT_EQ(grid.totalHeight(), 45);
}

TEST_F(SerPortCtrlTest, AMillionRowsGetTheirHeights)
{
    constexpr int count = 1'000'000;
    grid.setRowCount(count);
    std::int64_t total = 0;
    for (int i = 0; i < count; ++i) {
        grid.setRowHeight(i, 15 + i % 7);
        total += 15 + i % 7;
    }
    EXPECT_EQ(grid.totalHeight(), total);
    EXPECT_EQ(grid.rowAt(static_cast<int>(total) - 1), count - 1);
    grid.scrollToEnd();
    EXPECT_EQ(grid.scrollPosition(), total - grid.viewHeight());
}

TEST_F(SerPortCtrlTest, DisplaysDrawTheVisibleCellsInViewCoordinates)
{
    RecordingDisplay dump;
    grid.setDisplay(3, &dump);
    grid.setRowCount(100);
    for (int i = 0; i < 100; ++i)
        grid.setRowHeight(i, 40);
    grid.setScrollPosition(1000);  // row 25 at the top
    paint();

    ASSERT_FALSE(dump.calls.empty());
    EXPECT_EQ(dump.calls.front().row, 25);
    const int viewRows = (grid.viewHeight() + 39) / 40;
    EXPECT_EQ(dump.calls.back().row, 25 + viewRows - 1);
    const RecordingDisplay::Call& first = dump.calls.front();
    EXPECT_EQ(first.cell.top(), 0);
    EXPECT_EQ(first.cell.left(), grid.columnLeft(3));
    EXPECT_EQ(first.cell.height(), 40 - 1);  // the last pixel row is the grid line
    const QPalette::ColorGroup group = first.style & CellDisplay::Focus ? QPalette::Active : QPalette::Inactive;
    EXPECT_EQ(first.paper, grid.palette().color(group, QPalette::Base));
    EXPECT_EQ(first.ink, grid.palette().color(group, QPalette::Text));
    EXPECT_EQ(first.style & CellDisplay::Cursor, 0u);
    grid.setDisplay(3, nullptr);
}

TEST_F(SerPortCtrlTest, TheCursorRowIsDrawnWithTheCursorStyle)
{
    RecordingDisplay time;
    grid.setDisplay(1, &time);
    grid.setRowCount(3);
    grid.setFocus();
    sendMouse(QEvent::MouseButtonPress, {5, grid.rowTop(1) + 2}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(grid.cursorRow(), 1);
    paint();

    ASSERT_EQ(time.calls.size(), 3u);
    for (const auto& call : time.calls) {
        const bool cursor = call.row == 1;
        EXPECT_EQ((call.style & CellDisplay::Cursor) != 0, cursor) << call.row;
        const QPalette::ColorGroup group = call.style & CellDisplay::Focus ? QPalette::Active : QPalette::Inactive;
        EXPECT_EQ(call.paper, grid.palette().color(group, cursor ? QPalette::Highlight : QPalette::Base));
        EXPECT_EQ(call.ink, grid.palette().color(group, cursor ? QPalette::HighlightedText : QPalette::Text));
    }
    grid.setDisplay(1, nullptr);
}

TEST_F(SerPortCtrlTest, HoverIsToldAfterTheGridHandledTheMove)
{
    grid.setRowCount(10);
    std::vector<std::pair<QPoint, quint32>> hovers;
    int cursorSeenByHover = -2;
    grid.WhenHover = [&](QPoint p, quint32 keys) {
        hovers.emplace_back(p, keys);
        cursorSeenByHover = grid.cursorRow();
    };
    sendMouse(QEvent::MouseMove, {30, 5}, Qt::NoButton, Qt::NoButton, Qt::ShiftModifier);
    ASSERT_EQ(hovers.size(), 1u);
    EXPECT_EQ(hovers[0].first, QPoint(30, 5));
    EXPECT_EQ(hovers[0].second, quint32(Qt::ShiftModifier));

    // Dragging with the left button moves the cursor first; the hover sees it moved.
    const QPoint overRow4(30, grid.rowTop(4) + 3);
    sendMouse(QEvent::MouseMove, overRow4, Qt::NoButton, Qt::LeftButton);
    ASSERT_EQ(hovers.size(), 2u);
    EXPECT_EQ(hovers[1].second, quint32(Qt::LeftButton));
    EXPECT_EQ(cursorSeenByHover, 4);

    // Assigning replaces: the old handler hears nothing more.
    int replaced = 0;
    grid.WhenHover = [&](QPoint, quint32) { ++replaced; };
    sendMouse(QEvent::MouseMove, {31, 5}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(hovers.size(), 2u);
    EXPECT_EQ(replaced, 1);
}

TEST_F(SerPortCtrlTest, DoubleClickAndScrollAreTold)
{
    int doubles = 0;
    int scrolls = 0;
    grid.WhenLeftDouble = [&] { ++doubles; };
    grid.WhenScroll = [&] { ++scrolls; };
    grid.setRowCount(200);
    sendMouse(QEvent::MouseButtonDblClick, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(doubles, 1);
    sendMouse(QEvent::MouseButtonDblClick, {10, 10}, Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(doubles, 1);

    grid.scrollToEnd();
    EXPECT_EQ(scrolls, 1);
    EXPECT_EQ(grid.scrollPosition(), grid.totalHeight() - grid.viewHeight());
    EXPECT_EQ(grid.verticalScrollBar()->maximum(), grid.scrollPosition());
}

TEST_F(SerPortCtrlTest, ArrowKeysMoveTheCursorIntoView)
{
    grid.setRowCount(100);
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(grid.cursorRow(), 0);
    QTest::keyClick(&grid, Qt::Key_End);
    EXPECT_EQ(grid.cursorRow(), 99);
    EXPECT_EQ(grid.scrollPosition(), grid.totalHeight() - grid.viewHeight());
    QTest::keyClick(&grid, Qt::Key_Home);
    EXPECT_EQ(grid.cursorRow(), 0);
    EXPECT_EQ(grid.scrollPosition(), 0);
}

TEST(SerPortCtrlLifetimeTest, DestroyingTheGridTellsNoHandler)
{
    auto* grid = new SerPortCtrl;
    grid->addColumn("a", 1);
    grid->addColumn("b", 3);
    showResized(*grid, 300, 200);
    bool destroying = false;
    bool toldWhileDestroying = false;
    auto tell = [&] { toldWhileDestroying = toldWhileDestroying || destroying; };
    grid->WhenLayout = tell;
    grid->WhenHeaderLayout = tell;
    grid->WhenScroll = tell;
    destroying = true;
    delete grid;
    EXPECT_FALSE(toldWhileDestroying);
}

}  // namespace
}  // namespace baudrill
