// Port tabs: adding, selecting and closing ports, and what the window shows meanwhile.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include <string>
#include <vector>

#include "monitor/text/ProgramTexts.h"
#include "monitor/window/MainWindow.h"
#include "monitor/window/PaneSetup.h"
#include "tests/support/gui/GuiTestEnvironment.h"
#include "tests/support/gui/WindowTestSupport.h"
#include "tests/support/PtyPair.h"
#include "tests/support/NamedCase.h"

namespace baudrill::test {
namespace {

// Names of devices that do not exist: the ports stay closed.
constexpr const char* PortA = "ttyBAUDRILLNONE0";
constexpr const char* PortB = "ttyBAUDRILLNONE1";
constexpr const char* PortC = "ttyBAUDRILLNONE2";

QString TitleOf(const std::string& name) { return QString::fromStdString(name + " - " + VersionText); }

bool AllGroupsEnabled(MainWindow& w, bool on)
{
    for (QWidget* group : std::initializer_list<QWidget*>{&w.logGrid, &w.settingsGroup, &w.protoSendGroup,
                                                          &w.asciiSendGroup, &w.hexSendGroup, &w.sendGroup})
        if (group->isEnabled() != on)
            return false;
    return true;
}

// The state of a window whose "+" tab is selected.
void ExpectNoPortShown(MainWindow& window)
{
    EXPECT_EQ(window.mainTabs.currentIndex(), window.mainTabs.count() - 1);
    EXPECT_EQ(window.SelectedPort(), nullptr);
    EXPECT_TRUE(AllGroupsEnabled(window, false));
    EXPECT_EQ(window.logGrid.rowCount(), 0);
    EXPECT_FALSE(window.logGrid.WhenLayout);
    EXPECT_FALSE(window.logGrid.WhenHover);
    EXPECT_FALSE(window.logGrid.WhenHeaderLayout);
    EXPECT_TRUE(window.settingsGroup.flowLabel.isHidden());
    EXPECT_TRUE(window.settingsGroup.flowNone.isHidden());
    EXPECT_TRUE(window.settingsGroup.flowRTSCTS.isHidden());
    EXPECT_TRUE(window.settingsGroup.flowXONXOFF.isHidden());
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8(VersionText));
    // The panes show nothing of a port.
    EXPECT_EQ(window.settingsGroup.settingBaud.currentIndex(), -1);
    EXPECT_FALSE(window.settingsGroup.settingWord0.isChecked());
    EXPECT_EQ(window.asciiSendGroup.entry.text().toStdString(), "");
    EXPECT_EQ(window.asciiSendGroup.preview.toPlainText().toStdString(), "");
    EXPECT_EQ(window.hexSendGroup.entry.text().toStdString(), "");
    EXPECT_EQ(window.protoSendGroup.entry.text().toStdString(), "");
    EXPECT_EQ(window.protoSendGroup.proto.shownText().toStdString(), "");
    EXPECT_FALSE(window.sendGroup.sendButton.isChecked());
    EXPECT_EQ(window.sendGroup.repeatPeriod.data(), 200);
}

// Shows `text` in the shown port's ASCII slot, and a rate of the list, as the user leaves them.
void FillShownPort(MainWindow& window, const std::string& text)
{
    SerPort* port = window.SelectedPort();
    ASSERT_NE(port, nullptr);
    port->asciiSlots[0].entry = text;
    port->baud = 19200;
    port->Activate();
    ASSERT_EQ(window.asciiSendGroup.entry.text().toStdString(), text);
    ASSERT_EQ(window.settingsGroup.settingBaud.currentText().toStdString(), "19200");
}

TEST(AddPort, ShowsTheNewPortAndLeavesThePreviousOneInactive)
{
    MainWindow window;
    window.AddPort(PortA);
    EXPECT_EQ(TabValues(window.mainTabs), (std::vector<std::string>{PortA, ""}));
    EXPECT_EQ(window.mainTabs.tabText(0), PortA);
    EXPECT_TRUE(window.mainTabs.tabIcon(0).isNull());
    EXPECT_FALSE(window.mainTabs.tabIcon(1).isNull());
    EXPECT_EQ(window.mainTabs.currentIndex(), 0);
    EXPECT_EQ(window.windowTitle(), TitleOf(PortA));
    EXPECT_TRUE(AllGroupsEnabled(window, true));
    EXPECT_FALSE(window.skipTabChange);
    SerPort* first = window.ports.FindPtr(PortA);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->deviceName, std::string("/dev/") + PortA);
    EXPECT_TRUE(first->active);

