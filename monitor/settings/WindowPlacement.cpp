#include "monitor/settings/WindowPlacement.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "monitor/settings/SettingsStream.h"

namespace baudrill {

namespace {

// 64-bit edges: loaded values may lie anywhere in the int range.
int64_t Right(const ScreenRect& r) { return int64_t{r.x} + r.width; }
int64_t Bottom(const ScreenRect& r) { return int64_t{r.y} + r.height; }

bool Overlaps(const ScreenRect& a, const ScreenRect& b)
{
    return a.x < Right(b) && b.x < Right(a) && a.y < Bottom(b) && b.y < Bottom(a);
}

// The gap between two intervals, 0 when they touch or overlap.
int64_t Gap(int64_t aFrom, int64_t aTo, int64_t bFrom, int64_t bTo)
{
    return std::max<int64_t>({0, bFrom - aTo, aFrom - bTo});
}

// Squared distance between the rectangles; in double, as gaps of loaded rectangles reach 2^33.
double Distance(const ScreenRect& a, const ScreenRect& b)
{
    const auto dx = static_cast<double>(Gap(a.x, Right(a), b.x, Right(b)));
    const auto dy = static_cast<double>(Gap(a.y, Bottom(a), b.y, Bottom(b)));
    return dx * dx + dy * dy;
}

int ClampToInt(int64_t v)
{
    return static_cast<int>(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// The start of a span of `length` inside [from, from + room), as near to `start` as it can be.
int Fit(int start, int length, int from, int room)
{
    const int64_t last = int64_t{from} + room - length;
    return static_cast<int>(std::clamp<int64_t>(start, from, std::max<int64_t>(from, last)));
}

}  // namespace

PlacementRect PlacementRect::Of(const ScreenRect& r) { return {r.x, r.y, ClampToInt(Right(r)), ClampToInt(Bottom(r))}; }

std::optional<ScreenRect> PlacementRect::Usable() const
{
    const int64_t width = int64_t{right} - left;
    const int64_t height = int64_t{bottom} - top;
    if (width <= 0 || height <= 0 || width > std::numeric_limits<int>::max() ||
        height > std::numeric_limits<int>::max())
        return std::nullopt;
    return ScreenRect{left, top, static_cast<int>(width), static_cast<int>(height)};
}

void WindowPlacement::Serialize(SettingsStream& stream)
{
    int v = StoredVersion;
    stream.SerializePacked(v);
    if (stream.IsLoading()) {
        if (v != 0 && v != 1)
            stream.SetError();
        if (stream.IsError())
            return;
        version = v;
    }
    stream % normal.left % normal.top % normal.right % normal.bottom;
    stream % current.left % current.top % current.right % current.bottom % flags;
}

ScreenRect PlaceOnScreens(const ScreenRect& window, const std::vector<ScreenRect>& screens)
{
    if (screens.empty())
        return window;
    const ScreenRect* nearest = nullptr;
    double best = std::numeric_limits<double>::infinity();
    for (const ScreenRect& screen : screens) {
        if (Overlaps(window, screen))
            return window;
        const double d = Distance(window, screen);
        if (d < best) {
            best = d;
            nearest = &screen;
        }
    }
    ScreenRect placed = window;
    placed.width = std::min(window.width, nearest->width);
    placed.height = std::min(window.height, nearest->height);
    placed.x = Fit(window.x, placed.width, nearest->x, nearest->width);
    placed.y = Fit(window.y, placed.height, nearest->y, nearest->height);
    return placed;
}

}  // namespace baudrill
