// The help text's markup as HTML.
#include <gtest/gtest.h>

#include <ostream>

#include "tests/support/monitor/ProtoTestSupport.h"

#include "monitor/protocols/QtfToHtml.h"
#include "tests/support/NamedCase.h"

namespace baudrill {
namespace {

struct QtfCase : test::NamedCase {
    const char* qtf;
    const char* html;
};

const QtfCase qtfCases[] = {
    {"nothing", "", ""},
    {"plain text, escaped", "a < b & \"c\"", "<p>a &lt; b </p><p> &quot;c&quot;</p>"},
    {"paragraphs", "one&two", "<p>one</p><p>two</p>"},
    {"line breaks are blanks", "one\ntwo", "<p>one two</p>"},
    {"bold, italic, underline, fixed", "[* b] [/ i] [_ u] [C c]", "<p><b>b</b> <i>i</i> <u>u</u> <tt>c</tt></p>"},
    {"codes combine and close in reverse", "[*/ x]", "<p><b><i>x</i></b></p>"},
    {"nested brackets", "[* a [/ b] c]", "<p><b>a <i>b</i> c</b></p>"},
    {"sizes, colours and paragraph codes are passed over", "[s0;=+117@4 x]", "<p>x</p>"},
    {"a heading", "[^ Title]", "<p><span style=\"font-size:large\">Title</span></p>"},
    {"escapes", "`[x`] `& ``", "<p>[x] &amp; `</p>"},
    {"an escaped HTML byte", "`<", "<p>&lt;</p>"},
    {"empty span", "[*]x", "<p><b></b>x</p>"},
    {"a span across a paragraph end", "[* a&b]", "<p><b>a</b></p><p><b>b</b></p>"},
    // The next paragraph opens each format of the open spans once, outermost first.
    {"a format set twice goes on once", "[* a [/* b&c] d&e]",
     "<p><b>a <i><b>b</b></i></b></p><p><b><i>c</i> d</b></p><p><b>e</b></p>"},
    {"an open bracket is closed at the end", "[* a", "<p><b>a</b></p>"},
    {"a stray closing bracket stays", "a]", "<p>a]</p>"},
    {"a backtick at the end stays", "a`", "<p>a`</p>"},
};

class QtfConversion : public ::testing::TestWithParam<QtfCase> {};

TEST_P(QtfConversion, GivesTheHtml) { EXPECT_EQ(QtfToHtml(GetParam().qtf), GetParam().html); }

INSTANTIATE_TEST_SUITE_P(Cases, QtfConversion, ::testing::ValuesIn(qtfCases), test::CaseName<QtfCase>);

std::string Repeated(std::string_view piece, std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += piece;
    return text;
}

struct GrowthCase : test::NamedCase {
    std::string qtf;
};

// Texts whose HTML once grew with the square of their length (16 KB of the first gave 470 MB).
// A byte of markup gives at most the end and start tags of every format and of a paragraph.
class QtfGrowth : public ::testing::TestWithParam<GrowthCase> {};

TEST_P(QtfGrowth, GivesHtmlLinearInTheText)
{
    const std::string& qtf = GetParam().qtf;
    EXPECT_LE(QtfToHtml(qtf).size(), 80 * qtf.size());
}

const GrowthCase growthCases[] = {
    {"spans open across many paragraphs", Repeated("[*", 8000) + Repeated("&", 8000)},
    {"every format open across many paragraphs", Repeated("[*/_C^ ", 2000) + Repeated("x&", 4000)},
    {"brackets without codes", Repeated("[ ", 100000)},
    {"one long run of codes", "[" + Repeated("*", 100000) + " x]"},
};

INSTANTIATE_TEST_SUITE_P(Reproducers, QtfGrowth, ::testing::ValuesIn(growthCases), test::CaseName<GrowthCase>);

}  // namespace
}  // namespace baudrill
