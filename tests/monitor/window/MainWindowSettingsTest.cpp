#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <limits>
#include <numeric>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "monitor/text/ProgramTexts.h"
#include "monitor/window/SettingsFile.h"
#include "monitor/files/WholeFile.h"
#include "monitor/window/MainWindow.h"
#include "platform/FakeCommDevice.h"
#include "platform/SystemClock.h"
#include "tests/support/gui/GuiTestEnvironment.h"
#include "tests/support/monitor/SettingsBytes.h"
#include "tests/support/NamedCase.h"
#include "tests/support/TempFolder.h"

namespace baudrill::test {
namespace {

namespace fs = std::filesystem;

std::string StringBytes(const std::string& s) { return StoredBytes(s); }

// The placement of a normal window whose normal and current rectangles are the same.
std::string NormalPlacement(int x, int y, int w, int h)
{
    return PlacementFixture(1, {x, y, x + w, y + h}, {x, y, x + w, y + h}, 0);
}

// The header of the main window's grid as it is made: four columns of ratios 4, 11, 11, 90.
const std::vector<double> defaultRatios{4, 11, 11, 90};

class MainWindowSettings : public testing::Test {
protected:
    // A port put straight into the window's map, on a fake device.
    SerPort& AddFakePort(const std::string& name)
    {
        auto serial =
            std::make_unique<SerialPort>(std::make_unique<platform::FakeCommDevice>(platform::SystemClock::Instance()));
        return window.ports.Add(
            name, std::make_unique<SerPort>(std::move(serial), "/dev/" + name, &window, &window.logGrid,
                                            &window.settingsGroup, &window.sendGroup, &window.protoSendGroup,
                                            &window.asciiSendGroup, &window.hexSendGroup));
    }

    std::string StoredFile()
    {
        EXPECT_TRUE(StoreSettingsFile(window, path));
        std::string bytes;
        EXPECT_TRUE(ReadWholeFile(path, bytes));
        return bytes;
    }

    void WriteFile(const std::string& content) { ASSERT_TRUE(WriteFileReplacing(path, FramedFile(content))); }

    // The content from the version text up to the port names, as the window holds it now.
    std::string HeadOfContent(int tab)
    {
        const QRect g = window.geometry();
        return StringBytes(VersionText) + NormalPlacement(g.x(), g.y(), g.width(), g.height()) +
               HeaderFixture(defaultRatios) + Int32Bytes(tab);
    }

    // A file whose header holds these ratios, with no tab and no ports after it.
    void WriteHeader(const std::vector<double>& ratios)
    {
        WriteFile(StringBytes(VersionText) + NormalPlacement(40, 50, 1200, 700) + HeaderFixture(ratios) +
                  Int32Bytes(-1) + Bytes({1}));
    }

