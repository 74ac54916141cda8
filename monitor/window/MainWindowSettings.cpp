// The main window's part of the settings file.
#include "monitor/window/MainWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSignalBlocker>

#include <cstdint>
#include <optional>
#include <vector>

#include "monitor/settings/GridHeader.h"
#include "monitor/settings/SettingsStream.h"
#include "monitor/settings/WindowItems.h"
#include "monitor/settings/WindowPlacement.h"

namespace baudrill {

namespace {

ScreenRect ScreenRectOf(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

WindowPlacement PlacementOf(const QWidget& window)
{
    const bool enlarged = window.isMaximized() || window.isFullScreen();
    const QRect normal = enlarged && window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
    WindowPlacement p;
    p.normal = PlacementRect::Of(ScreenRectOf(normal));
    p.current = PlacementRect::Of(ScreenRectOf(window.geometry()));
    p.flags = static_cast<std::uint8_t>((window.isMinimized() ? WindowPlacement::Minimized : 0) |
                                        (window.isMaximized() ? WindowPlacement::Maximized : 0) |
                                        (window.isFullScreen() ? WindowPlacement::FullScreen : 0));
    return p;
}

std::vector<ScreenRect> AvailableScreens()
{
    std::vector<ScreenRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.push_back(ScreenRectOf(screen->availableGeometry()));
    return screens;
}

// The normal rectangle, moved onto a screen, then maximised and minimised as stored. The
// current rectangle follows from these; full screen is not restored.
void ApplyPlacement(QWidget& window, const WindowPlacement& p)
{
    const std::optional<ScreenRect> normal = p.normal.Usable();
    if (!normal)
        return;
    const ScreenRect r = PlaceOnScreens(*normal, AvailableScreens());
    window.setGeometry(r.x, r.y, r.width, r.height);
    Qt::WindowStates state = window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    if (p.flags & WindowPlacement::Maximized)
        state |= Qt::WindowMaximized;
    if (p.flags & WindowPlacement::Minimized)
        state |= Qt::WindowMinimized;
    window.setWindowState(state);
}

}  // namespace

// The content of the settings file: the window's items (WindowItems: the version text, the
// placement, the grid's column header, the selected tab, the port names), then each port.
void MainWindow::Serialize(SettingsStream& stream)
{
    WindowItems items{storedVersion};
    items.placement = PlacementOf(*this);
    // A header of another column count, or of ratios that make no shares, leaves the widths.
    items.header = GridHeader::OfRatios(logGrid.columnRatios());
    items.tab = mainTabs.currentIndex();
    for (int i = 0; i < ports.GetCount(); ++i)
        items.portNames.push_back(ports.GetKey(i));
    const int count = items.Serialize(stream);

    if (stream.IsStoring()) {
        for (int i = 0; i < ports.GetCount(); ++i)
            ports.At(i)->Serialize(stream);
        return;
    }
    if (items.placementLoaded)
        ApplyPlacement(*this, items.placement);
    if (items.headerLoaded)
        logGrid.setColumnRatios(items.header.Ratios());
    if (count < 0)
        return;
    const int first = ports.GetCount();
    for (const std::string& name : items.portNames)
        AddPort(name);
    // Every new port gets its items, or after an error keeps its defaults, in range either way.
    for (int i = first; i < ports.GetCount(); ++i)
        ports.At(i)->Serialize(stream);
    // After an error the load stops: the stored tab is not selected. The port made last stays
    // shown, and its panes are filled again from what it now holds.
    if (!stream.IsError() && items.tab >= 0 && items.tab < mainTabs.count()) {
        const QSignalBlocker blocker(mainTabs);
        mainTabs.setCurrentIndex(items.tab);
    }
    OnMainTab();
}

}  // namespace baudrill
