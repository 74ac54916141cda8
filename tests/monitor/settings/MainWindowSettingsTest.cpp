#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "monitor/ProgramTexts.h"
#include "monitor/settings/SettingsFile.h"
#include "monitor/WholeFile.h"
#include "monitor/window/MainWindow.h"
#include "platform/FakeCommDevice.h"
#include "platform/SystemClock.h"
#include "tests/monitor/settings/SettingsBytes.h"
#include "tests/support/TempFolder.h"

namespace baudrill::test {
namespace {

namespace fs = std::filesystem;

std::string StringBytes(const std::string& s) { return StoredBytes(s); }

std::string PlacementBytes(int x, int y, int w, int h, int state)
{
    return Int32Bytes(x) + Int32Bytes(y) + Int32Bytes(w) + Int32Bytes(h) + Int32Bytes(state);
}

class MainWindowSettings : public testing::Test {
protected:
    // A port put straight into the window's map, on a fake device.
    SerPort& AddFakePort(const std::string& name)
    {
        auto serial = std::make_unique<SerialPort>(
            std::make_unique<platform::FakeCommDevice>(platform::SystemClock::Instance()));
        return window.ports.Add(name, std::make_unique<SerPort>(std::move(serial), "/dev/" + name, &window,
                                                                &window.logGrid, &window.settingsGroup,
                                                                &window.sendGroup, &window.protoSendGroup,
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
        return StringBytes(VersionText) + PlacementBytes(g.x(), g.y(), g.width(), g.height(), 0) +
               StoredBytes(window.logGrid.columnWidths()) + Int32Bytes(tab);
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
    EXPECT_EQ(file.substr(4, 1 + 15 + 20), StringBytes("Baudrill v1.1.8") + PlacementBytes(40, 50, 1200, 700, 0));
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
    WriteFile(StringBytes("Baudrill v1.1.7") + PlacementBytes(10, 10, 300, 200, 1) + Bytes({1}) + Int32Bytes(0) +
              Bytes({2, 4}) + "COM1");
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
    std::string foreign = FramedFile(StringBytes(VersionText) + PlacementBytes(10, 10, 300, 200, 0));
    foreign[0] = 'D';
    ASSERT_TRUE(WriteFileReplacing(path, foreign));
    EXPECT_FALSE(LoadSettingsFile(window, path));
    EXPECT_EQ(window.geometry(), QRect(40, 50, 1200, 700));
}

TEST_F(MainWindowSettings, PlacementAndColumnWidthsAreLoaded)
{
    window.logGrid.addColumn("a", 1);
    window.logGrid.addColumn("b", 1);
    window.setGeometry(40, 50, 1200, 700);
    std::vector<int> widths(static_cast<std::size_t>(window.logGrid.columnCount()), 40);
    widths.back() = 120;
    WriteFile(StringBytes(VersionText) + PlacementBytes(30, 40, 1100, 650, 1) + StoredBytes(widths) +
              Int32Bytes(-1) + Bytes({1}));
    EXPECT_TRUE(LoadSettingsFile(window, path));
    EXPECT_EQ(window.geometry(), QRect(30, 40, 1100, 650));
    EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
    const std::vector<int> loaded = window.logGrid.columnWidths();
    EXPECT_NEAR(loaded.back(), 3 * loaded.front(), 3);

    // Widths of another column set are left alone; so is a placement of no size.
    std::vector<int> other(widths.size() + 1, 10);
    WriteFile(StringBytes(VersionText) + PlacementBytes(0, 0, 0, 0, 0) + StoredBytes(other) + Int32Bytes(-1) +
              Bytes({1}));
    EXPECT_TRUE(LoadSettingsFile(window, path));
    EXPECT_EQ(window.logGrid.columnWidths(), loaded);
    EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
}

TEST_F(MainWindowSettings, PlacementOutsideEveryScreenIsMovedOntoOne)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    WriteFile(StringBytes(VersionText) + PlacementBytes(screen.x() - 5000, screen.y() - 5000, 1100, 650, 0) +
              Bytes({1}) + Int32Bytes(-1) + Bytes({1}));
    EXPECT_TRUE(LoadSettingsFile(window, path));
    // Made no larger than the screen, then no smaller than the window's minimum size.
    EXPECT_EQ(window.geometry().topLeft(), screen.topLeft());
    EXPECT_EQ(window.width(), std::max(std::min(1100, screen.width()), window.minimumWidth()));
}

TEST_F(MainWindowSettings, DamageAfterTheVersionKeepsWhatWasRead)
{
    window.setGeometry(40, 50, 1200, 700);
    // The header's count runs past the end: the placement stays, nothing after it is read.
    WriteFile(StringBytes(VersionText) + PlacementBytes(60, 70, 1300, 750, 0) + Bytes({0x30, 0x01}));
    EXPECT_TRUE(LoadSettingsFile(window, path));
    EXPECT_EQ(window.geometry(), QRect(60, 70, 1300, 750));
    EXPECT_EQ(window.ports.GetCount(), 0);
}

}  // namespace
}  // namespace baudrill::test