    TempFolder temp;
    const fs::path folder = temp.Path();
    const std::string path = (folder / SettingsFileName).string();
    MainWindow window;
};

TEST_F(MainWindowSettings, StoreWritesVersionPlacementHeaderTabAndPorts)
{
    window.storedVersion = VersionText;
    window.setGeometry(40, 50, 1200, 700);
    SerPort& first = AddFakePort("ttyS7");
    SerPort& second = AddFakePort("ttyUSB0");
    second.baud = 115200;
    second.rows.resize(2);

    const std::string file = StoredFile();
    const std::string head = HeadOfContent(window.mainTabs.currentIndex());
    ASSERT_EQ(file.substr(0, 4), "data");
    EXPECT_EQ(file.substr(4, 1 + 15 + 34 + 54), StringBytes("Baudrill v1.1.8") +
                                                    PlacementFixture(1, {40, 50, 1240, 750}, {40, 50, 1240, 750}, 0) +
                                                    HeaderFixture({4, 11, 11, 90}));
    EXPECT_EQ(file.substr(4, head.size()), head);

    SettingsStream firstItems, secondItems;
    first.Serialize(firstItems);
    second.Serialize(secondItems);
    const std::string content = head + Bytes({3, 5}) + "ttyS7" + Bytes({7}) + "ttyUSB0" +
                                std::string(firstItems.Content()) + std::string(secondItems.Content());
    EXPECT_EQ(file, FramedFile(content));
}

TEST_F(MainWindowSettings, StoreReplacesTheOldFile)
{
    ASSERT_TRUE(WriteFileReplacing(path, std::string(5000, 'x')));
    window.storedVersion = VersionText;
    const std::string file = StoredFile();
    EXPECT_EQ(file, FramedFile(HeadOfContent(window.mainTabs.currentIndex()) + Bytes({1})));
    EXPECT_EQ(temp.EntryCount(), 1);
}

TEST_F(MainWindowSettings, AnotherVersionLoadsNothingMore)
{
    window.setGeometry(40, 50, 1200, 700);
    WriteFile(StringBytes("Baudrill v1.1.7") + PlacementFixture(1, {10, 10, 310, 210}, {10, 10, 310, 210}, 0x40) +
              HeaderFixture(defaultRatios) + Int32Bytes(0) + Bytes({2, 4}) + "COM1");
    EXPECT_FALSE(LoadSettingsFile(window, path));
    EXPECT_EQ(window.storedVersion, "Baudrill v1.1.7");
    EXPECT_EQ(window.geometry(), QRect(40, 50, 1200, 700));
    EXPECT_FALSE(window.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(window.ports.GetCount(), 0);
}

TEST_F(MainWindowSettings, MissingOrForeignFileLoadsNothing)
{
    window.setGeometry(40, 50, 1200, 700);
    EXPECT_FALSE(LoadSettingsFile(window, path));
    std::string foreign = FramedFile(StringBytes(VersionText) + NormalPlacement(10, 10, 300, 200));
    foreign[0] = 'D';
    ASSERT_TRUE(WriteFileReplacing(path, foreign));
    EXPECT_FALSE(LoadSettingsFile(window, path));
    EXPECT_EQ(window.geometry(), QRect(40, 50, 1200, 700));
}

TEST_F(MainWindowSettings, NormalRectangleStatesAndColumnSharesAreLoaded)
{
    window.setGeometry(40, 50, 1200, 700);
    // Maximised: the current rectangle is the screen's, the normal one is what comes back.
    WriteFile(StringBytes(VersionText) + PlacementFixture(0, {30, 40, 1130, 690}, {0, 0, 800, 800}, 0x40) +
              HeaderFixture({1, 1, 1, 3}) + Int32Bytes(-1) + Bytes({1}));
    EXPECT_TRUE(LoadSettingsFile(window, path));
    EXPECT_EQ(window.geometry(), QRect(30, 40, 1100, 650));
    EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(window.windowState() & Qt::WindowMinimized);
    EXPECT_EQ(window.logGrid.columnRatios(), (std::vector<double>{1, 1, 1, 3}));
    showResized(window, 1200, 700);
    const std::vector<int> loaded = window.logGrid.columnWidths();
    EXPECT_NEAR(loaded.back(), 3 * loaded.front(), 3);

    // Minimised after maximised keeps both; full screen alone is not restored.
    WriteFile(StringBytes(VersionText) + PlacementFixture(1, {30, 40, 1130, 690}, {30, 40, 1130, 690}, 0xC0) +
              HeaderFixture(defaultRatios) + Int32Bytes(-1) + Bytes({1}));
    EXPECT_TRUE(LoadSettingsFile(window, path));
    EXPECT_TRUE(window.windowState() & Qt::WindowMinimized);
    EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
    WriteFile(StringBytes(VersionText) + PlacementFixture(1, {30, 40, 1130, 690}, {0, 0, 800, 800}, 0x20) +
              HeaderFixture(defaultRatios) + Int32Bytes(-1) + Bytes({1}));
    EXPECT_TRUE(LoadSettingsFile(window, path));
    EXPECT_EQ(window.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen),
              Qt::WindowNoState);

    // A placement of no size is left alone, state and all.
    window.setWindowState(Qt::WindowMaximized);
    WriteFile(StringBytes(VersionText) + PlacementFixture(1, {10, 10, 10, 10}, {10, 10, 10, 10}, 0) +
              HeaderFixture(defaultRatios) + Int32Bytes(-1) + Bytes({1}));
    EXPECT_TRUE(LoadSettingsFile(window, path));
    EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
}

struct RatioCase : NamedCase {
    std::vector<double> ratios;
    bool taken;  // the grid takes them as its shares
};

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double huge = std::numeric_limits<double>::max();

const RatioCase ratioCases[] = {
    {"UserWidths", {38, 120, 210, 732}, true},
    {"FractionsAndAZero", {0.25, 0, 1.5, 10}, true},
    {"OneHugeRatio", {huge, 1, 1, 1}, true},
    {"Subnormals", {5e-324, 5e-324, 1e-323, 2e-323}, true},
    {"NotANumber", {4, nan, 11, 90}, false},
    {"Negative", {4, -11, 11, 90}, false},
    {"Infinite", {4, 11, inf, 90}, false},
    {"AllZero", {0, 0, 0, 0}, false},
    {"SumPastTheLargestDouble", {huge, huge, 1, 1}, false},
    {"FewerColumns", {4, 11, 90}, false},
    {"MoreColumns", {4, 11, 11, 90, 20}, false},
};

class LoadedRatios : public MainWindowSettings, public testing::WithParamInterface<RatioCase> {};

TEST_P(LoadedRatios, GiveTheGridItsSharesOrLeaveItsWidths)
{
    const RatioCase& c = GetParam();
    showResized(window, 1000, 600);
    window.logGrid.setColumnWidths({50, 100, 150, 200});
    const std::vector<double> before = window.logGrid.columnRatios();
    const std::vector<int> widthsBefore = window.logGrid.columnWidths();
    WriteHeader(c.ratios);
    // The rest of the file loads either way.
    EXPECT_TRUE(LoadSettingsFile(window, path));
    showResized(window, 1000, 600);

    const std::vector<int> widths = window.logGrid.columnWidths();
    const int viewWidth = window.logGrid.viewport()->width();
    EXPECT_EQ(std::accumulate(widths.begin(), widths.end(), 0), viewWidth);
    for (int w : widths)
        EXPECT_GE(w, 0);
    if (!c.taken) {
        EXPECT_EQ(window.logGrid.columnRatios(), before);
        EXPECT_EQ(widths, widthsBefore);
        return;
    }
    EXPECT_EQ(window.logGrid.columnRatios(), c.ratios);
    // Shares taken relative to the largest ratio, so that neither huge nor subnormal ratios
    // lose them.
    const double largest = *std::max_element(c.ratios.begin(), c.ratios.end());
    double sum = 0;
    for (double r : c.ratios)
        sum += r / largest;
    for (std::size_t i = 0; i < widths.size(); ++i)
        EXPECT_NEAR(widths[i], c.ratios[i] / largest / sum * viewWidth, 1.0) << i;
}

INSTANTIATE_TEST_SUITE_P(MainWindowSettings, LoadedRatios, testing::ValuesIn(ratioCases), CaseName<RatioCase>);

TEST_F(MainWindowSettings, PlacementOutsideEveryScreenIsMovedOntoOne)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    WriteFile(StringBytes(VersionText) + NormalPlacement(screen.x() - 5000, screen.y() - 5000, 1100, 650) +
              HeaderFixture(defaultRatios) + Int32Bytes(-1) + Bytes({1}));
    EXPECT_TRUE(LoadSettingsFile(window, path));
    // Made no larger than the screen, then no smaller than the window's minimum size.
    EXPECT_EQ(window.geometry().topLeft(), screen.topLeft());
    EXPECT_EQ(window.width(), std::max(std::min(1100, screen.width()), window.minimumWidth()));
}

TEST_F(MainWindowSettings, DamageAfterTheVersionKeepsWhatWasRead)
{
    window.setGeometry(40, 50, 1200, 700);
    // Header errors: another version, a count past the end, more than 10000 columns. The
    // placement stays, nothing after the header is read.
    const std::string headers[] = {
        Bytes({0x04}) + HeaderFixture(defaultRatios).substr(1),
        Bytes({0x05, 0x30, 0x01}),
        Bytes({0x05, 0xFF}) + Int32Bytes(10002) + std::string(10001 * 13, '\1'),
    };
    for (const std::string& header : headers) {
        WriteFile(StringBytes(VersionText) + NormalPlacement(60, 70, 1300, 750) + header + Int32Bytes(0) +
                  StoredBytes(std::vector<std::string>{"ttyNOPE0"}) + std::string(18, '\1'));
        EXPECT_TRUE(LoadSettingsFile(window, path));
        EXPECT_EQ(window.geometry(), QRect(60, 70, 1300, 750));
        EXPECT_EQ(window.logGrid.columnRatios(), defaultRatios);
        EXPECT_EQ(window.ports.GetCount(), 0);
        window.setGeometry(40, 50, 1200, 700);
    }
}

}  // namespace
}  // namespace baudrill::test
