// The main window's part of the settings file.
#include "monitor/window/MainWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSignalBlocker>

#include <algorithm>

#include "monitor/ProgramTexts.h"
#include "monitor/settings/LoadedPortItems.h"
#include "monitor/settings/SettingsStream.h"
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

// The content of the settings file, in this order: the version text (a load stops when it is not
// this program's), the window placement (see WindowPlacement), the grid's column widths (a
// vector of ints), the selected tab's index, the port names in tab order, then each port.
void MainWindow::Serialize(SettingsStream& stream)
{
    stream % storedVersion;
    const bool loading = stream.IsLoading();
    if (loading && (stream.IsError() || storedVersion != VersionText))
        return;

    WindowPlacement placement = PlacementOf(*this);
    stream % placement;
    if (loading && !stream.IsError())
        ApplyPlacement(*this, placement);

    std::vector<int> widths = logGrid.columnWidths();
    stream % widths;
    if (loading && !stream.IsError())
        ApplyColumnWidths(logGrid, widths);

    int tab = mainTabs.currentIndex();
    stream % tab;

    std::vector<std::string> names;
    for (int i = 0; i < ports.GetCount(); ++i)
        names.push_back(ports.GetKey(i));
    stream % names;

    if (!loading) {
        for (int i = 0; i < ports.GetCount(); ++i)
            ports.At(i)->Serialize(stream);
        return;
    }
    if (stream.IsError())
        return;
    const int count = LoadablePortCount(names.size(), stream.Content().size());
    if (count < 0) {
        stream.SetError();
        return;
    }
    names.resize(static_cast<std::size_t>(count));
    const int first = ports.GetCount();
    for (const std::string& name : names)
        AddPort(name);
    // Every new port gets its items, or after an error keeps its defaults, in range either way.
    for (int i = first; i < ports.GetCount(); ++i)
        ports.At(i)->Serialize(stream);
    // The stored tab is shown even after a later error, so the panes show the loaded state.
    if (tab >= 0 && tab < mainTabs.count()) {
        const QSignalBlocker blocker(mainTabs);
        mainTabs.setCurrentIndex(tab);
    }
    OnMainTab();
}

}  // namespace baudrill
