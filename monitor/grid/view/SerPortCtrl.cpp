#include "monitor/grid/view/SerPortCtrl.h"

#include "monitor/grid/view/CellDisplay.h"
#include "monitor/grid/view/KeyFlags.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>

#include <algorithm>
#include <climits>
#include <cmath>
#include <numeric>

namespace baudrill {

namespace {

int clampToInt(std::int64_t value) { return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX)); }

// The narrowest a user can drag a column.
constexpr int minimumColumnWidth = 8;

}  // namespace

SerPortCtrl::SerPortCtrl(QWidget* parent) : QAbstractScrollArea(parent), header_(new QHeaderView(Qt::Horizontal, this))
{
    header_->setModel(&headerModel_);
    header_->setSectionsMovable(false);
    header_->setSectionsClickable(false);
    header_->setHighlightSections(false);
    header_->setStretchLastSection(false);
    header_->setSectionResizeMode(QHeaderView::Interactive);
    header_->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header_->setMinimumSectionSize(minimumColumnWidth);
    connect(header_, &QHeaderView::sectionResized, this, &SerPortCtrl::onSectionResized);

    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    updateHeaderMargin();
}

SerPortCtrl::~SerPortCtrl()
{
    WhenLayout = nullptr;
    WhenHover = nullptr;
    WhenHeaderLayout = nullptr;
    WhenScroll = nullptr;
    WhenLeftDouble = nullptr;
    // The header goes while the model and the rows still exist, and tells us nothing more.
    disconnect(header_, nullptr, this, nullptr);
    delete header_;
}

// ---- columns -------------------------------------------------------------------------

int SerPortCtrl::addColumn(const QString& title, int ratio)
{
    const int column = headerModel_.columnCount();
    headerModel_.setColumnCount(column + 1);
    headerModel_.setHeaderData(column, Qt::Horizontal, title);
    weights_.push_back(std::max(ratio, 0));
    displays_.push_back(nullptr);
    updateHeaderMargin();
    fitColumns();
    return column;
}

int SerPortCtrl::columnCount() const { return static_cast<int>(weights_.size()); }

int SerPortCtrl::columnWidth(int column) const { return header_->sectionSize(column); }

int SerPortCtrl::columnLeft(int column) const
{
    // The header spans exactly the view's width, so its positions are view positions.
    return header_->sectionViewportPosition(column);
}

std::vector<int> SerPortCtrl::columnWidths() const
{
    std::vector<int> widths;
    for (int column = 0; column < columnCount(); ++column)
        widths.push_back(columnWidth(column));
    return widths;
}

void SerPortCtrl::setColumnWidths(const std::vector<int>& widths)
{
    setColumnRatios(std::vector<double>(widths.begin(), widths.end()));
}

bool SerPortCtrl::setColumnRatios(const std::vector<double>& ratios)
{
    if (ratios.size() != weights_.size())
        return false;
    double sum = 0;
    for (double ratio : ratios) {
        if (!std::isfinite(ratio) || ratio < 0)
            return false;
        sum += ratio;
    }
    if (!std::isfinite(sum) || sum <= 0)
        return false;
    weights_ = ratios;
    fitColumns();
    return true;
}

void SerPortCtrl::setDisplay(int column, const CellDisplay* display)
{
    if (column < 0 || column >= columnCount())
        return;
    displays_[column] = display;
    viewport()->update();
}

void SerPortCtrl::clearDisplays()
{
    std::fill(displays_.begin(), displays_.end(), nullptr);
    viewport()->update();
}

