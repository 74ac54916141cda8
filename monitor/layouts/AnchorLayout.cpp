#include "monitor/layouts/AnchorLayout.h"

#include <QWidget>

namespace baudrill {

AnchorLayout::AnchorLayout(LayoutZoom zoom, QSize designSize, QWidget* parent)
    : QLayout(parent), zoom_(zoom), designSize_(designSize)
{
    setContentsMargins(0, 0, 0, 0);
    setSpacing(0);
    setSizeConstraint(QLayout::SetNoConstraint);
}

AnchorLayout::~AnchorLayout()
{
    for (const Item& entry : items_)
        delete entry.item;
}

void AnchorLayout::addWidget(QWidget* widget, AxisAnchor horizontal, AxisAnchor vertical)
{
    addChildWidget(widget);
    widget->raise();
    items_.append({new QWidgetItem(widget), horizontal, vertical});
    invalidate();
}

void AnchorLayout::addItem(QLayoutItem* item)
{
    items_.append({item, LR(0, 0), TB(0, 0)});
    invalidate();
}

int AnchorLayout::count() const { return static_cast<int>(items_.size()); }

QLayoutItem* AnchorLayout::itemAt(int index) const
{
    return index >= 0 && index < items_.size() ? items_[index].item : nullptr;
}

QLayoutItem* AnchorLayout::takeAt(int index)
{
    if (index < 0 || index >= items_.size())
        return nullptr;
    QLayoutItem* item = items_.takeAt(index).item;
    invalidate();
    return item;
}

QRect AnchorLayout::itemRect(int index, const QRect& area) const
{
    const Item& entry = items_.at(index);
    const Span h = placeSpan(entry.horizontal, zoom_.x, area.width());
    const Span v = placeSpan(entry.vertical, zoom_.y, area.height());
    return {area.x() + h.pos, area.y() + v.pos, h.size, v.size};
}

void AnchorLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    const QRect area = contentsRect();
    for (int i = 0; i < items_.size(); ++i) {
        const QRect r = itemRect(i, area);
        // A widget gets its rectangle as it stands; QWidgetItem would bend it to the
        // widget's size hint and policy.
        if (QWidget* widget = items_[i].item->widget())
            widget->setGeometry(r);
        else
            items_[i].item->setGeometry(r);
    }
}

QSize AnchorLayout::sizeHint() const { return zoom_.apply(designSize_); }

QSize AnchorLayout::minimumSize() const { return {0, 0}; }

Qt::Orientations AnchorLayout::expandingDirections() const { return Qt::Horizontal | Qt::Vertical; }

}  // namespace baudrill
