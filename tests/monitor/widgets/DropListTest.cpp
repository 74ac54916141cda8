#include "monitor/widgets/DropList.h"
#include "tests/support/gui/GuiTestEnvironment.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QToolButton>

namespace baudrill {
namespace {

QImage blackSquare()
{
    QImage image(8, 8, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter(&image).fillRect(2, 2, 4, 4, Qt::black);
    return image;
}

TEST(DropListTest, InsertedButtonsStandAtTheRightEndInIndexOrder)
{
    DropList list;
    const int plainWidth = list.sizeHint().width();
    QToolButton* add = list.insertButton(0, blackSquare());
    QToolButton* del = list.insertButton(0, blackSquare());  // inserted before "add"
    test::showResized(list, 200, 24);

    ASSERT_EQ(list.buttonCount(), 2);
    EXPECT_EQ(list.button(0), del);
    EXPECT_EQ(list.button(1), add);
    EXPECT_EQ(add->geometry(), QRect(176, 0, 24, 24));
    EXPECT_EQ(del->geometry(), QRect(152, 0, 24, 24));
    EXPECT_GT(list.sizeHint().width(), plainWidth);
    EXPECT_EQ(list.button(2), nullptr);
}

TEST(DropListTest, MonochromeButtonImagesTakeTheTextColour)
{
    DropList list;
    QPalette palette = list.palette();
    palette.setColor(QPalette::ButtonText, QColor(10, 200, 30));
    const QImage icon = monochromeIcon(blackSquare(), palette).pixmap(8, 8).toImage();
    EXPECT_EQ(icon.pixelColor(3, 3), QColor(10, 200, 30));
    EXPECT_EQ(icon.pixelColor(0, 0).alpha(), 0);
}

TEST(DropListTest, ShownTextStandsForAValueThatIsNoEntry)
{
    DropList list;
    list.addItem("modbus", 1);
    list.addItem("nmea", 2);
    list.setCurrentIndex(1);
    EXPECT_EQ(list.shownText(), "nmea");

    list.setShownText("deleted protocol");
    EXPECT_EQ(list.currentIndex(), -1);
    EXPECT_EQ(list.shownText(), "deleted protocol");

    list.setCurrentIndex(0);  // choosing an entry forgets the shown text
    EXPECT_EQ(list.shownText(), "modbus");
    list.setShownText("again");
    list.clear();
    list.addItem("fresh", 3);
    list.setCurrentIndex(-1);
    EXPECT_EQ(list.shownText(), "");
}

}  // namespace
}  // namespace baudrill
