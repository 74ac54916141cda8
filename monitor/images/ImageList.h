#pragma once

#include <QImage>
#include <QObject>
#include <QSize>

#include <span>
#include <vector>

class QPainter;

namespace baudrill {

// A named, ordered list of pictures drawn by code. Each picture is drawn on its first use,
// into a transparent image of its size, and kept for every later use.
class ImageList : public QObject {
    Q_OBJECT
public:
    struct Entry {
        const char* name;
        QSize size;
        void (*draw)(QPainter& painter, QSize size);
    };

    ImageList(std::span<const Entry> entries, QObject* parent);

    int count() const { return static_cast<int>(entries_.size()); }
    QString name(int index) const;
    QSize size(int index) const;
    int find(const QString& name) const;  // -1 when the list has no such image

    // Null images for an index or name outside the list.
    QImage image(int index) const;
    QImage image(const QString& name) const;

private:
    std::span<const Entry> entries_;
    mutable std::vector<QImage> drawn_;
};

}  // namespace baudrill
