// The XML reader and writer, and the protocol-file format over them.
#include <gtest/gtest.h>

#include "tests/support/monitor/ProtoTestSupport.h"

#include <ostream>
#include <string>

#include "monitor/protocols/ProtoFileFormat.h"
#include "monitor/protocols/XmlReader.h"
#include "monitor/protocols/XmlWriter.h"
#include "tests/support/NamedCase.h"

namespace baudrill {
namespace {

struct FormCase : test::NamedCase {
    const char* text;
    bool wellFormed;
};

const FormCase formCases[] = {
    {"empty element", "<a/>", true},
    {"declaration, comment, doctype and instruction around the root",
     "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- c --><!DOCTYPE a [<!ENTITY x \"y\">]>\n<a><?pi x?></a>\n<!-- end -->",
     true},
    {"text, CDATA and comments inside", "<a>text<![CDATA[<b>]]><!-- <c> --><b x='1'/>more</a>", true},
    {"text after markup inside", "<a><!-- c -->text<?p?>more<b/></a>", true},
    {"single-quoted attribute", "<a x='v\"w'/>", true},
    {"blanks around =", "<a x = \"1\" />", true},
    {"no element", "<?xml version=\"1.0\"?>", false},
    {"empty text", "", false},
    {"unclosed root", "<a><b/>", false},
    {"closed by another name", "<a><b></a></b>", false},
    {"attribute without quotes", "<a x=1/>", false},
    {"attribute without value", "<a x/>", false},
    {"attributes not separated", "<a x=\"1\"y=\"2\"/>", false},
    {"unterminated value", "<a x=\"1/>", false},
    {"second root", "<a/><b/>", false},
    {"text after the root", "<a/>junk", false},
    {"unterminated comment", "<a><!-- </a>", false},
    {"close tag first", "</a>", false},
};

class XmlForm : public ::testing::TestWithParam<FormCase> {};

TEST_P(XmlForm, IsReadOnlyWhenWellFormed) { EXPECT_EQ(ReadXml(GetParam().text).has_value(), GetParam().wellFormed); }

INSTANTIATE_TEST_SUITE_P(Cases, XmlForm, ::testing::ValuesIn(formCases), test::CaseName<FormCase>);

TEST(XmlReaderTest, KeepsTheTreeAndAttributeOrder)
{
    const auto root = ReadXml("<r><a x=\"1\" y=\"2\"><b/></a>text<c/></r>");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->tag, "r");
    ASSERT_EQ(root->children.size(), 2u);
    const XmlElement& a = root->children[0];
    EXPECT_EQ(a.tag, "a");
    ASSERT_EQ(a.attributes.size(), 2u);
    EXPECT_EQ(a.attributes[0].first, "x");
    EXPECT_EQ(a.Attribute("y"), "2");
    EXPECT_EQ(a.Attribute("missing"), "");
    ASSERT_EQ(a.children.size(), 1u);
    EXPECT_EQ(a.children[0].tag, "b");
    EXPECT_EQ(root->children[1].tag, "c");
}

TEST(XmlReaderTest, DecodesEntitiesAndCharacterReferences)
{
    const auto root = ReadXml(
        "<a v=\"&amp;&lt;&gt;&quot;&apos;&#65;&#x42;&#X43;&#x20AC;&#128512;\" "
        "odd=\"&unknown; &#xD800; &#; & x &#x110000;\" lines=\"a\r\nb&#13;&#10;c\"/>");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->Attribute("v"), "&<>\"'ABC\xE2\x82\xAC\xF0\x9F\x98\x80");
    // What is no entity we know stays as written.
    EXPECT_EQ(root->Attribute("odd"), "&unknown; &#xD800; &#; & x &#x110000;");
    // A literal CR LF is one line end; written as references both bytes stay.
    EXPECT_EQ(root->Attribute("lines"), "a\nb\r\nc");
}

