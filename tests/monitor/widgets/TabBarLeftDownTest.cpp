#include "monitor/widgets/TabBarLeftDown.h"
#include "tests/support/gui/GuiTestEnvironment.h"

#include <gtest/gtest.h>

#include <QTest>

#include <string>
#include <vector>

namespace baudrill {
namespace {

class TabBarLeftDownTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"ttyUSB0", "ttyUSB1", ""})
            bar.addTab(QString::fromLatin1(name));
        test::showResized(bar, bar.sizeHint().width(), bar.sizeHint().height());
        QObject::connect(&bar, &QTabBar::currentChanged,
                         [this](int index) { events.push_back("changed " + std::to_string(index)); });
    }

    void press(int tab, Qt::MouseButton button)
    {
        QTest::mousePress(&bar, button, Qt::NoModifier, bar.tabRect(tab).center());
        QTest::mouseRelease(&bar, button, Qt::NoModifier, bar.tabRect(tab).center());
    }

    TabBarLeftDown bar;
    std::vector<std::string> events;
};

TEST_F(TabBarLeftDownTest, LeftDownIsToldAfterTheBarSelectedTheTab)
{
    bar.WhenLeftDown = [this] { events.push_back("left down at " + std::to_string(bar.currentIndex())); };
    press(2, Qt::LeftButton);
    EXPECT_EQ(events, (std::vector<std::string>{"changed 2", "left down at 2"}));

    // A press on the tab already selected changes nothing but is told all the same.
    events.clear();
    press(2, Qt::LeftButton);
    EXPECT_EQ(events, (std::vector<std::string>{"left down at 2"}));
}

TEST_F(TabBarLeftDownTest, OtherButtonsAndAnEmptyHandlerTellNothing)
{
    press(1, Qt::LeftButton);  // no handler set: only the bar's own work
    EXPECT_EQ(bar.currentIndex(), 1);
    int calls = 0;
    bar.WhenLeftDown = [&] { ++calls; };
    press(0, Qt::RightButton);
    EXPECT_EQ(calls, 0);
}

TEST_F(TabBarLeftDownTest, AssigningAHandlerReplacesTheOldOne)
{
    int first = 0;
    int second = 0;
    bar.WhenLeftDown = [&] { ++first; };
    bar.WhenLeftDown = [&] { ++second; };
    press(1, Qt::LeftButton);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
}

}  // namespace
}  // namespace baudrill
