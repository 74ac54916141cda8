// The main window as built, the send-mode and profile tabs, the protocol lists, the pump and
// the teardown order.
#include <gtest/gtest.h>

#include <QTimer>
#include <QToolButton>

#include <memory>
#include <string>
#include <vector>

#include "grammar/BNFarticle.h"
#include "grammar/GrammarRegistry.h"
#include "grammar/compiler/ArticleFactory.h"
#include "monitor/text/ProgramTexts.h"
#include "monitor/protocols/editor/ProtoDialog.h"
#include "monitor/window/MainWindow.h"
#include "monitor/window/PaneSetup.h"
#include "tests/support/gui/WindowTestSupport.h"
#include "tests/support/NamedCase.h"

namespace baudrill::test {
namespace {

std::vector<QWidget*> Groups(MainWindow& w)
{
    return {&w.logGrid, &w.settingsGroup, &w.protoSendGroup, &w.asciiSendGroup, &w.hexSendGroup, &w.sendGroup};
}

bool IsSeparator(const QComboBox& list, int i)
{
    return list.itemData(i, Qt::AccessibleDescriptionRole).toString() == QLatin1String("separator");
}

TEST(MainWindowBuilt, ShowsTheAsciiPaneWithEveryGroupDisabled)
{
    MainWindow window;
    EXPECT_FALSE(window.asciiSendGroup.isHidden());
    EXPECT_TRUE(window.hexSendGroup.isHidden());
    EXPECT_TRUE(window.protoSendGroup.isHidden());
    for (QWidget* group : Groups(window))
        EXPECT_FALSE(group->isEnabled()) << group->objectName().toStdString();

    EXPECT_EQ(window.sendGroup.repeatPeriod.data(), 200);
    EXPECT_FALSE(window.sendGroup.isRepeat.isChecked());
    EXPECT_EQ(window.sendGroup.sendButton.text(), QString::fromUtf8(SendCaption));
    EXPECT_FALSE(window.protoSendGroup.graphButton.isEnabled());
    EXPECT_NE(theProtoDialog, nullptr);

    // The pump runs from the start, also while no port exists.
    auto* pump = window.findChild<QTimer*>();
    ASSERT_NE(pump, nullptr);
    EXPECT_TRUE(pump->isActive());
    EXPECT_FALSE(pump->isSingleShot());
    EXPECT_EQ(pump->interval(), 100);
}

TEST(MainWindowBuilt, RateListHoldsFortyTwoRatesInFiveGroupsAndNoneSelected)
{
    MainWindow window;
    const DropList& rates = window.settingsGroup.settingBaud;
    EXPECT_EQ(rates.currentIndex(), -1);
    std::vector<int> values;
    std::vector<int> separators;
    for (int i = 0; i < rates.count(); ++i) {
        if (IsSeparator(rates, i)) {
            separators.push_back(i);
            continue;
        }
        const int rate = rates.itemData(i).toInt();
        EXPECT_EQ(rates.itemText(i), QString::number(rate));
        values.push_back(rate);
    }
    EXPECT_EQ(values, std::vector<int>(BaudRates.begin(), BaudRates.end()));
    // After 115200, 4800, 921600 and 65536; none between 10000 and 20000.
    EXPECT_EQ(separators, (std::vector<int>{5, 12, 16, 26}));
    EXPECT_EQ(rates.itemText(0), "9600");
    EXPECT_EQ(rates.itemText(rates.count() - 1), "100000");
}

TEST(MainWindowBuilt, TabsColumnsCaptionsAndIndicators)
{
    MainWindow window;
    EXPECT_EQ(TabValues(window.sendTabs), (std::vector<std::string>{"ASCII", "HEX", "PROTO"}));
    EXPECT_EQ(window.sendTabs.currentIndex(), 0);
    const std::vector<std::string> profiles = TabValues(window.profileTabs);
    ASSERT_EQ(profiles.size(), 10u);
    EXPECT_EQ(profiles.front(), " 1 ");
    EXPECT_EQ(profiles.back(), " 10 ");
    EXPECT_EQ(window.profileTabs.currentIndex(), 0);

    // Only the "+" tab, with its image.
    EXPECT_EQ(TabValues(window.mainTabs), std::vector<std::string>{""});
    EXPECT_FALSE(window.mainTabs.tabIcon(0).isNull());

    EXPECT_EQ(window.logGrid.columnCount(), 4);
    EXPECT_EQ(window.logGrid.rowCount(), 0);

    const WithSettingsLayout& pane = window.settingsGroup;
    EXPECT_EQ(pane.settingParity1.text(), "even");
    EXPECT_EQ(pane.settingParity2.text(), "odd");
    EXPECT_EQ(pane.settingStop1.text(), "1.5");
    EXPECT_EQ(pane.flowXONXOFF.text(), "XON/XOFF");
    // Only the two outputs can be clicked.
    const struct {
        const ButtonOption& line;
        const char* caption;
        bool enabled;
    } lines[] = {{pane.stateDCD, "DCD", false}, {pane.stateCTS, "CTS", false}, {pane.stateDSR, "DSR", false},
                 {pane.stateDTR, "DTR", true},  {pane.stateRNG, "RNG", false}, {pane.stateRTS, "RTS", true}};
    for (const auto& line : lines) {
        EXPECT_EQ(line.line.text(), line.caption);
        EXPECT_EQ(line.line.isEnabledTo(&pane), line.enabled) << line.caption;
    }

    // The "proto" list carries the editor button; no user protocol exists yet.
    EXPECT_EQ(window.protoSendGroup.proto.buttonCount(), 1);
    EXPECT_EQ(window.protoSendGroup.proto.count(), 0);
    EXPECT_EQ(window.protoSendGroup.actionProto.count(), 0);
    EXPECT_TRUE(window.asciiSendGroup.entry.toolTip().contains("inserts symbol with HEX(xx)"));
    EXPECT_TRUE(window.hexSendGroup.entry.toolTip().contains("2-digit hex numbers"));
}

TEST(MainWindowBuilt, EditorButtonOpensTheProtocolEditor)
{
    MainWindow window;
    ASSERT_NE(theProtoDialog, nullptr);
    EXPECT_FALSE(theProtoDialog->isVisible());
    window.EnableGroups(true);
    window.protoSendGroup.proto.button(0)->click();
    EXPECT_TRUE(theProtoDialog->isVisible());
    EXPECT_EQ(theProtoDialog->parentWidget(), &window);
    EXPECT_TRUE(theProtoDialog->isWindow());
}

// The send tabs go ASCII, HEX, PROTO; the modes are 0 PROTO, 1 ASCII, 2 HEX.
struct SendModeCase : NamedCase {
    int mode;
    int tab;        // expected cursor of the send tabs after selecting `mode` from the HEX tab
    int shownMode;  // the pane then visible
};

class SelectSendMode : public ::testing::TestWithParam<SendModeCase> {};

TEST_P(SelectSendMode, ShowsTheTabOfTheMode)
{
    const SendModeCase& c = GetParam();
    MainWindow window;
    window.sendTabs.setCurrentIndex(1);
    window.SelectSendMode(c.mode);
    EXPECT_EQ(window.sendTabs.currentIndex(), c.tab);
    EXPECT_EQ(!window.protoSendGroup.isHidden(), c.shownMode == SerPort::ModeProto);
    EXPECT_EQ(!window.asciiSendGroup.isHidden(), c.shownMode == SerPort::ModeAscii);
    EXPECT_EQ(!window.hexSendGroup.isHidden(), c.shownMode == SerPort::ModeHex);
}

INSTANTIATE_TEST_SUITE_P(Modes, SelectSendMode,
                         ::testing::Values(SendModeCase{"Proto", 0, 2, SerPort::ModeProto},
                                           SendModeCase{"Ascii", 1, 0, SerPort::ModeAscii},
                                           SendModeCase{"Hex", 2, 1, SerPort::ModeHex},
                                           SendModeCase{"UnknownChangesNothing", 5, 1, SerPort::ModeHex},
                                           SendModeCase{"NegativeChangesNothing", -1, 1, SerPort::ModeHex}),
                         CaseName<SendModeCase>);

TEST(SendTabs, StoreTheModeOnlyInAShownPort)
{
    MainWindow window;
    window.AddPort("ttyBAUDRILLNONE0");
    SerPort* port = window.ports.FindPtr("ttyBAUDRILLNONE0");
    ASSERT_NE(port, nullptr);
    ASSERT_EQ(window.SelectedPort(), port);

    window.sendTabs.setCurrentIndex(1);  // HEX
    EXPECT_EQ(port->mode, SerPort::ModeHex);
    window.sendTabs.setCurrentIndex(2);  // PROTO
    EXPECT_EQ(port->mode, SerPort::ModeProto);

    // With the "+" tab selected the panes switch and the port keeps its mode.
    window.mainTabs.setCurrentIndex(window.mainTabs.count() - 1);
    ASSERT_EQ(window.SelectedPort(), nullptr);
    window.sendTabs.setCurrentIndex(1);
    EXPECT_EQ(port->mode, SerPort::ModeProto);
    EXPECT_FALSE(window.hexSendGroup.isHidden());
    EXPECT_TRUE(window.protoSendGroup.isHidden());
}

TEST(ProfileTabs, StoreTheSlotOnlyInAShownPort)
{
    MainWindow window;
    window.AddPort("ttyBAUDRILLNONE0");
    SerPort* port = window.ports.FindPtr("ttyBAUDRILLNONE0");
    ASSERT_NE(port, nullptr);

    ASSERT_EQ(TabValue(window.profileTabs, 9), " 10 ");
    window.profileTabs.setCurrentIndex(9);
    EXPECT_EQ(port->slot, 9);
    window.SelectProfile(3);
    EXPECT_EQ(window.profileTabs.currentIndex(), 3);
    EXPECT_EQ(port->slot, 3);

    window.mainTabs.setCurrentIndex(window.mainTabs.count() - 1);
    window.profileTabs.setCurrentIndex(5);
    EXPECT_EQ(port->slot, 3);
}

std::vector<std::string> Entries(const QComboBox& list)
{
    std::vector<std::string> names;
    for (int i = 0; i < list.count(); ++i)
        names.push_back(list.itemText(i).toStdString());
    return names;
}

TEST(ProtocolLists, ListUserProtocolsButNotTheBuiltInRules)
{
    MainWindow window;
    std::vector<Uuid> made;
    // A name beginning with "BNF" is a built-in rule; the test is case-sensitive and looks at
    // the beginning only.
    for (const char* name : {"Modbus", "BNFhidden", "bnflower", "myBNF", "BNF"})
        made.push_back(CreateArticle(GrammarNamespace, name, "")->uid);

    window.ProtocolsChanged();
    const std::vector<std::string> expected = {"Modbus", "bnflower", "myBNF"};
    EXPECT_EQ(Entries(window.protoSendGroup.proto), expected);
    EXPECT_EQ(Entries(window.protoSendGroup.actionProto), expected);
    // Each entry's value is the protocol's identifier; no entry is selected by the refill.
    EXPECT_EQ(window.protoSendGroup.proto.itemData(0).toString().toStdString(), made[0].ToString());
    EXPECT_EQ(window.protoSendGroup.actionProto.itemData(2).toString().toStdString(), made[3].ToString());
    EXPECT_EQ(window.protoSendGroup.proto.currentIndex(), -1);
    EXPECT_EQ(window.protoSendGroup.actionProto.currentIndex(), -1);

    // A deleted protocol leaves the lists at the next change.
    auto& space = GrammarRegistry::Instance().GetAdd(GrammarNamespace);
    space.Remove(space.Find(made[0]));
    window.ProtocolsChanged();
    EXPECT_EQ(Entries(window.protoSendGroup.proto), (std::vector<std::string>{"bnflower", "myBNF"}));

    for (const Uuid& uid : made)
        space.Remove(space.Find(uid));
}

TEST(Pump, RunsEveryNotificationOfOnePortBeforeTheNext)
{
    PortLog log;  // outlives the ports
    MainWindow window;
    RecordingPort& first = AddRecordingPort(window, "first", log);
    RecordingPort& second = AddRecordingPort(window, "second", log);
    first.Post(&RecordingPort::Note, std::string("a"));
    second.Post(&RecordingPort::Note, std::string("x"));
    first.Post(&RecordingPort::Note, std::string("b"));
    second.Post(&RecordingPort::Note, std::string("y"));

    window.PumpPorts();
    EXPECT_EQ(log.entries, (std::vector<std::string>{"first:a", "first:b", "second:x", "second:y"}));
    EXPECT_EQ(first.Count(), 0);
    EXPECT_EQ(second.Count(), 0);
}

TEST(Teardown, DeletesTheEditorFirstThenThePortsInTabOrder)
{
    PortLog log;
    {
        auto window = std::make_unique<MainWindow>();
        for (const char* name : {"one", "two", "three"})
            AddRecordingPort(*window, name, log);
        window.reset();
    }
    EXPECT_EQ(theProtoDialog, nullptr);
    EXPECT_EQ(log.entries, (std::vector<std::string>{"one:deleted", "two:deleted", "three:deleted"}));
}

}  // namespace
}  // namespace baudrill::test
