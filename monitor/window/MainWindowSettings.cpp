// The main window's part of the settings file.
#include "monitor/window/MainWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSignalBlocker>

#include <algorithm>

#include "monitor/settings/SettingsStream.h"
#include "monitor/settings/WindowItems.h"
#include "monitor/settings/WindowPlacement.h"

namespace baudrill {

namespace {

WindowPlacement PlacementOf(const QWidget& window)
{
    const bool enlarged = window.isMaximized() || window.isFullScreen();
    const QRect r = enlarged && window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
    WindowPlacement p;
    p.normal = {r.x(), r.y(), r.width(), r.height()};
    p.state = window.isMinimized() ? WindowPlacement::Minimized
              : enlarged           ? WindowPlacement::Maximized
                                   : WindowPlacement::Normal;
    return p;
}

std::vector<ScreenRect> AvailableScreens()
{
    std::vector<ScreenRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect r = screen->availableGeometry();
        screens.push_back({r.x(), r.y(), r.width(), r.height()});
    }
    return screens;
}

void ApplyPlacement(QWidget& window, const WindowPlacement& p)
{
    if (!p.IsUsable())
        return;
    const ScreenRect r = PlaceOnScreens(p.normal, AvailableScreens());
    window.setGeometry(r.x, r.y, r.width, r.height);
    Qt::WindowStates state = window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    if (p.UsableState() == WindowPlacement::Maximized)
        state |= Qt::WindowMaximized;
    else if (p.UsableState() == WindowPlacement::Minimized)
        state |= Qt::WindowMinimized;
    window.setWindowState(state);
}

// Stored widths of another column set, or of no width at all, are left alone.
void ApplyColumnWidths(SerPortCtrl& grid, const std::vector<int>& widths)
{
    if (static_cast<int>(widths.size()) != grid.columnCount() ||
        std::any_of(widths.begin(), widths.end(), [](int w) { return w <= 0; }))
        return;
    grid.setColumnWidths(widths);
}

}  // namespace

// The content of the settings file: the window's items (WindowItems: the version text, the
// placement, the grid's column widths, the selected tab, the port names), then each port.
void MainWindow::Serialize(SettingsStream& stream)
{
    WindowItems items{storedVersion};
    items.placement = PlacementOf(*this);
    items.columnWidths = logGrid.columnWidths();
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
    if (items.widthsLoaded)
        ApplyColumnWidths(logGrid, items.columnWidths);
    if (count < 0)
        return;
    const int first = ports.GetCount();
    for (const std::string& name : items.portNames)
        AddPort(name);
    // Every new port gets its items, or after an error keeps its defaults, in range either way.
    for (int i = first; i < ports.GetCount(); ++i)
        ports.At(i)->Serialize(stream);
    // The stored tab is shown even after a later error, so the panes show the loaded state.
    if (items.tab >= 0 && items.tab < mainTabs.count()) {
        const QSignalBlocker blocker(mainTabs);
        mainTabs.setCurrentIndex(items.tab);
    }
    OnMainTab();
}

}  // namespace baudrill
