// The port tabs of the main window and the port menu behind the "+" tab.
#include "monitor/window/MainWindow.h"

#include <QAction>
#include <QCursor>
#include <QKeyEvent>

#include <algorithm>

#include "monitor/text/ProgramTexts.h"
#include "monitor/images/IMG.h"
#include "monitor/window/DeviceEntryAction.h"
#include "monitor/window/EventHook.h"
#include "monitor/window/PaneSetup.h"
#include "platform/DevicePath.h"
#include "platform/SerialPortList.h"

namespace baudrill {

void MainWindow::AddPlusTab()
{
    const int index = AddValueTab(mainTabs, "");
    mainTabs.setTabIcon(index, QIcon(QPixmap::fromImage(IMG::plus())));
}

void MainWindow::SetUpPortTabHandlers()
{
    connect(&mainTabs, &QTabBar::currentChanged, this, &MainWindow::OnMainTab);
    mainTabs.WhenLeftDown = [this] { OnTabLeftDown(); };
    // A double click closes the tab and nothing more: the bar's own handling would replay the
    // press on whatever tab moved under the mouse and pop up the port menu.
    EventHook::Install(mainTabs, [this](QEvent& event) {
        if (event.type() != QEvent::MouseButtonDblClick || static_cast<QMouseEvent&>(event).button() != Qt::LeftButton)
            return false;
        OnCloseTab();
        return true;
    });

    // Enter is taken by the entry, so the menu does not also treat it as a choice (which
    // would close it even when the name is refused).
    deviceEntry.setParent(this);
    deviceEntry.hide();
    EventHook::Install(deviceEntry, [this](QEvent& event) {
        if (event.type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent&>(event).key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        OnPortEntry();
        return true;
    });
}

SerPort* MainWindow::SelectedPort() const
{
    const int cursor = mainTabs.currentIndex();
    if (cursor < 0 || cursor >= mainTabs.count() - 1)
        return nullptr;
    return ports.FindPtr(TabValue(mainTabs, cursor));
}

void MainWindow::OnMainTab()
{
    if (skipTabChange) {
        skipTabChange = false;
        return;
    }
    const int cursor = mainTabs.currentIndex();
    if (cursor < 0) {
        EnableGroups(false);
        return;
    }
    if (cursor == mainTabs.count() - 1) {
        // The "+" tab: no port is shown. The port shown before keeps its `active` flag.
        EnableGroups(false);
        logGrid.WhenHeaderLayout = nullptr;
        logGrid.WhenLayout = nullptr;
        logGrid.WhenHover = nullptr;
        // The grid no longer calls into any port, which may be closed while this tab is shown.
        logGrid.WhenLeftDouble = nullptr;
        logGrid.setRowCount(0);
        logGrid.clearDisplays();
        settingsGroup.flowLabel.hide();
        settingsGroup.flowNone.hide();
        settingsGroup.flowRTSCTS.hide();
        settingsGroup.flowXONXOFF.hide();
        // Nothing of the port shown before stays in sight, a closed one's least of all.
        ShowEmptyPanes(settingsGroup, sendGroup, asciiSendGroup, hexSendGroup, protoSendGroup);
        setWindowTitle(QString::fromUtf8(VersionText));
        return;
    }
    for (int i = 0; i < ports.GetCount(); ++i)
        ports.At(i)->active = false;
    const std::string name = TabValue(mainTabs, cursor);
    SerPort* port = ports.FindPtr(name);
    if (!port)
        return;
    setWindowTitle(QString::fromStdString(name + " - " + VersionText));
    EnableGroups(true);
    port->active = true;
    port->Activate();
}

void MainWindow::OnCloseTab()
{
    const int cursor = mainTabs.currentIndex();
    if (cursor < 0 || cursor >= mainTabs.count() - 1)
        return;
    const int index = ports.Find(TabValue(mainTabs, cursor));
    if (index < 0)
        return;
    ports.At(index)->active = false;
    // Removing the tab selects another one, and OnMainTab runs while the port still exists.
    mainTabs.removeTab(cursor);
    ports.Remove(index);
}

void MainWindow::OnTabLeftDown()
{
    if (mainTabs.count() == 1 && portMenu.isVisible())
        portMenu.close();
    if (mainTabs.currentIndex() == mainTabs.count() - 1 && !portMenu.isVisible()) {
        // Built anew each time, so the list of the system's ports is current.
        PortMenu(portMenu);
        portMenu.popup(QCursor::pos());
    }
}

void MainWindow::PortMenu(QMenu& bar)
{
    bar.clear();
    std::vector<std::string> names = platform::ListSerialPorts(sysfsRoot);
    // Ports that exist are listed too, greyed, also when the system no longer lists them.
    for (int i = 0; i < ports.GetCount(); ++i) {
        const std::string& name = ports.GetKey(i);
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());  // byte-wise
    for (const std::string& name : names) {
        QAction* item = bar.addAction(LiteralCaption(name));
        item->setEnabled(ports.Find(name) < 0);
        connect(item, &QAction::triggered, this, [this, name] { AddPort(name); });
    }
    bar.addSeparator();
    deviceEntry.setText(QString::fromUtf8(platform::DevicePrefix));
    bar.addAction(new DeviceEntryAction(deviceEntry, *this, &bar));
}

void MainWindow::OnPortEntry()
{
    const std::string name = deviceEntry.text().toStdString();
    if (ports.Find(name) >= 0)
        return;  // already a port: the menu stays open
    AddPort(name);
    portMenu.close();
}

void MainWindow::AddPort(const std::string& name)
{
    auto port = std::make_unique<SerPort>(platform::DevicePathForPort(name), this, &logGrid, &settingsGroup, &sendGroup,
                                          &protoSendGroup, &asciiSendGroup, &hexSendGroup);
    SerPort& added = ports.Add(name, std::move(port));

    // The "+" tab becomes the port's tab, and a new "+" tab follows it.
    const int portTab = mainTabs.count() - 1;
    SetTabValue(mainTabs, portTab, name);
    mainTabs.setTabIcon(portTab, QIcon());
    skipTabChange = true;
    AddPlusTab();
    // Selecting the new "+" tab is the one change OnMainTab skips, so the panes and the title
    // do not pass through the "+" state (a QTabBar does not select an added tab itself).
    mainTabs.setCurrentIndex(mainTabs.count() - 1);
    skipTabChange = false;
    mainTabs.setCurrentIndex(portTab);  // OnMainTab shows the new port

    for (int i = 0; i < ports.GetCount(); ++i)
        ports.At(i)->active = false;
    added.active = true;
    added.Activate();
}

}  // namespace baudrill
