#pragma once

#include <QLineEdit>
#include <QMenu>

#include <optional>
#include <string>
#include <vector>

#include "grammar/ArrayMap.h"
#include "monitor/layouts/WithMainLayout.h"
#include "monitor/port/SerPort.h"
#include "monitor/protocols/editor/ProtoDialog.h"
#include "monitor/port/MainGUI.h"

class QTimer;

namespace baudrill {

class SettingsStream;

// The program's one top-level window: the port tabs, the shared settings pane, log grid, send
// panes, profile tabs and send button pane. It sets up every fixed choice of the panes, routes
// the send-mode and profile tabs to the shown port, empties every port's queue on a 100 ms
// timer and keeps the protocol lists in step with the protocol editor.
//
// Split by concern: MainWindow.cpp (construction, panes, pump, protocol lists, teardown),
// PortTabs.cpp (port tabs and port menu), MainWindowSettings.cpp (settings file).
class MainWindow : public WithMainLayout, public MainGUI, public ProtoDialog::Notify {
    Q_OBJECT
public:
    MainWindow();
    ~MainWindow() override;

    // The settings file: loads or stores, by the stream's direction.
    void Serialize(SettingsStream& stream);

    void EnableGroups(bool on);
    void SelectSendMode(int mode) override;
    void SelectProfile(int slot) override;
    void OnSendTab();
    void OnProfileTab();
    void PumpPorts();
    void OnGridScroll();
    void ProtocolsChanged() override;
    void OpenProtoDialog();

    // Port tabs and port menu.
    void OnMainTab();
    void OnCloseTab();
    void OnTabLeftDown();
    void PortMenu(QMenu& bar);
    void OnPortEntry();
    void AddPort(const std::string& name);

    // The port of the selected tab, or null.
    SerPort* SelectedPort() const;

    std::string storedVersion;
    QMenu portMenu;
    QLineEdit deviceEntry;
    bool skipTabChange = false;
    ArrayMap<std::string, SerPort> ports;
    // Where the port menu lists the system's serial ports from (tests give a fake tree).
    std::string sysfsRoot = "/sys";

private:
    QTimer* pumpTimer = nullptr;
    // The entry of the send pane of a mode.
    QLineEdit& SendEntry(int mode);
    // The grid's scroll position at the last scroll step, none before the first.
    std::optional<int> gridScrollPosition;
    // Port tabs: the "+" tab appended, and the tab bar's and the entry's handlers bound.
    void AddPlusTab();
    void SetUpPortTabHandlers();
};

}  // namespace baudrill
