#include "monitor/layouts/AxisAnchor.h"

#include <algorithm>
#include <cmath>

namespace baudrill {

int zoomed(int units, double zoom) { return static_cast<int>(std::lround(units * zoom)); }

Span placeSpan(AxisAnchor anchor, double zoom, int extent)
{
    const int a = zoomed(anchor.a, zoom);
    const int b = zoomed(anchor.b, zoom);
    switch (anchor.kind) {
    case AxisAnchor::Kind::LeadSize: return {a, b};
    case AxisAnchor::Kind::TrailSize: return {extent - a - b, b};
    case AxisAnchor::Kind::LeadTrail: return {a, std::max(0, extent - a - b)};
    }
    return {};
}

}  // namespace baudrill
