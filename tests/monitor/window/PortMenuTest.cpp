// The port menu: the system's ports from a fake sysfs tree, the existing ports greyed, and the
// device-name entry as its last item.
#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <QWidgetAction>
#include <QWindow>

#include <memory>
#include <string>
#include <vector>

#include "monitor/window/MainWindow.h"
#include "tests/support/gui/GuiTestEnvironment.h"
#include "tests/support/gui/WindowTestSupport.h"

namespace baudrill::test {
namespace {

struct MenuItem {
    std::string text;
    bool enabled;
    bool operator==(const MenuItem&) const = default;
};

std::ostream& operator<<(std::ostream& out, const MenuItem& item)
{
    return out << item.text << (item.enabled ? "" : " (greyed)");
}

// The named items above the separator.
std::vector<MenuItem> PortItems(const QMenu& menu)
{
    std::vector<MenuItem> items;
    for (QAction* action : menu.actions()) {
        if (action->isSeparator())
            break;
        items.push_back({action->text().toStdString(), action->isEnabled()});
    }
    return items;
}

QAction* ItemNamed(const QMenu& menu, const std::string& text)
{
    for (QAction* action : menu.actions())
        if (action->text().toStdString() == text)
            return action;
    return nullptr;
}

class PortMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(sysfs.Path().empty());
        // Serial ports have a device link; a ttyS placeholder whose type reads 0 is no port;
        // a virtual console has no device. No name is a device of this machine, so choosing
        // one opens nothing.
        for (const char* port : {"ttyBDRUSB0", "ttyBDRACM1", "ttySBDR1", "ttySBDR0", "ttyBDRUSB10"})
            sysfs.Make(std::string("class/tty/") + port + "/device");
        sysfs.Make("class/tty/ttySBDR0/type", "0\n");
        sysfs.Make("class/tty/ttySBDR1/type", "4\n");
        sysfs.Make("class/tty/tty1");
        window = std::make_unique<MainWindow>();
        window->sysfsRoot = sysfs.Path();
    }

    TempFolder sysfs;
    std::unique_ptr<MainWindow> window;
};

TEST_F(PortMenu, ListsTheSystemPortsSortedByteWiseThenTheEntry)
{
    window->PortMenu(window->portMenu);
    EXPECT_EQ(
        PortItems(window->portMenu),
        (std::vector<MenuItem>{{"ttyBDRACM1", true}, {"ttyBDRUSB0", true}, {"ttyBDRUSB10", true}, {"ttySBDR1", true}}));
    const QList<QAction*> actions = window->portMenu.actions();
    ASSERT_EQ(actions.size(), 6);
    EXPECT_TRUE(actions[4]->isSeparator());
    auto* entry = qobject_cast<QWidgetAction*>(actions[5]);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(window->deviceEntry.text(), "/dev/");
    EXPECT_EQ(window->deviceEntry.parentWidget(), &window->portMenu);
}

TEST_F(PortMenu, GreysExistingPortsAlsoWhenTheSystemNoLongerListsThem)
{
    window->AddPort("ttyBDRUSB0");
    window->AddPort("Zgone");  // upper case sorts before lower case
    window->AddPort("ttyBDRT7");
    window->PortMenu(window->portMenu);
    EXPECT_EQ(PortItems(window->portMenu), (std::vector<MenuItem>{{"Zgone", false},
                                                                  {"ttyBDRACM1", true},
                                                                  {"ttyBDRT7", false},
                                                                  {"ttyBDRUSB0", false},
                                                                  {"ttyBDRUSB10", true},
                                                                  {"ttySBDR1", true}}));
}

TEST_F(PortMenu, ChoosingAPortAddsItsTab)
{
    window->PortMenu(window->portMenu);
    QAction* item = ItemNamed(window->portMenu, "ttyBDRACM1");
    ASSERT_NE(item, nullptr);
    item->trigger();
    ASSERT_EQ(window->ports.GetCount(), 1);
    EXPECT_EQ(window->ports.At(0)->deviceName, "/dev/ttyBDRACM1");
    EXPECT_EQ(TabValues(window->mainTabs), (std::vector<std::string>{"ttyBDRACM1", ""}));

    // Built anew, the menu greys the port now.
    window->PortMenu(window->portMenu);
    item = ItemNamed(window->portMenu, "ttyBDRACM1");
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(item->isEnabled());
    EXPECT_EQ(window->portMenu.actions().size(), 6);
}

