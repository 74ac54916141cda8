#pragma once

#include <QSize>

class QFont;

namespace baudrill {

// The factors by which layout units become pixels. The layouts were drawn for a standard
// font smaller than today's desktop fonts; scaling every position by how much wider and
// taller the actual standard font is keeps the texts inside their items.
struct LayoutZoom {
    double x = 1.0;
    double y = 1.0;

    // Zoom for a given standard font: its width over a sample text and its line height,
    // each against the font the layouts were drawn with.
    static LayoutZoom fromFont(const QFont& font);

    // Zoom of the application's standard font, measured on the first call (the
    // application object must exist by then) and kept for the rest of the run.
    static LayoutZoom standard();

    QSize apply(QSize units) const;
};

}  // namespace baudrill
