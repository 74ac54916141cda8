#include "monitor/images/ImageList.h"

#include <QPainter>

namespace baudrill {

ImageList::ImageList(std::span<const Entry> entries, QObject* parent)
    : QObject(parent), entries_(entries), drawn_(entries.size())
{
}

QString ImageList::name(int index) const
{
    return index >= 0 && index < count() ? QString::fromLatin1(entries_[index].name) : QString();
}

QSize ImageList::size(int index) const { return index >= 0 && index < count() ? entries_[index].size : QSize(); }

int ImageList::find(const QString& name) const
{
    for (int i = 0; i < count(); ++i) {
        if (name == QLatin1String(entries_[i].name))
            return i;
    }
    return -1;
}

QImage ImageList::image(int index) const
{
    if (index < 0 || index >= count())
        return {};
    QImage& image = drawn_[index];
    if (image.isNull()) {
        const Entry& entry = entries_[index];
        image = QImage(entry.size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        entry.draw(painter, entry.size);
    }
    return image;
}

QImage ImageList::image(const QString& name) const { return image(find(name)); }

}  // namespace baudrill
