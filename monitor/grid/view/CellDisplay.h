#pragma once

class QColor;
class QPainter;
class QRect;

namespace baudrill {

// Draws the cells of one column of a SerPortCtrl. The grid hands it the row index; the
// display looks the row's data up itself, so the grid holds no copy of it.
class CellDisplay {
public:
    // Bits of `style`.
    enum Style : unsigned {
        Cursor = 0x01,  // the cell is on the cursor row
        Focus = 0x02,   // the grid has the keyboard focus
    };

    virtual ~CellDisplay() = default;

    // `cell` is in the grid view's coordinates; the painter is clipped to it. `ink` and
    // `paper` are the colours the grid chose for this row (highlight colours on the
    // cursor row).
    virtual void Paint(QPainter& painter, const QRect& cell, int row, const QColor& ink, const QColor& paper,
                       unsigned style) const = 0;
};

}  // namespace baudrill
