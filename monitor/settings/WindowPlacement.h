#pragma once

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

// The main window's place in the settings file. Our own layout, 20 bytes: the window's
// rectangle in its normal (neither maximised nor minimised) state as four ints, x, y, width and
// height, then its state as an int (0 normal, 1 maximised, 2 minimised). A window stored
// minimised comes back minimised.
struct WindowPlacement {
    enum State { Normal = 0, Maximized = 1, Minimized = 2 };

    ScreenRect normal;
    int state = Normal;

    void Serialize(SettingsStream& stream);
    // Something to apply: a rectangle of positive size (a state outside 0-2 reads as normal).
    bool IsUsable() const { return normal.width > 0 && normal.height > 0; }
    int UsableState() const { return state == Maximized || state == Minimized ? state : Normal; }

    bool operator==(const WindowPlacement&) const = default;
};

// The rectangle itself when it overlaps any of the screens (or there are none); otherwise
// moved onto the nearest screen, and made smaller where it is larger than that screen.
ScreenRect PlaceOnScreens(const ScreenRect& window, const std::vector<ScreenRect>& screens);

}  // namespace baudrill
