#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace baudrill {

class SettingsStream;

// A rectangle in screen pixels.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const ScreenRect&) const = default;
};

// A rectangle by its edges, as the placement keeps it: right = left + width, bottom = top +
// height (one past the last pixel).
struct PlacementRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    // Edges beyond the int range are cut to it.
    static PlacementRect Of(const ScreenRect& r);
    // The rectangle, when it has a positive width and height that fit an int.
    std::optional<ScreenRect> Usable() const;

    bool operator==(const PlacementRect&) const = default;
};

// The main window's place in the settings file, 34 bytes in the framework's layout: a packed
// version (written 1; 0 has the same layout), the normal rectangle (the window neither
// maximised nor minimised), the current rectangle, each as left, top, right, bottom ints, and
// one byte of state flags. A window stored minimised comes back minimised.
struct WindowPlacement {
    static constexpr int StoredVersion = 1;
    static constexpr std::uint8_t Minimized = 0x80;
    static constexpr std::uint8_t Maximized = 0x40;
    static constexpr std::uint8_t FullScreen = 0x20;

    int version = StoredVersion;
    PlacementRect normal;
    PlacementRect current;
    std::uint8_t flags = 0;

    // Storing always writes StoredVersion; loading another version than 0 or 1 is an error.
    void Serialize(SettingsStream& stream);
};

// The rectangle itself when it overlaps any of the screens (or there are none); otherwise
// moved onto the nearest screen, and made smaller where it is larger than that screen.
ScreenRect PlaceOnScreens(const ScreenRect& window, const std::vector<ScreenRect>& screens);

}  // namespace baudrill
