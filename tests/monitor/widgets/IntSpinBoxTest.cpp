#include "monitor/widgets/IntSpinBox.h"
#include "tests/support/gui/GuiTestEnvironment.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSignalSpy>

namespace baudrill {
namespace {

// A spin box the user types into: the text is set as typing leaves it, then read as
// leaving the field does.
class TypedSpinBox : public IntSpinBox {
public:
    using IntSpinBox::lineEdit;
    using IntSpinBox::validate;

    void type(const QString& text)
    {
        lineEdit()->setText(text);
        interpretText();
    }
};

TEST(IntSpinBoxTest, StartsEmptyAndTakesEmpty)
{
    TypedSpinBox box;
    QSignalSpy changes(&box, &IntSpinBox::dataChanged);
    EXPECT_TRUE(box.isNull());
    EXPECT_EQ(box.data(), std::nullopt);
    EXPECT_EQ(box.text(), "");

    box.type("42");
    EXPECT_EQ(box.data(), 42);
    box.type("");
    EXPECT_EQ(box.data(), std::nullopt);
    EXPECT_EQ(box.text(), "");
    EXPECT_EQ(changes.count(), 2);

    // The value under an empty field is still 42: setting it must show it again.
    box.setData(42);
    EXPECT_EQ(box.text(), "42");
    EXPECT_EQ(changes.count(), 3);
    box.setData(std::nullopt);
    EXPECT_EQ(box.text(), "");
    box.setValue(42);
    EXPECT_EQ(box.data(), 42);
    EXPECT_EQ(box.text(), "42");
}

TEST(IntSpinBoxTest, NotNullRefusesEmptyAndOutOfRange)
{
    TypedSpinBox box;
    box.setRange(1, 1000000);
    box.setNotNull(true);
    EXPECT_FALSE(box.isNull());  // a box that may not be empty shows a number at once
    box.setValue(500);

    struct Case {
        const char* text;
        bool acceptable;
    };
    for (const Case& c : {Case{"", false}, {"0", false}, {"1000001", false}, {"1", true}, {"1000000", true}}) {
        QString text = QString::fromLatin1(c.text);
        int pos = 0;
        EXPECT_EQ(box.validate(text, pos) == QValidator::Acceptable, c.acceptable) << '"' << c.text << '"';
    }
    box.type("");
    EXPECT_EQ(box.data(), 500);
    EXPECT_EQ(box.text(), "500");
    box.type("0");
    EXPECT_EQ(box.data(), 500);
    box.setData(std::nullopt);  // refused too
    EXPECT_EQ(box.data(), 500);
}

TEST(IntSpinBoxTest, SteppingFromEmptyShowsANumber)
{
    TypedSpinBox box;
    box.setRange(0, 10);
    box.setData(5);
    box.setData(std::nullopt);
    box.stepBy(1);
    EXPECT_EQ(box.data(), 6);
    EXPECT_EQ(box.text(), "6");
    box.setData(std::nullopt);
    box.stepBy(-10);  // held at the minimum: the field still shows it
    EXPECT_EQ(box.data(), 0);
    EXPECT_EQ(box.text(), "0");
}

}  // namespace
}  // namespace baudrill
