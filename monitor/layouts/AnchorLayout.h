#pragma once

#include "monitor/layouts/AxisAnchor.h"
#include "monitor/layouts/LayoutZoom.h"

#include <QLayout>
#include <QList>

namespace baudrill {

// Places each child by its horizontal and vertical anchors inside the parent's contents
// rectangle, scaled by a layout zoom. Later items lie over earlier ones. The rectangles are
// exact: children's size hints and policies do not bend them.
class AnchorLayout : public QLayout {
    Q_OBJECT
public:
    AnchorLayout(LayoutZoom zoom, QSize designSize, QWidget* parent = nullptr);
    ~AnchorLayout() override;

    // Adds `widget` as a child of the layout's parent, on top of the items added so far.
    void addWidget(QWidget* widget, AxisAnchor horizontal, AxisAnchor vertical);

    // Where the item at `index` goes inside a contents rectangle of `area`.
    QRect itemRect(int index, const QRect& area) const;

    LayoutZoom zoom() const { return zoom_; }
    QSize designSize() const { return designSize_; }

    // QLayout. Items added through QLayout::addItem fill the whole rectangle.
    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    void setGeometry(const QRect& rect) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    Qt::Orientations expandingDirections() const override;

private:
    struct Item {
        QLayoutItem* item;
        AxisAnchor horizontal;
        AxisAnchor vertical;
    };

    LayoutZoom zoom_;
    QSize designSize_;
    QList<Item> items_;
};

}  // namespace baudrill
