#pragma once

#include "monitor/layouts/AxisAnchor.h"
#include "monitor/layouts/LayoutZoom.h"

#include <QSize>
#include <QString>

#include <initializer_list>
#include <span>

class QWidget;

namespace baudrill {

// Set-up bits of a layout item.
enum ItemSetup : unsigned {
    RightAligned = 0x1,     // the item's text (or image) stands at its right edge
    EditFieldFrame = 0x2,   // the sunken border of an entry field
    BottomSeparator = 0x4,  // BottomSeparatorFrame
};

// One row of a layout table.
struct LayoutItemSpec {
    const char* id;  // nullptr: the generated id "dv___<index>"
    AxisAnchor horizontal;
    AxisAnchor vertical;
    const char* text = nullptr;  // nullptr: none
    unsigned setup = 0;          // ItemSetup bits
};

// A layout: its name (the layout id), its size in layout units and its items in order.
struct LayoutSpec {
    const char* name;
    QSize size;
    std::span<const LayoutItemSpec> items;
};

// The id of the item at `index` that has no name of its own.
QString generatedItemId(int index);

// Lays out `owner`: names it and an AnchorLayout after the layout, adds `members` (one per
// item, in item order) as its children with each item's id as object name, position, text
// (through translation) and set-up, then gives the owner the zoomed layout size enlarged by
// its frames, as its size and, for a window, as its minimum size.
void applyLayout(QWidget& owner, const LayoutSpec& layout, std::initializer_list<QWidget*> members, LayoutZoom zoom,
                 bool isWindow);

}  // namespace baudrill
