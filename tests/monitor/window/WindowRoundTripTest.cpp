// The settings file through the whole window: stored from one main window, loaded into a
// fresh one with real ports (missing devices and a pseudo terminal).
#include <gtest/gtest.h>

#include <QApplication>

#include <memory>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "grammar/BNFarticle.h"
#include "grammar/compiler/ArticleFactory.h"
#include "monitor/text/ProgramTexts.h"
#include "monitor/files/WholeFile.h"
#include "monitor/window/SettingsFile.h"
#include "monitor/window/MainWindow.h"
#include "monitor/window/PaneSetup.h"
#include "tests/support/gui/GuiTestEnvironment.h"
#include "tests/support/monitor/SettingsBytes.h"
#include "tests/support/gui/SettingsWindowSupport.h"
#include "tests/support/gui/WindowTestSupport.h"
#include "tests/support/NamedCase.h"
#include "tests/support/TempFolder.h"

namespace baudrill::test {
namespace {

QString TitleOf(const std::string& name) { return QString::fromStdString(name + " - " + VersionText); }

auto SlotFields(const SendSlot& s)
{
    return std::make_tuple(s.entry, s.protoName, s.answerProtoName, s.protoId.ToString(), s.answerId.ToString(), s.isCR,
                           s.isLF, s.isParse, s.isIgnoreStarting, s.isDisplayHex, s.isActionAnswer, s.isRepeat,
                           s.repeatPeriod, s.actionDelay);
}

// Without height and line count: they are the grid's cache, recomputed whenever the port's rows
// are laid out in the grid.
auto RowFields(const LogLine& r)
{
    return std::make_tuple(r.direction, r.data, r.protoName, r.protoValues, r.timeText);
}

std::vector<std::string> PortNames(const MainWindow& window)
{
    std::vector<std::string> names;
    for (int i = 0; i < window.ports.GetCount(); ++i)
        names.push_back(window.ports.GetKey(i));
    return names;
}

class WindowRoundTrip : public testing::Test {
protected:
    // A window as the program makes it, shown.
    static std::unique_ptr<MainWindow> NewWindow()
    {
        std::unique_ptr<MainWindow> window = ProgramWindow();
        showResized(*window, 1100, 700);
        return window;
    }

    // Loads the file into a fresh window, as the next run of the program does.
    std::unique_ptr<MainWindow> Loaded(bool expectLoaded = true)
    {
        std::unique_ptr<MainWindow> window = NewWindow();
        EXPECT_EQ(LoadSettingsFile(*window, path), expectLoaded);
        QApplication::processEvents();
        return window;
    }

    // The content up to the tab index: version, a placement and the default header, as the
    // framework writes them.
    static std::string HeadBeforeTab()
    {
        return StoredBytes(std::string(VersionText)) +
               PlacementFixture(1, {50, 40, 1150, 740}, {50, 40, 1150, 740}, 0) + HeaderFixture({4, 11, 11, 90});
    }

