#include "monitor/layouts/LayoutZoom.h"

#include "monitor/layouts/AxisAnchor.h"

#include <QApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QString>

namespace baudrill {

namespace {

// What the font the layouts were drawn with measures: the width of the sample text and
// the line height (ascent + descent), in pixels.
const QString zoomSample = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
constexpr double designSampleWidth = 285.0;
constexpr double designLineHeight = 13.0;

}  // namespace

LayoutZoom LayoutZoom::fromFont(const QFont& font)
{
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(zoomSample);
    const double height = metrics.height();
    LayoutZoom zoom;
    if (width > 0)
        zoom.x = width / designSampleWidth;
    if (height > 0)
        zoom.y = height / designLineHeight;
    return zoom;
}

LayoutZoom LayoutZoom::standard()
{
    static const LayoutZoom zoom = fromFont(QApplication::font());
    return zoom;
}

QSize LayoutZoom::apply(QSize units) const { return {zoomed(units.width(), x), zoomed(units.height(), y)}; }

}  // namespace baudrill
