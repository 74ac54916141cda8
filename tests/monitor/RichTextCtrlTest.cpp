#include "monitor/RichTextCtrl.h"
#include "tests/monitor/GuiTestEnvironment.h"

#include <gtest/gtest.h>

#include <QFontInfo>

namespace baudrill {
namespace {

TEST(RichTextCtrlTest, KeepsTheMarkupAndShowsItsInnerTextInFixedPitch)
{
    RichTextCtrl view;
    view.setQtf("[+70C 41 42 0D 0A]");
    EXPECT_EQ(view.qtf(), "[+70C 41 42 0D 0A]");
    EXPECT_EQ(view.toPlainText(), "41 42 0D 0A");
    EXPECT_TRUE(QFontInfo(view.document()->defaultFont()).fixedPitch());
    EXPECT_TRUE(view.isReadOnly());
}

TEST(RichTextCtrlTest, InnerText)
{
    struct Case {
        const char* qtf;
        const char* inner;
    };
    for (const Case& c : {Case{"[+70C 41 42]", "41 42"}, {"[+70C ]", ""}, {"[+70C a]b]", "a]b"},
                          {"plain text", "plain text"}, {"[nobrackettext]", "[nobrackettext]"}, {"", ""}})
        EXPECT_EQ(RichTextCtrl::qtfInnerText(c.qtf), QString::fromLatin1(c.inner)) << c.qtf;
}

TEST(RichTextCtrlTest, MarginOutlivesNewContent)
{
    RichTextCtrl view;
    view.setMargin(10);
    view.setQtf("[+70C 41]");
    EXPECT_EQ(view.margin(), 10);
    view.setHtml("<p>help</p>");
    EXPECT_EQ(view.margin(), 10);
}

}  // namespace
}  // namespace baudrill