    TemporaryDataHome dataHome;
    TempFolder folder;
    const std::string path = folder.File(SettingsFileName);
};

// Gives every stored item of the port a value of its own, different from the defaults.
void FillPort(SerPort& port, int n, const std::string& protoName, const Uuid& protoId)
{
    port.baud = n == 1 ? 57600 : 4800 + n;
    port.rtsCts = n % 2 == 0;
    port.xonXoff = n != 0;
    port.mode = (n + 2) % 3;
    port.slot = 9 - n;
    int k = 0;
    for (std::vector<SendSlot>* modeSlots : {&port.asciiSlots, &port.hexSlots, &port.protoSlots}) {
        for (SendSlot& s : *modeSlots) {
            ++k;
            s.entry = "entry " + std::to_string(n) + "." + std::to_string(k) + std::string("\0\xff", 2);
            s.protoName = k % 4 == 0 ? protoName : "";
            s.answerProtoName = k % 5 == 0 ? protoName : "";
            s.protoId = s.protoName.empty() ? Uuid() : protoId;
            s.answerId = s.answerProtoName.empty() ? Uuid() : protoId;
            s.isCR = k % 2;
            s.isLF = k % 3 == 0;
            s.isParse = k % 4 != 1;
            s.isIgnoreStarting = k % 5 != 2;
            s.isDisplayHex = k % 6 == 0;
            s.isActionAnswer = k % 7 == 0;
            s.isRepeat = k % 8 == 0;
            s.repeatPeriod = 10 * k + n;
            s.actionDelay = 3 * k;
        }
    }
    port.rows.clear();
    for (int r = 0; r < 3 + n; ++r) {
        LogLine row;
        row.direction = r % 2;
        row.data = std::string("\x01\x02", 2) + std::string(static_cast<std::size_t>(r * 40), 'a' + n);
        row.protoName = r == 1 ? protoName : "";
        row.protoValues = r == 1 ? " 1 2" : "";
        row.timeText = "00:0" + std::to_string(r) + ".12" + std::to_string(n);
        row.height = 20 + r;
        row.lineCount = 1 + r;
        // Already handed to the log writer, so the stored window logs nothing at its end.
        row.logged = true;
        port.rows.push_back(row);
    }
}

// What the file keeps of a port, as plain values.
struct StoredPort {
    explicit StoredPort(const SerPort& p) : items{p.baud, p.rtsCts, p.xonXoff, p.mode, p.slot}
    {
        for (const std::vector<SendSlot>* mode : {&p.asciiSlots, &p.hexSlots, &p.protoSlots})
            for (const SendSlot& s : *mode)
                slotFields.push_back(SlotFields(s));
        for (const LogLine& r : p.rows)
            rows.push_back(RowFields(r));
    }
    std::tuple<int, bool, bool, int, int> items;
    std::vector<decltype(SlotFields(SendSlot()))> slotFields;
    std::vector<decltype(RowFields(LogLine()))> rows;
};

TEST_F(WindowRoundTrip, StoreThenLoadGivesTheSameWindow)
{
    test::PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    const std::string protoName = "RoundTripProto";
    const BNFarticle* proto = CreateArticle(GrammarNamespace, protoName, "");
    ASSERT_NE(proto, nullptr);

    const std::vector<std::string> names = {"ttyNOPE0", pty.SlavePath(), "ttyNOPE1"};
    std::vector<StoredPort> stored;
    std::vector<int> widths;
    {
        std::unique_ptr<MainWindow> window = NewWindow();
        window->storedVersion = VersionText;
        for (const std::string& name : names)
            window->AddPort(name);
        ASSERT_EQ(window->ports.At(1)->state, SerPort::StateOpen);
        for (int i = 0; i < window->ports.GetCount(); ++i) {
            FillPort(*window->ports.At(i), i, protoName, proto->uid);
            stored.emplace_back(*window->ports.At(i));
        }
        window->logGrid.setColumnWidths({90, 120, 300, 500});
        widths = window->logGrid.columnWidths();
        window->mainTabs.setCurrentIndex(1);
        ASSERT_TRUE(StoreSettingsFile(*window, path));
    }
    // The pseudo terminal is free again and back at its first rate before the next run opens it.
    ASSERT_NE(LineSpeed(pty), 57600u);

    std::unique_ptr<MainWindow> window = Loaded();
    ASSERT_EQ(PortNames(*window), names);
    EXPECT_EQ(TabValues(window->mainTabs), (std::vector<std::string>{names[0], names[1], names[2], ""}));
    EXPECT_EQ(window->mainTabs.currentIndex(), 1);
    EXPECT_EQ(window->SelectedPort(), window->ports.At(1));
    EXPECT_EQ(window->windowTitle(), TitleOf(pty.SlavePath()));
    EXPECT_EQ(window->logGrid.columnWidths(), widths);
    for (int i = 0; i < window->ports.GetCount(); ++i) {
        SCOPED_TRACE(names[static_cast<std::size_t>(i)]);
        const SerPort& port = *window->ports.At(i);
        const StoredPort loaded(port);
        EXPECT_EQ(loaded.items, stored[static_cast<std::size_t>(i)].items);
        EXPECT_EQ(loaded.slotFields, stored[static_cast<std::size_t>(i)].slotFields);
        EXPECT_EQ(loaded.rows, stored[static_cast<std::size_t>(i)].rows);
        for (const LogLine& row : port.rows)
            EXPECT_TRUE(row.logged);
        // A missing device leaves a closed tab; the pseudo terminal is open again.
        EXPECT_EQ(port.state, i == 1 ? SerPort::StateOpen : SerPort::StateClosed);
        EXPECT_EQ(port.active, i == 1);
    }
    // The open port's loaded rate is on the line and shown.
    EXPECT_EQ(LineSpeed(pty), 57600u);
    EXPECT_EQ(window->settingsGroup.settingBaud.currentData().toInt(), 57600);
}

std::vector<std::string> NopeNames(int count)
{
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back("ttyNOPE" + std::to_string(i));
    return names;
}

struct CountCase : NamedCase {
    int tab;
    std::string names;  // the stored names container
    int storedPorts;    // how many ports' items follow
    int ports;          // ports after loading
    int shown;          // the tab selected after loading; -1 when the load stopped before it
};

class StoredCounts : public WindowRoundTrip, public testing::WithParamInterface<CountCase> {};

TEST_P(StoredCounts, MakeOnlyThePortsTheFileHolds)
{
    const CountCase& c = GetParam();
    std::string content = HeadBeforeTab() + Int32Bytes(c.tab) + c.names;
    for (int i = 0; i < c.storedPorts; ++i)
        content += PortItems(19200);
    ASSERT_TRUE(WriteFileReplacing(path, FramedFile(content)));

    std::unique_ptr<MainWindow> window = Loaded();
    ASSERT_EQ(PortNames(*window), NopeNames(c.ports));
    EXPECT_EQ(window->mainTabs.count(), c.ports + 1);
    for (int i = 0; i < c.ports; ++i) {
        const SerPort& port = *window->ports.At(i);
        EXPECT_EQ(std::make_tuple(port.baud, port.rtsCts, port.xonXoff, port.mode, port.slot),
                  std::make_tuple(19200, false, true, 2, 4))
            << i;
        EXPECT_EQ(port.asciiSlots.size(), static_cast<std::size_t>(SendSlotCount));
    }
    if (c.shown < 0)
        return;
    EXPECT_EQ(window->mainTabs.currentIndex(), c.shown);
    EXPECT_EQ(window->SelectedPort(), window->ports.FindPtr(NopeNames(c.shown + 1).back()));
    EXPECT_EQ(window->windowTitle(), TitleOf(NopeNames(c.shown + 1).back()));
    EXPECT_TRUE(window->logGrid.isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Files, StoredCounts,
                         testing::Values(
                             // Ports past the 256th are not made; their items are not read.
                             CountCase{"MoreThan256Ports", 200, StoredBytes(NopeNames(300)), 300, 256, 200},
                             // A name count the file cannot hold is a loading error before any port.
                             CountCase{"NameCountPastTheFile", 0,
                                       Bytes({0xFF}) + Int32Bytes(1000001) + Bytes({8}) + "ttyNOPE0", 1, 0, -1},
                             CountCase{"NamesWithoutTheirPorts", 0, StoredBytes(NopeNames(3)), 0, 0, -1},
                             // A tab index no tab has leaves the last port made shown.
                             CountCase{"TabPastTheTabs", 7, StoredBytes(NopeNames(2)), 2, 2, 1},
                             CountCase{"NegativeTab", -3, StoredBytes(NopeNames(2)), 2, 2, 1}),
                         CaseName<CountCase>);

TEST_F(WindowRoundTrip, ErrorInThePortItemsStopsBeforeTheStoredTab)
{
    // The port's rows claim 1000 rows that the file does not hold.
    std::string faulty = PortItems(19200);
    faulty.pop_back();
    faulty += Bytes({0xFF}) + Int32Bytes(1001);
    for (const int bad : {0, 1}) {
        SCOPED_TRACE(bad);
        const std::string items = bad == 0 ? faulty + PortItems(4800) : PortItems(4800) + faulty;
        const std::string content = HeadBeforeTab() + Int32Bytes(0) + StoredBytes(NopeNames(2)) + items;
        ASSERT_TRUE(WriteFileReplacing(path, FramedFile(content)));

        std::unique_ptr<MainWindow> window = Loaded();
        ASSERT_EQ(PortNames(*window), NopeNames(2));
        // Not the stored tab 0: the port made last stays shown.
        EXPECT_EQ(window->mainTabs.currentIndex(), 1);
        EXPECT_EQ(window->SelectedPort(), window->ports.At(1));
        EXPECT_EQ(window->windowTitle(), TitleOf("ttyNOPE1"));
        // What was read before the error stays; a port after it keeps its defaults.
        const SerPort& first = *window->ports.At(0);
        const SerPort& last = *window->ports.At(1);
        EXPECT_EQ(first.baud, bad == 0 ? 19200 : 4800);
        EXPECT_EQ(last.baud, bad == 0 ? 9600 : 19200);
        EXPECT_EQ(last.asciiSlots.size(), static_cast<std::size_t>(SendSlotCount));
        // The shown port's panes show what it holds: its send mode's tab (HEX when loaded).
        EXPECT_EQ(window->sendTabs.currentIndex(), last.mode == 2 ? 1 : 0);
    }
}

TEST_F(WindowRoundTrip, AnotherVersionLoadsNothingAndIsStoredOverWithThisOne)
{
    const std::string old = HeadBeforeTab();
    ASSERT_EQ(old.substr(0, 1 + std::string(VersionText).size()), StoredBytes(std::string(VersionText)));
    const std::string other = StoredBytes(std::string("Baudrill v1.1.7")) +
                              old.substr(1 + std::string(VersionText).size()) + Int32Bytes(0) +
                              StoredBytes(NopeNames(1)) + PortItems(19200);
    ASSERT_TRUE(WriteFileReplacing(path, FramedFile(other)));
    {
        std::unique_ptr<MainWindow> window = Loaded(false);
        EXPECT_EQ(window->ports.GetCount(), 0);
        EXPECT_EQ(window->mainTabs.count(), 1);
        // As the program does after loading, whatever version the file had.
        window->storedVersion = VersionText;
        ASSERT_TRUE(StoreSettingsFile(*window, path));
    }
    std::string file;
    ASSERT_TRUE(ReadWholeFile(path, file));
    EXPECT_EQ(file.substr(4, 1 + std::string(VersionText).size()), StoredBytes(std::string(VersionText)));
    std::unique_ptr<MainWindow> window = Loaded();
    EXPECT_EQ(window->ports.GetCount(), 0);
}

}  // namespace
}  // namespace baudrill::test
