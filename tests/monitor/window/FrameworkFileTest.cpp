// Settings files in the framework's layout, loaded into the real main window and stored back.
// The offscreen platform has two screens (TwoScreens.json, given by ctest): the main one at
// 0,0 1920x1080 and a second one left of it at -1280,0 1280x1024.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "monitor/text/ProgramTexts.h"
#include "monitor/files/WholeFile.h"
#include "monitor/window/SettingsFile.h"
#include "monitor/window/MainWindow.h"
#include "tests/support/monitor/SettingsBytes.h"
#include "tests/support/gui/SettingsWindowSupport.h"
#include "tests/support/NamedCase.h"

namespace baudrill::test {
namespace {

struct FileCase : NamedCase {
    int version;
    Edges normal;
    Edges current;
    int flags;
    std::vector<double> ratios;
};

const FileCase fileCases[] = {
    {"NormalWindowVersion0", 0, {100, 80, 1300, 880}, {100, 80, 1300, 880}, 0x00, {4, 11, 11, 90}},
    {"NormalWindowVersion1", 1, {100, 80, 1300, 880}, {100, 80, 1300, 880}, 0x00, {37.5, 120.25, 200, 742}},
    // Maximised: the current rectangle is the screen's.
    {"MaximisedWindow", 1, {200, 150, 1400, 950}, {0, 0, 1920, 1080}, 0x40, {4, 11, 11, 90}},
    {"SecondMonitorLeftOfTheMain", 1, {-1200, 60, -100, 860}, {-1200, 60, -100, 860}, 0x00, {60, 140, 250, 700}},
    {"MaximisedOnTheSecondMonitor", 0, {-1200, 60, -100, 860}, {-1280, 0, 0, 1024}, 0x40, {4, 11, 11, 90}},
    {"MinimisedWindow", 1, {300, 200, 1500, 1000}, {300, 200, 1500, 1000}, 0x80, {4, 11, 11, 90}},
};

class FrameworkFile : public testing::TestWithParam<FileCase> {
protected:
    TemporaryDataHome dataHome;
    TempFolder folder;
    const std::string path = folder.File(SettingsFileName);
};

TEST_P(FrameworkFile, LoadsIntoTheProgramAndIsStoredBackInTheSameLayout)
{
    ASSERT_EQ(QGuiApplication::screens().size(), 2) << "run through ctest, which gives the screens";
    const FileCase& c = GetParam();
    test::PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    ASSERT_LT(pty.SlavePath().size(), 127u);

    const std::string version = StoredBytes(std::string(VersionText));
    const std::string placement = PlacementFixture(c.version, c.normal, c.current, c.flags);
    const std::string header = HeaderFixture(c.ratios);
    ASSERT_EQ(placement.size(), 34u);
    ASSERT_EQ(header.size(), 2u + 13u * 4u);
    // Tab 0, one port name, that port's items.
    const std::string ports = Int32Bytes(0) + Bytes({2, static_cast<int>(pty.SlavePath().size())}) + pty.SlavePath();
    ASSERT_TRUE(WriteFileReplacing(path, FramedFile(version + placement + header + ports + PortItems(57600))));

    // As the program runs: made, loaded, shown, stored.
    std::unique_ptr<MainWindow> window = ProgramWindow();
    ASSERT_TRUE(LoadSettingsFile(*window, path));
    window->storedVersion = VersionText;
    window->show();
    QApplication::processEvents();

    const QRect normal(c.normal.left, c.normal.top, c.normal.right - c.normal.left, c.normal.bottom - c.normal.top);
    EXPECT_EQ(window->normalGeometry(), normal);
    EXPECT_EQ(window->isMaximized(), (c.flags & 0x40) != 0);
    EXPECT_EQ(window->isMinimized(), (c.flags & 0x80) != 0);
    EXPECT_EQ(window->logGrid.columnRatios(), c.ratios);

    // The port is open at the stored rate.
    ASSERT_EQ(window->ports.GetCount(), 1);
    const SerPort& port = *window->ports.At(0);
    EXPECT_EQ(window->ports.GetKey(0), pty.SlavePath());
    EXPECT_EQ(port.state, SerPort::StateOpen);
    EXPECT_EQ(port.baud, 57600);
    EXPECT_EQ(LineSpeed(pty), 57600u);
    EXPECT_EQ(window->SelectedPort(), &port);

    ASSERT_TRUE(StoreSettingsFile(*window, path));
    std::string stored;
    ASSERT_TRUE(ReadWholeFile(path, stored));
    const std::string content = stored.substr(4);
    ASSERT_GT(content.size(), version.size() + 34 + header.size());
    EXPECT_EQ(content.substr(0, version.size()), version);
    // Version 0 comes back as version 1, the layout's own.
    EXPECT_EQ(content.substr(version.size(), 34), PlacementFixture(1, c.normal, c.current, c.flags));
    EXPECT_EQ(content.substr(version.size() + 34, header.size()), header);
    EXPECT_EQ(content.substr(version.size() + 34 + header.size(), ports.size()), ports);
}

INSTANTIATE_TEST_SUITE_P(Settings, FrameworkFile, testing::ValuesIn(fileCases), CaseName<FileCase>);

}  // namespace
}  // namespace baudrill::test