TEST(XmlReaderTest, AReferenceEndsWithinTwelveBytes)
{
    const auto root = ReadXml("<a in=\"&#0000000065;\" out=\"&#00000000065;\" far=\"&amp xxxxxxxxxxxx;\"/>");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->Attribute("in"), "A");
    EXPECT_EQ(root->Attribute("out"), "&#00000000065;");
    EXPECT_EQ(root->Attribute("far"), "&amp xxxxxxxxxxxx;");
    // Every '&' looks only that far for its ';' (1 MB of them once took 5 s).
    const std::string ampersands(1 << 20, '&');
    const auto many = ReadXml("<a v=\"" + ampersands + ";\"/>");
    ASSERT_TRUE(many);
    EXPECT_EQ(many->Attribute("v"), ampersands + ";");
}

std::string Nested(std::size_t depth)
{
    std::string text;
    for (std::size_t i = 0; i < depth; ++i)
        text += "<a>";
    for (std::size_t i = 0; i < depth; ++i)
        text += "</a>";
    return text;
}

TEST(XmlReaderTest, RefusesNestingBeyondItsBound)
{
    EXPECT_TRUE(ReadXml(Nested(MaxXmlDepth)));
    EXPECT_FALSE(ReadXml(Nested(MaxXmlDepth + 1)));
    EXPECT_FALSE(ReadXml(Nested(200000)));
}

TEST(XmlWriterTest, EscapesSoThatEveryByteReadsBack)
{
    std::string value;
    for (int c = 1; c < 128; ++c)
        value += static_cast<char>(c);
    value += "\xC3\xA4\xE2\x82\xAC";  // UTF-8 stays as it is
    EXPECT_EQ(EscapeXmlAttribute("a&b<c>d\"e'\n\t\r"), "a&amp;b&lt;c&gt;d&quot;e'&#10;&#9;&#13;");

    XmlElement root;
    root.tag = "r";
    XmlElement child;
    child.tag = "c";
    child.AddAttribute("v", value);
    child.AddAttribute("crlf", "x\r\ny");
    root.children.push_back(child);
    const std::string text = WriteXml(root);
    EXPECT_EQ(text.find('\r'), std::string::npos);

    const auto back = ReadXml(text);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->children.size(), 1u);
    EXPECT_EQ(back->children[0].Attribute("v"), value);
    EXPECT_EQ(back->children[0].Attribute("crlf"), "x\r\ny");
}

TEST(ProtoFileFormatTest, ReadsLenientlyAndWritesTheBaudrillRoot)
{
    const char* text =
        "<OTHER>\n"
        "  <article name=\"n1\" desc=\"byte&#10;word\" comment=\"c\" uid=\"{0123456789abcdef-0123456789ABCDEF}\"/>\n"
        "  <notes name=\"ignored\"/>\n"
        "  <article/>\n"
        "  <article name=\"n3\" uid=\"0123-4567\"/>\n"
        "</OTHER>\n";
    const auto records = ReadProtoText(text);
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), 3u);
    EXPECT_EQ((*records)[0].name, "n1");
    EXPECT_EQ((*records)[0].desc, "byte\nword");
    EXPECT_EQ((*records)[0].comment, "c");
    EXPECT_EQ((*records)[0].uid.ToString(), "01234567-89AB-CDEF-0123-456789ABCDEF");
    // Missing attributes read as empty texts and a missing uid as the null one.
    EXPECT_EQ((*records)[1], ArticleRecord{});
    // Fewer than 32 hexadecimal digits: the null uid.
    EXPECT_TRUE((*records)[2].uid.IsNull());

    const std::string written = ProtoText(*records);
    EXPECT_NE(written.find("<BAUDRILL>"), std::string::npos);
    EXPECT_EQ(written.find("OTHER"), std::string::npos);
    // Attributes in the order name, desc, comment, uid.
    EXPECT_NE(written.find("<article name=\"n1\" desc=\"byte&#10;word\" comment=\"c\" "
                           "uid=\"01234567-89AB-CDEF-0123-456789ABCDEF\"/>"),
              std::string::npos);
    EXPECT_EQ(ReadProtoText(written), records);
}

TEST(ProtoFileFormatTest, NoRecordsForABrokenFileAndNoneForAnEmptyRoot)
{
    EXPECT_FALSE(ReadProtoText("<BAUDRILL><article name=\"x\"></BAUDRILL>"));
    const auto empty = ReadProtoText(ProtoText({}));
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->empty());
}

}  // namespace
}  // namespace baudrill