void SerPortCtrl::fitColumns()
{
    const int width = viewport()->width();
    const int n = columnCount();
    if (n == 0 || width <= 0)
        return;
    double sum = std::accumulate(weights_.begin(), weights_.end(), 0.0);
    const bool equalShares = sum <= 0;
    if (equalShares)
        sum = n;
    // Column edges are placed from the running sum of the shares, so rounding never adds up
    // and the last edge is exactly the view's right edge.
    fittingColumns_ = true;
    bool changed = false;
    double running = 0;
    int left = 0;
    for (int column = 0; column < n; ++column) {
        running += equalShares ? 1.0 : weights_[column];
        // The share first: a ratio near the largest double times the width would overflow.
        const int right = column == n - 1 ? width : static_cast<int>(std::lround(running / sum * width));
        const int size = std::max(0, right - left);
        if (header_->sectionSize(column) != size) {
            header_->resizeSection(column, size);
            changed = true;
        }
        left = right;
    }
    fittingColumns_ = false;
    if (changed)
        columnsChanged();
}

void SerPortCtrl::onSectionResized(int column, int oldWidth, int newWidth)
{
    if (fittingColumns_)
        return;
    // The user dragged the right edge of `column`: its right neighbour gives or takes the
    // difference, so the columns keep filling the view. The last column's right edge is
    // the view's edge and does not move.
    fittingColumns_ = true;
    const int delta = newWidth - oldWidth;
    if (column + 1 < columnCount()) {
        const int next = header_->sectionSize(column + 1);
        const int given = delta > 0 ? std::min(delta, std::max(0, next - minimumColumnWidth)) : delta;
        if (given != delta)
            header_->resizeSection(column, oldWidth + given);
        header_->resizeSection(column + 1, next - given);
    } else {
        header_->resizeSection(column, oldWidth);
    }
    fittingColumns_ = false;
    for (int i = 0; i < columnCount(); ++i)
        weights_[i] = header_->sectionSize(i);
    columnsChanged();
}

void SerPortCtrl::columnsChanged()
{
    viewport()->update();
    if (WhenHeaderLayout) {
        const PlaceKeeper keeper(*this, viewport()->height());
        WhenHeaderLayout();
    }
}

// ---- layout --------------------------------------------------------------------------

bool SerPortCtrl::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        const QSize old = static_cast<QResizeEvent*>(event)->oldSize();
        Layout(old.isValid() ? old.height() : viewport()->height());
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void SerPortCtrl::Layout(int oldViewHeight)
{
    const PlaceKeeper keeper(*this, oldViewHeight);
    if (WhenLayout)
        WhenLayout();
    placeHeader();
    fitColumns();
    scrollRangeStale_ = true;
    updateScrollRange();
}

void SerPortCtrl::updateHeaderMargin()
{
    const int height = header_->sizeHint().height();
    if (viewportMargins().top() != height)
        setViewportMargins(0, height, 0, 0);
    placeHeader();
}

void SerPortCtrl::placeHeader()
{
    const QRect view = viewport()->geometry();
    const int height = viewportMargins().top();
    header_->setGeometry(view.left(), view.top() - height, view.width(), height);
}

void SerPortCtrl::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        updateHeaderMargin();
}

// ---- rows ----------------------------------------------------------------------------

void SerPortCtrl::setRowCount(int count)
{
    count = std::max(count, 0);
    if (count == rowCount())
        return;
    rows_.resize(count, defaultRowHeight());
    if (cursor_ >= count)
        cursor_ = -1;
    markScrollRangeStale();
    viewport()->update();
}

void SerPortCtrl::setRowHeight(int row, int height)
{
    if (row < 0 || row >= rowCount() || rows_.height(row) == std::max(height, 0))
        return;
    rows_.set(row, height);
    markScrollRangeStale();
    viewport()->update();
}

int SerPortCtrl::rowTop(int row) const { return clampToInt(rows_.top(row)); }

int SerPortCtrl::rowAt(int y) const { return rows_.rowAt(y); }

int SerPortCtrl::totalHeight() const { return clampToInt(rows_.total()); }

int SerPortCtrl::defaultRowHeight() const { return fontMetrics().height() + 4; }

// ---- keeping the view's place ---------------------------------------------------------