    // The second port's tab goes before the "+" tab; the title never shows the "+" state.
    QSignalSpy titles(&window, &QWidget::windowTitleChanged);
    window.AddPort(PortB);
    EXPECT_EQ(TabValues(window.mainTabs), (std::vector<std::string>{PortA, PortB, ""}));
    EXPECT_EQ(window.mainTabs.currentIndex(), 1);
    ASSERT_EQ(titles.count(), 1);
    EXPECT_EQ(titles.at(0).at(0).toString(), TitleOf(PortB));
    SerPort* second = window.ports.FindPtr(PortB);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(window.SelectedPort(), second);
    EXPECT_TRUE(second->active);
    EXPECT_FALSE(first->active);

    // Selecting a port tab shows that port.
    window.mainTabs.setCurrentIndex(0);
    EXPECT_EQ(window.windowTitle(), TitleOf(PortA));
    EXPECT_TRUE(first->active);
    EXPECT_FALSE(second->active);
}

// The port name is the tab's value and the port's key; the device name gets "/dev/" in front
// unless the name is empty or is a path already.
struct DeviceCase : NamedCase {
    std::string portName;
    std::string device;
    QString tabText;
};

class PortNames : public ::testing::TestWithParam<DeviceCase> {};

TEST_P(PortNames, GiveTheDeviceAndTheTabText)
{
    const DeviceCase& c = GetParam();
    MainWindow window;
    window.AddPort(c.portName);
    ASSERT_EQ(window.ports.GetCount(), 1);
    EXPECT_EQ(window.ports.GetKey(0), c.portName);
    EXPECT_EQ(window.ports.At(0)->deviceName, c.device);
    EXPECT_EQ(TabValue(window.mainTabs, 0), c.portName);
    EXPECT_EQ(window.mainTabs.tabText(0), c.tabText);
    EXPECT_EQ(window.SelectedPort(), window.ports.At(0));
    EXPECT_EQ(window.windowTitle(), TitleOf(c.portName));
}

INSTANTIATE_TEST_SUITE_P(Names, PortNames,
                         ::testing::Values(DeviceCase{"ShortName", "ttyUSB7x", "/dev/ttyUSB7x", "ttyUSB7x"},
                                           DeviceCase{"Path", "/dev/serial/by-id/none", "/dev/serial/by-id/none",
                                                      "/dev/serial/by-id/none"},
                                           // An empty entry makes a port with no device, which stays closed.
                                           DeviceCase{"Empty", "", "", ""},
                                           // Shown literally: a '&' is no mnemonic.
                                           DeviceCase{"Ampersand", "a&b", "/dev/a&b", "a&&b"}),
                         CaseName<DeviceCase>);

TEST(AddPort, OpensAPseudoTerminalByItsPath)
{
    test::PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    MainWindow window;
    window.AddPort(pty.SlavePath());
    ASSERT_EQ(window.ports.GetCount(), 1);
    EXPECT_EQ(window.ports.At(0)->deviceName, pty.SlavePath());
    EXPECT_EQ(window.windowTitle(), TitleOf(pty.SlavePath()));
}

TEST(PlusTab, ShowsNoPortWhileThePortsKeepTheirFlags)
{
    MainWindow window;
    window.AddPort(PortA);
    SerPort* port = window.ports.FindPtr(PortA);
    ASSERT_NE(port, nullptr);
    // What a shown port binds and shows on the shared controls.
    window.logGrid.WhenLayout = [] {};
    window.logGrid.WhenHover = [](QPoint, quint32) {};
    window.logGrid.WhenHeaderLayout = [] {};
    window.logGrid.setRowCount(5);
    window.settingsGroup.flowNone.show();
    window.settingsGroup.flowLabel.show();
    FillShownPort(window, "typed");

    window.mainTabs.setCurrentIndex(1);
    ExpectNoPortShown(window);
    // Rows the port receives meanwhile still reach the grid through its flag.
    EXPECT_TRUE(port->active);
    // Emptying the panes reached none of the port's handlers.
    EXPECT_EQ(port->asciiSlots[0].entry, "typed");
    EXPECT_EQ(port->asciiSlots[0].repeatPeriod, 100);
    EXPECT_EQ(port->protoSlots[0].actionDelay, 100);
}

