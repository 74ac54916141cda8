#pragma once

#include "monitor/grid/RowHeights.h"

#include <QAbstractScrollArea>
#include <QStandardItemModel>

#include <functional>
#include <vector>

class QHeaderView;

namespace baudrill {

class CellDisplay;

// The log grid's view: a virtual table of rows with heights of their own, under a header
// of columns whose widths share the view's width by ratio. It holds no data: each column's
// CellDisplay draws the cells from the row index. Positions in "row space" count from the
// top of the first row; the scroll position is the row-space y at the top of the view.
//
// Row heights are kept with running totals, so that a million rows can get heights of
// their own in well under a second; a QTableView needs minutes for that.
class SerPortCtrl : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit SerPortCtrl(QWidget* parent = nullptr);
    ~SerPortCtrl() override;

    // Notifications. Each is assigned, not connected: setting one replaces the previous
    // handler; all are empty at first.
    std::function<void()> WhenLayout;                // at the start of every layout of the grid
    std::function<void(QPoint, quint32)> WhenHover;  // after every mouse move over the view:
                                                     // position in view coordinates, keyFlags()
    std::function<void()> WhenHeaderLayout;          // after the column widths changed
    std::function<void()> WhenScroll;                // after the view scrolled
    std::function<void()> WhenLeftDouble;            // after a left double click in the view

    // Columns. The widths always fill the view: a column's share is its ratio over the sum of
    // all ratios. Dragging a column's edge makes the widths the new ratios.
    int addColumn(const QString& title, int ratio);
    int columnCount() const;
    int columnWidth(int column) const;
    int columnLeft(int column) const;  // in view coordinates
    std::vector<int> columnWidths() const;
    // The widths as new ratios.
    void setColumnWidths(const std::vector<int>& widths);
    std::vector<double> columnRatios() const { return weights_; }
    // New ratios, one per column. A set that makes no share (another count, a ratio that is
    // negative or not finite, a sum that is not positive or not finite) is refused: false,
    // and the columns stay as they are.
    bool setColumnRatios(const std::vector<double>& ratios);
    QHeaderView* header() const { return header_; }
    // The display draws the column's cells; none (or a row without one) shows plain paper.
    // The grid does not own it: clear it before the display goes.
    void setDisplay(int column, const CellDisplay* display);
    void clearDisplays();

    // Rows.
    void setRowCount(int count);  // new rows get defaultRowHeight()
    int rowCount() const { return rows_.count(); }
    void setRowHeight(int row, int height);
    int rowHeight(int row) const { return rows_.height(row); }
    int rowTop(int row) const;  // row space
    int rowAt(int y) const;     // row space; -1 when no row is there
    int totalHeight() const;
    int defaultRowHeight() const;

    // Scrolling.
    int scrollPosition() const;
    void setScrollPosition(int y);
    void scrollToEnd();
    int viewHeight() const;

    // The cursor row, -1 for none. A click or the arrow keys move it.
    int cursorRow() const { return cursor_; }
    void setCursorRow(int row);

    void refreshRow(int row);
    void refreshAll();

protected:
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // The mouse-move handling: the grid's own (dragging the cursor) first, then WhenHover.
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;

private:
    // Where the view stands among the rows: at the bottom, or on a row at a share of its height.
    struct Place {
        bool atBottom = false;
        int row = -1;
        double within = 0;
    };
    // Keeps the view's place while its scope runs the handlers that change row heights (a
    // re-wrap after the columns or the view changed size): a view at the bottom stays at the
    // bottom, any other keeps its top row at the top, as far into that row as before. Scopes
    // nest; the outermost one finds the place again.
    class PlaceKeeper {
    public:
        PlaceKeeper(SerPortCtrl& grid, int viewHeight);
        ~PlaceKeeper();
        PlaceKeeper(const PlaceKeeper&) = delete;
        PlaceKeeper& operator=(const PlaceKeeper&) = delete;

    private:
        SerPortCtrl& grid_;
        bool outermost_;
        Place place_;
    };
    Place currentPlace(int viewHeight) const;
    void restorePlace(const Place& place);

    // The grid's layout after the view took a new size (the old height given): WhenLayout first,
    // then header, columns and scroll range.
    void Layout(int oldViewHeight);
    void placeHeader();
    void updateHeaderMargin();
    void fitColumns();
    void onSectionResized(int column, int oldWidth, int newWidth);
    void columnsChanged();
    void markScrollRangeStale();
    void updateScrollRange() const;
    void ensureRowVisible(int row);
    int rowAtViewY(int y) const;
    void paintRow(QPainter& painter, int row, int top, int viewWidth) const;

    QStandardItemModel headerModel_;
    QHeaderView* header_;
    std::vector<double> weights_;  // the columns' shares of the width
    std::vector<const CellDisplay*> displays_;
    bool fittingColumns_ = false;
    RowHeights rows_;
    mutable bool scrollRangeStale_ = false;
    bool scrollUpdateQueued_ = false;
    int cursor_ = -1;
    bool keepingPlace_ = false;
};

}  // namespace baudrill
