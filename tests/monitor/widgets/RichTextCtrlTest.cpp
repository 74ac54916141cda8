#include "monitor/widgets/CellFont.h"
#include "monitor/widgets/RichTextCtrl.h"
#include "tests/support/gui/GuiTestEnvironment.h"

#include <gtest/gtest.h>

#include <QTextCursor>
#include <QTextDocument>

namespace baudrill {
namespace {

// Previews and code are written in cells: every character advances alike (whether the font
// calls itself fixed-pitch is not asked; some monospaced fonts do not).
TEST(RichTextCtrlTest, KeepsTheMarkupAndShowsItsInnerTextInCells)
{
    RichTextCtrl view;
    view.setQtf("[+70C 41 42 0D 0A]");
    EXPECT_EQ(view.qtf(), "[+70C 41 42 0D 0A]");
    EXPECT_EQ(view.toPlainText(), "41 42 0D 0A");
    EXPECT_TRUE(AdvancesAlike(view.document()->defaultFont(), CellCharacters()));
    EXPECT_TRUE(view.isReadOnly());

    view.setHtml("<p>text <tt>code</tt></p>");
    QTextCursor cursor(view.document());
    cursor.movePosition(QTextCursor::End);
    EXPECT_TRUE(AdvancesAlike(cursor.charFormat().font(), CellCharacters()));
}

TEST(RichTextCtrlTest, InnerText)
{
    struct Case {
        const char* qtf;
        const char* inner;
    };
    for (const Case& c : {Case{"[+70C 41 42]", "41 42"},
                          {"[+70C ]", ""},
                          {"[+70C a]b]", "a]b"},
                          {"plain text", "plain text"},
                          {"[nobrackettext]", "[nobrackettext]"},
                          {"", ""}})
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