TEST_F(PortMenu, WithoutASysfsTreeOffersTheExistingPortsAndTheEntry)
{
    window->sysfsRoot = sysfs.Path() + "/missing";
    window->AddPort("ttyBDRUSB3");
    window->PortMenu(window->portMenu);
    EXPECT_EQ(PortItems(window->portMenu), (std::vector<MenuItem>{{"ttyBDRUSB3", false}}));
    EXPECT_EQ(window->portMenu.actions().size(), 3);
}

TEST_F(PortMenu, EnterAddsATypedNameAndClosesTheMenu)
{
    window->PortMenu(window->portMenu);
    window->portMenu.popup(QPoint(0, 0));
    ASSERT_TRUE(window->portMenu.isVisible());
    window->deviceEntry.setText("/dev/pts/baudrill-none");
    QTest::keyClick(&window->deviceEntry, Qt::Key_Return);
    ASSERT_EQ(window->ports.GetCount(), 1);
    EXPECT_EQ(window->ports.GetKey(0), "/dev/pts/baudrill-none");
    EXPECT_EQ(window->ports.At(0)->deviceName, "/dev/pts/baudrill-none");
    EXPECT_FALSE(window->portMenu.isVisible());
}

TEST_F(PortMenu, ATypedNameThatIsAlreadyAPortDoesNothing)
{
    window->AddPort("ttyBDRUSB0");
    window->mainTabs.setCurrentIndex(1);
    window->PortMenu(window->portMenu);
    window->portMenu.popup(QPoint(0, 0));
    window->deviceEntry.setText("ttyBDRUSB0");
    QTest::keyClick(&window->deviceEntry, Qt::Key_Return);
    EXPECT_EQ(window->ports.GetCount(), 1);
    EXPECT_EQ(window->mainTabs.count(), 2);
    EXPECT_TRUE(window->portMenu.isVisible());

    // Names are compared as text: the same device by its path is another port.
    window->deviceEntry.setText("/dev/ttyBDRUSB0");
    QTest::keyClick(&window->deviceEntry, Qt::Key_Return);
    EXPECT_EQ(window->ports.GetCount(), 2);
    EXPECT_EQ(window->ports.At(1)->deviceName, "/dev/ttyBDRUSB0");
    EXPECT_FALSE(window->portMenu.isVisible());
}

// Opened by a press on the "+" tab, the menu has the keyboard, not its entry: typed letters
// do not land in the entry; the arrow keys reach it as an item, and only then does typing go in.
TEST_F(PortMenu, TheEntryHasTheKeyboardOnlyAsTheMenusCurrentItem)
{
    showResized(*window, 700, 476);
    window->activateWindow();
    const QPoint plus = window->mainTabs.tabRect(0).center();
    QTest::mousePress(&window->mainTabs, Qt::LeftButton, {}, plus);
    ASSERT_TRUE(window->portMenu.isVisible());
    QWindow* menu = window->portMenu.windowHandle();
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(window->deviceEntry.hasFocus());
    EXPECT_EQ(window->portMenu.activeAction(), nullptr);
    QTest::keyClick(menu, Qt::Key_X);
    EXPECT_EQ(window->deviceEntry.text().toStdString(), "/dev/");

    QTest::keyClick(menu, Qt::Key_Down);
    EXPECT_EQ(window->portMenu.activeAction(), ItemNamed(window->portMenu, "ttyBDRACM1"));
    EXPECT_FALSE(window->deviceEntry.hasFocus());
    QTest::keyClick(menu, Qt::Key_Up);  // from the first item round to the last: the entry
    EXPECT_TRUE(window->deviceEntry.hasFocus());
    window->deviceEntry.selectAll();
    QTest::keyClicks(&window->deviceEntry, "ttyZ");
    EXPECT_EQ(window->deviceEntry.text().toStdString(), "ttyZ");
    QTest::keyClick(menu, Qt::Key_Escape);
    EXPECT_FALSE(window->portMenu.isVisible());
    EXPECT_EQ(window->ports.GetCount(), 0);
    QTest::mouseRelease(&window->mainTabs, Qt::LeftButton, {}, plus);
}

}  // namespace
}  // namespace baudrill::test
