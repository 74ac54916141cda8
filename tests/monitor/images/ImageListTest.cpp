#include "monitor/images/IMG.h"
#include "monitor/images/ImageList.h"
#include "tests/support/gui/GuiTestEnvironment.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

namespace baudrill {
namespace {

TEST(ImageListTest, HoldsItsEighteenImagesInOrderAndSize)
{
    ImageList* list = IMG::list();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->objectName(), "IMG");
    EXPECT_EQ(list->parent(), QCoreApplication::instance());
    EXPECT_EQ(IMG::list(), list);

    struct Expected {
        const char* name;
        QSize size;
    };
    const Expected expected[] = {
        {"world", {16, 16}},    {"attach", {16, 16}},   {"graph", {14, 14}},   {"main_32", {32, 32}},
        {"main_32a", {32, 32}}, {"main_16a", {16, 16}}, {"main_16", {16, 16}}, {"time", {16, 16}},
        {"onoff", {14, 16}},    {"error", {16, 16}},    {"off", {16, 16}},     {"on", {16, 16}},
        {"plus", {16, 16}},     {"receive", {16, 16}},  {"send", {16, 16}},    {"del", {16, 16}},
        {"add", {16, 16}},      {"table", {13, 13}},
    };
    ASSERT_EQ(list->count(), 18);
    for (int i = 0; i < 18; ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(list->name(i), QLatin1String(expected[i].name));
        EXPECT_EQ(list->find(QLatin1String(expected[i].name)), i);
        const QImage image = list->image(i);
        EXPECT_EQ(image.size(), expected[i].size);
        // A picture with alpha: something drawn, something left clear.
        EXPECT_TRUE(image.hasAlphaChannel());
        int opaque = 0;
        int clear = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                (image.pixelColor(x, y).alpha() > 128 ? opaque : clear) += 1;
        EXPECT_GT(opaque, 0);
        EXPECT_GT(clear, 0);
    }
    EXPECT_EQ(list->find("nothing"), -1);
    EXPECT_TRUE(list->image("nothing").isNull());
    EXPECT_TRUE(list->image(18).isNull());
}

TEST(ImageListTest, AccessorsGiveTheListsImageOfTheirName)
{
    const ImageList* list = IMG::list();
    ASSERT_NE(list, nullptr);
    struct Accessor {
        const char* name;
        QImage (*image)();
    };
    const Accessor accessors[] = {
        {"attach", IMG::attach}, {"graph", IMG::graph},     {"main_32", IMG::main_32}, {"main_16a", IMG::main_16a},
        {"onoff", IMG::onoff},   {"error", IMG::error},     {"on", IMG::on},           {"off", IMG::off},
        {"plus", IMG::plus},     {"receive", IMG::receive}, {"send", IMG::send},       {"del", IMG::del},
        {"add", IMG::add},       {"table", IMG::table},
    };
    for (const Accessor& a : accessors) {
        const QImage image = a.image();
        // The same picture, drawn once and shared.
        EXPECT_EQ(image.cacheKey(), list->image(QLatin1String(a.name)).cacheKey()) << a.name;
        EXPECT_FALSE(image.isNull()) << a.name;
    }
}

// Where an arrow's picture lies: its colour and the column where its head is widest.
struct ArrowShape {
    int opaque = 0;
    int mostlyGreen = 0;
    int mostlyBlue = 0;
    int widestColumn = -1;
    int tipColumn = -1;  // the column furthest from the widest one that still holds the arrow
};

ArrowShape shapeOf(const QImage& image, bool tipRight)
{
    ArrowShape shape;
    int widest = 0;
    for (int x = 0; x < image.width(); ++x) {
        int column = 0;
        for (int y = 0; y < image.height(); ++y) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() <= 128)
                continue;
            ++column;
            ++shape.opaque;
            shape.mostlyGreen += c.green() > c.red() + 60 && c.green() > c.blue() + 60;
            shape.mostlyBlue += c.blue() > c.red() + 60 && c.blue() > c.green() + 60;
        }
        if (column > widest) {
            widest = column;
            shape.widestColumn = x;
        }
        if (column > 0 && (tipRight || shape.tipColumn < 0))
            shape.tipColumn = x;
    }
    return shape;
}

// "receive" is a green arrow pointing right, "send" a blue one pointing left.
TEST(ImageListTest, DirectionArrowsPointTheirWayInTheirColour)
{
    struct Arrow {
        const char* name;
        bool green;
        bool pointsRight;
    };
    for (const Arrow& arrow : {Arrow{"receive", true, true}, Arrow{"send", false, false}}) {
        SCOPED_TRACE(arrow.name);
        const QImage image = IMG::list()->image(QLatin1String(arrow.name));
        const ArrowShape shape = shapeOf(image, arrow.pointsRight);
        EXPECT_GT(arrow.green ? shape.mostlyGreen : shape.mostlyBlue, shape.opaque * 9 / 10);
        EXPECT_EQ(arrow.green ? shape.mostlyBlue : shape.mostlyGreen, 0);
        // The head's wide base lies past the middle, the narrow tip at the far edge.
        const int half = image.width() / 2;
        EXPECT_TRUE(arrow.pointsRight ? shape.widestColumn >= half : shape.widestColumn < half);
        EXPECT_TRUE(arrow.pointsRight ? shape.tipColumn >= image.width() - 2 : shape.tipColumn <= 1);
        int tipRows = 0;
        for (int y = 0; y < image.height(); ++y)
            tipRows += image.pixelColor(shape.tipColumn, y).alpha() > 128;
        EXPECT_LE(tipRows, 3);
    }
}

}  // namespace
}  // namespace baudrill
