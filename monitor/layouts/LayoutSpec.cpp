#include "monitor/layouts/LayoutSpec.h"

#include "monitor/layouts/AnchorLayout.h"
#include "monitor/layouts/BottomSeparatorFrame.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>

namespace baudrill {

namespace {

void setItemText(QWidget* widget, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(text);
}

void setItemSetup(QWidget* widget, unsigned setup)
{
    if (setup & RightAligned) {
        if (auto* label = qobject_cast<QLabel*>(widget))
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    if (setup & EditFieldFrame) {
        if (auto* frame = qobject_cast<QFrame*>(widget))
            frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    }
    if (setup & BottomSeparator)
        BottomSeparatorFrame::attach(widget);
}

}  // namespace

QString generatedItemId(int index) { return QStringLiteral("dv___%1").arg(index); }

void applyLayout(QWidget& owner, const LayoutSpec& layout, std::initializer_list<QWidget*> members, LayoutZoom zoom,
                 bool isWindow)
{
    Q_ASSERT(members.size() == layout.items.size());
    const QString name = QString::fromLatin1(layout.name);
    owner.setObjectName(name);
    auto* anchors = new AnchorLayout(zoom, layout.size, &owner);
    anchors->setObjectName(name);

    int index = 0;
    for (QWidget* widget : members) {
        const LayoutItemSpec& item = layout.items[index];
        widget->setObjectName(item.id ? QString::fromLatin1(item.id) : generatedItemId(index));
        if (item.text)
            setItemText(widget, QCoreApplication::translate(layout.name, item.text));
        setItemSetup(widget, item.setup);
        anchors->addWidget(widget, item.horizontal, item.vertical);
        ++index;
    }

    const QMargins frames = owner.contentsMargins();
    const QSize size = zoom.apply(layout.size).grownBy(frames);
    if (isWindow)
        owner.setMinimumSize(size);
    owner.resize(size);
    // Children get their places now, not only once the owner is shown.
    anchors->setGeometry(owner.contentsRect());
}

}  // namespace baudrill