TEST(CloseTab, ClosingTheOnlyPortShowsThePlusTab)
{
    MainWindow window;
    window.AddPort(PortA);
    FillShownPort(window, "typed into the closed port");
    int portsWhenTabChanged = -1;
    QObject::connect(&window.mainTabs, &QTabBar::currentChanged,
                     [&] { portsWhenTabChanged = window.ports.GetCount(); });

    window.OnCloseTab();
    // The tab goes first: the tab handler still saw the port.
    EXPECT_EQ(portsWhenTabChanged, 1);
    EXPECT_EQ(window.ports.GetCount(), 0);
    EXPECT_EQ(TabValues(window.mainTabs), std::vector<std::string>{""});
    ExpectNoPortShown(window);
}

TEST(CloseTab, ClosingAMiddleTabShowsTheNextPort)
{
    MainWindow window;
    for (const char* name : {PortA, PortB, PortC})
        window.AddPort(name);
    window.mainTabs.setCurrentIndex(1);
    window.OnCloseTab();
    EXPECT_EQ(TabValues(window.mainTabs), (std::vector<std::string>{PortA, PortC, ""}));
    EXPECT_EQ(window.ports.GetCount(), 2);
    EXPECT_EQ(window.ports.FindPtr(PortB), nullptr);
    EXPECT_EQ(window.SelectedPort(), window.ports.FindPtr(PortC));
    EXPECT_EQ(window.windowTitle(), TitleOf(PortC));
    EXPECT_TRUE(window.ports.FindPtr(PortC)->active);
    EXPECT_FALSE(window.ports.FindPtr(PortA)->active);
}

TEST(CloseTab, DoesNothingOnThePlusTab)
{
    MainWindow window;
    window.AddPort(PortA);
    window.mainTabs.setCurrentIndex(1);
    window.OnCloseTab();
    EXPECT_EQ(window.ports.GetCount(), 1);
    EXPECT_EQ(window.mainTabs.count(), 2);
}

TEST(CloseTab, ADoubleClickClosesTheTabWithoutOpeningTheMenu)
{
    MainWindow window;
    showResized(window, 700, 476);
    window.AddPort(PortA);
    const QPoint onTab = window.mainTabs.tabRect(0).center();
    QTest::mouseClick(&window.mainTabs, Qt::LeftButton, {}, onTab);
    ASSERT_FALSE(window.portMenu.isVisible());
    QTest::mouseDClick(&window.mainTabs, Qt::LeftButton, {}, onTab);
    EXPECT_EQ(window.ports.GetCount(), 0);
    EXPECT_EQ(window.mainTabs.count(), 1);
    // The "+" tab that moved under the mouse is not pressed by the double click.
    EXPECT_FALSE(window.portMenu.isVisible());
    ExpectNoPortShown(window);
}

TEST(TabPress, OnThePlusTabPopsUpThePortMenu)
{
    MainWindow window;
    showResized(window, 700, 476);
    window.AddPort(PortA);
    QTest::mouseClick(&window.mainTabs, Qt::LeftButton, {}, window.mainTabs.tabRect(0).center());
    EXPECT_FALSE(window.portMenu.isVisible());
    QTest::mouseClick(&window.mainTabs, Qt::LeftButton, {}, window.mainTabs.tabRect(1).center());
    EXPECT_EQ(window.mainTabs.currentIndex(), 1);
    EXPECT_TRUE(window.portMenu.isVisible());
    EXPECT_EQ(window.deviceEntry.text(), "/dev/");
    window.portMenu.close();
}

}  // namespace
}  // namespace baudrill::test