SerPortCtrl::PlaceKeeper::PlaceKeeper(SerPortCtrl& grid, int viewHeight) : grid_(grid), outermost_(!grid.keepingPlace_)
{
    if (!outermost_)
        return;
    grid_.keepingPlace_ = true;
    place_ = grid_.currentPlace(viewHeight);
}

SerPortCtrl::PlaceKeeper::~PlaceKeeper()
{
    if (!outermost_)
        return;
    grid_.keepingPlace_ = false;
    grid_.restorePlace(place_);
}

SerPortCtrl::Place SerPortCtrl::currentPlace(int viewHeight) const
{
    // The scroll bar's value, not scrollPosition(): a range update could clamp it first.
    const std::int64_t position = verticalScrollBar()->value();
    Place place;
    place.atBottom = position >= rows_.total() - viewHeight;
    place.row = rows_.rowAt(position);
    if (place.row >= 0 && rows_.height(place.row) > 0)
        place.within = static_cast<double>(position - rows_.top(place.row)) / rows_.height(place.row);
    return place;
}

void SerPortCtrl::restorePlace(const Place& place)
{
    scrollRangeStale_ = true;
    updateScrollRange();
    QScrollBar* bar = verticalScrollBar();
    if (place.atBottom) {
        bar->setValue(bar->maximum());
    } else if (place.row >= 0 && place.row < rowCount()) {
        const std::int64_t within = std::llround(place.within * rows_.height(place.row));
        bar->setValue(clampToInt(rows_.top(place.row) + within));
    }
}

// ---- scrolling -----------------------------------------------------------------------

void SerPortCtrl::markScrollRangeStale()
{
    scrollRangeStale_ = true;
    // Many row changes in a row cost one range update, made when control returns to the
    // event loop or when a scroll position is asked for.
    if (!scrollUpdateQueued_) {
        scrollUpdateQueued_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                scrollUpdateQueued_ = false;
                updateScrollRange();
            },
            Qt::QueuedConnection);
    }
}

void SerPortCtrl::updateScrollRange() const
{
    if (!scrollRangeStale_)
        return;
    scrollRangeStale_ = false;
    const int view = viewport()->height();
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, clampToInt(std::max<std::int64_t>(0, rows_.total() - view)));
    bar->setPageStep(std::max(1, view));
    bar->setSingleStep(std::max(1, defaultRowHeight()));
}

int SerPortCtrl::scrollPosition() const
{
    updateScrollRange();
    return verticalScrollBar()->value();
}

void SerPortCtrl::setScrollPosition(int y)
{
    updateScrollRange();
    verticalScrollBar()->setValue(y);
}

void SerPortCtrl::scrollToEnd()
{
    updateScrollRange();
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

int SerPortCtrl::viewHeight() const { return viewport()->height(); }

void SerPortCtrl::scrollContentsBy(int, int)
{
    // Rows cut by the view's edges centre their content on the visible part, so a scroll
    // redraws the view rather than moving its pixels.
    viewport()->update();
    if (WhenScroll)
        WhenScroll();
}

void SerPortCtrl::ensureRowVisible(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    const std::int64_t top = rows_.top(row);
    const std::int64_t bottom = top + rows_.height(row);
    const std::int64_t position = scrollPosition();
    const int view = viewHeight();
    if (top < position)
        setScrollPosition(clampToInt(top));
    else if (bottom > position + view)
        setScrollPosition(clampToInt(std::min(top, bottom - view)));
}

// ---- cursor and refresh --------------------------------------------------------------

void SerPortCtrl::setCursorRow(int row)
{
    if (row < 0 || row >= rowCount())
        row = -1;
    if (row == cursor_)
        return;
    refreshRow(cursor_);
    cursor_ = row;
    refreshRow(cursor_);
}

void SerPortCtrl::refreshRow(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    const std::int64_t top = rows_.top(row) - verticalScrollBar()->value();
    const int height = rows_.height(row);
    if (top + height < 0 || top > viewHeight())
        return;
    viewport()->update(QRect(0, clampToInt(top), viewport()->width(), height));
}

void SerPortCtrl::refreshAll() { viewport()->update(); }

// ---- painting ------------------------------------------------------------------------

void SerPortCtrl::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const int width = viewport()->width();
    const int height = viewport()->height();
    const int position = verticalScrollBar()->value();
    for (int row = rows_.rowAt(position); row >= 0 && row < rowCount(); ++row) {
        const std::int64_t top = rows_.top(row) - position;
        if (top >= height)
            break;
        paintRow(painter, row, static_cast<int>(top), width);
    }
    const std::int64_t end = std::max<std::int64_t>(0, rows_.total() - position);
    if (end < height)
        painter.fillRect(0, static_cast<int>(end), width, height - static_cast<int>(end),
                         palette().color(QPalette::Base));
}

