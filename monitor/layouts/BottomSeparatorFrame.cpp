#include "monitor/layouts/BottomSeparatorFrame.h"

#include "monitor/widgets/RichTextCtrl.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace baudrill {

BottomSeparatorFrame::BottomSeparatorFrame(QWidget* widget) : QObject(widget)
{
    setObjectName(QStringLiteral("bottomSeparatorFrame"));
}

void BottomSeparatorFrame::attach(QWidget* widget)
{
    if (isAttached(widget))
        return;
    widget->installEventFilter(new BottomSeparatorFrame(widget));
    // A scroll area's own contents margins belong to its frame; its text keeps clear of the
    // line through the viewport margins instead.
    if (auto* text = qobject_cast<RichTextCtrl*>(widget)) {
        text->setViewportMargins(text->viewportMargins() + QMargins(0, 0, 0, thickness));
    } else {
        widget->setContentsMargins(widget->contentsMargins() + QMargins(0, 0, 0, thickness));
    }
    widget->update();
}

bool BottomSeparatorFrame::isAttached(const QWidget* widget)
{
    return widget->findChild<BottomSeparatorFrame*>(QString(), Qt::FindDirectChildrenOnly) != nullptr;
}

bool BottomSeparatorFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Paint || watched != parent() || painting_)
        return false;
    // Let the widget paint itself first, then draw the line over it.
    painting_ = true;
    watched->event(event);
    painting_ = false;
    auto* widget = static_cast<QWidget*>(watched);
    QPainter painter(widget);
    const QRect r = widget->rect();
    painter.fillRect(r.left(), r.bottom() - 1, r.width(), 1, widget->palette().color(QPalette::Dark));
    painter.fillRect(r.left(), r.bottom(), r.width(), 1, widget->palette().color(QPalette::Light));
    return true;
}

}  // namespace baudrill
