// The help text's markup as HTML.
#include <gtest/gtest.h>

#include "ProtoTestSupport.h"

#include "monitor/protocols/QtfToHtml.h"

namespace baudrill {
namespace {

struct QtfCase {
    const char* what;
    const char* qtf;
    const char* html;
};

const QtfCase qtfCases[] = {
    {"nothing", "", ""},
    {"plain text, escaped", "a < b & \"c\"", "<p>a &lt; b </p><p> &quot;c&quot;</p>"},
    {"paragraphs", "one&two", "<p>one</p><p>two</p>"},
    {"line breaks are blanks", "one\ntwo", "<p>one two</p>"},
    {"bold, italic, underline, fixed", "[* b] [/ i] [_ u] [C c]",
     "<p><b>b</b> <i>i</i> <u>u</u> <tt>c</tt></p>"},
    {"codes combine and close in reverse", "[*/ x]", "<p><b><i>x</i></b></p>"},
    {"nested brackets", "[* a [/ b] c]", "<p><b>a <i>b</i> c</b></p>"},
    {"sizes, colours and paragraph codes are passed over", "[s0;=+117@4 x]", "<p>x</p>"},
    {"a heading", "[^ Title]", "<p><span style=\"font-size:large\">Title</span></p>"},
    {"escapes", "`[x`] `& ``", "<p>[x] &amp; `</p>"},
    {"an escaped HTML byte", "`<", "<p>&lt;</p>"},
    {"empty span", "[*]x", "<p><b></b>x</p>"},
    {"a span across a paragraph end", "[* a&b]", "<p><b>a</b></p><p><b>b</b></p>"},
    {"an open bracket is closed at the end", "[* a", "<p><b>a</b></p>"},
    {"a stray closing bracket stays", "a]", "<p>a]</p>"},
    {"a backtick at the end stays", "a`", "<p>a`</p>"},
};

class QtfConversion : public ::testing::TestWithParam<QtfCase> {};

TEST_P(QtfConversion, GivesTheHtml)
{
    EXPECT_EQ(QtfToHtml(GetParam().qtf), GetParam().html) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Cases, QtfConversion, ::testing::ValuesIn(qtfCases),
                         test::CaseName<QtfCase>);

}  // namespace
}  // namespace baudrill