void SerPortCtrl::paintRow(QPainter& painter, int row, int top, int viewWidth) const
{
    const int height = rows_.height(row);
    if (height <= 0)
        return;
    const bool focused = hasFocus();
    const bool onCursor = row == cursor_;
    const unsigned style = (onCursor ? CellDisplay::Cursor : 0u) | (focused ? CellDisplay::Focus : 0u);
    const QPalette::ColorGroup group = !isEnabled() ? QPalette::Disabled
                                       : focused    ? QPalette::Active
                                                    : QPalette::Inactive;
    const QColor paper = palette().color(group, onCursor ? QPalette::Highlight : QPalette::Base);
    const QColor ink = palette().color(group, onCursor ? QPalette::HighlightedText : QPalette::Text);
    const QColor gridLine = palette().color(group, QPalette::Midlight);

    // The last pixel column of every cell and the last pixel row of every row are grid lines.
    int right = 0;
    for (int column = 0; column < columnCount(); ++column) {
        const int x = header_->sectionViewportPosition(column);
        const int width = header_->sectionSize(column);
        if (width <= 0)
            continue;
        const QRect cell(x, top, width - 1, height - 1);
        if (!cell.isEmpty()) {
            painter.save();
            painter.setClipRect(cell);
            if (const CellDisplay* display = displays_[column])
                display->Paint(painter, cell, row, ink, paper, style);
            else
                painter.fillRect(cell, paper);
            painter.restore();
        }
        painter.fillRect(x + width - 1, top, 1, height, gridLine);
        right = std::max(right, x + width);
    }
    if (right < viewWidth)
        painter.fillRect(right, top, viewWidth - right, height, palette().color(group, QPalette::Base));
    painter.fillRect(0, top + height - 1, viewWidth, 1, gridLine);
}

// ---- mouse and keys ------------------------------------------------------------------

int SerPortCtrl::rowAtViewY(int y) const
{
    return rows_.rowAt(static_cast<std::int64_t>(verticalScrollBar()->value()) + y);
}

void SerPortCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const int row = rowAtViewY(event->position().toPoint().y());
        if (row >= 0)
            setCursorRow(row);
        setFocus(Qt::MouseFocusReason);
    }
    event->accept();
}

void SerPortCtrl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    if (event->buttons() & Qt::LeftButton) {
        const int row = rowAtViewY(position.y());
        if (row >= 0)
            setCursorRow(row);
    }
    event->accept();
    if (WhenHover)
        WhenHover(position, keyFlags(*event));
}

void SerPortCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
    if (event->button() == Qt::LeftButton && WhenLeftDouble)
        WhenLeftDouble();
}

void SerPortCtrl::keyPressEvent(QKeyEvent* event)
{
    const int last = rowCount() - 1;
    int row;
    switch (event->key()) {
    case Qt::Key_Up: row = std::max(cursor_ - 1, 0); break;
    case Qt::Key_Down: row = std::min(cursor_ + 1, last); break;
    case Qt::Key_Home: row = 0; break;
    case Qt::Key_End: row = last; break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    if (last >= 0) {
        setCursorRow(row);
        ensureRowVisible(row);
    }
    event->accept();
}

}  // namespace baudrill
