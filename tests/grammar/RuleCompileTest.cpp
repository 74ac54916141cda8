// Compiling rule texts: how far each text compiles and what it builds.

#include "grammar/GrammarRegistry.h"
#include "grammar/compiler/GrammarBuiltins.h"

#include "tests/support/grammar/CompilerTestSupport.h"
#include "tests/support/NamedCase.h"

#include <gtest/gtest.h>

namespace baudrill::test {

namespace {

// Articles that the rules of these tests refer to.
void MakeReferenceTargets()
{
    static bool made = false;
    if (made)
        return;
    made = true;
    CreateArticle("BNF", "cx_target", "\"T\"");
    CreateArticle("cx_ns", "inner", "\"I\"");
    // An article of "BNF" and a namespace of the same name.
    CreateArticle("BNF", "cx_dual", "\"D\"");
    CreateArticle("cx_dual", "b", "\"B\"");
}

constexpr int WholeText = -1;  // the compile takes the whole text

struct CompileCase : NamedCase {
    std::string text;
    int consumed;
    std::string built;  // DescribeArticle of the result
};

class RuleCompile : public ::testing::TestWithParam<CompileCase> {
protected:
    void SetUp() override { MakeReferenceTargets(); }
};

TEST_P(RuleCompile, ConsumesAndBuilds)
{
    const CompileCase& c = GetParam();
    Compiled result = CompileText(c.text);
    const int expected = c.consumed == WholeText ? static_cast<int>(c.text.size()) : c.consumed;
    EXPECT_EQ(result.consumed, expected);
    EXPECT_EQ(DescribeArticle(*result.article), c.built);
    EXPECT_EQ(CheckGraph(*result.article), "");
}

const CompileCase SeparatorCases[] = {
    {"Empty", "", 0, ""},
    {"WhitespaceAndOneSemicolon", " \t\r\n ; \n", WholeText, ""},
    {"SemicolonBetweenItems", "byte ; word", WholeText, "byte word"},
    {"SemicolonAfterEveryItem", "a; b ;c;", WholeText, "a b c"},
    {"SemicolonAtStart", ";byte", WholeText, "byte"},
    {"DoubleSemicolonStops", "byte;;word", 5, "byte"},
    {"DoubleSemicolonAtStart", ";;byte", 1, ""},
    {"SemicolonsWithBlanksBetween", "byte ; ; word", 7, "byte"},
    {"ItemsNeedNoBlanks", "byte\"A\"<BNFwhite>", WholeText, "byte \"A\" <BNFwhite>"},
    {"SectionMarkerEndsRule", "a b *** c", 4, "a b"},
    {"StrayClose", "a)", 1, "a"},
    {"StrayColon", ":a", 0, ""},
    {"ControlAndHighBytesAreWordBytes", "a\fb \xC3\xA9", WholeText, "a\fb \xC3\xA9"},
};
INSTANTIATE_TEST_SUITE_P(Separators, RuleCompile, ::testing::ValuesIn(SeparatorCases), CaseName<CompileCase>);

const CompileCase LiteralTexts[] = {
    {"KeepsDelimiters", "\"a;b c\"", WholeText, "\"a;b c\""},
    {"HexEscapes", "\"\\41\\42\"", WholeText, "\"AB\""},
    {"EscapeTakesTwoBytes", "\"\\4142\"", WholeText, "\"A42\""},
    {"EscapedQuote", "\"\\22\"", WholeText, "\"\\22\""},
    {"BackslashAndZeroByte", "\"\\5C\\00\"", WholeText, "\"\\5C\\00\""},
    {"SignedEscape", "\"\\-1\"", WholeText, "\"\\FF\""},
    {"BadDigitsGiveLowByte", "\"\\4Z\\ZZ\"", WholeText, "\"\\04\\00\""},
    {"ShortBackslashStays", "\"a\\\"", WholeText, "\"a\\5C\""},
    {"EscapeInActionName", "x\\41y", WholeText, "xAy"},
    {"EmptyLiteralInsertsNothing", "\"\" byte", WholeText, "byte"},
    // The terminal is inserted before the missing closing quote is noticed.
    {"Unterminated", "byte \"abc", 5, "byte \"abc\""},
};
INSTANTIATE_TEST_SUITE_P(Literals, RuleCompile, ::testing::ValuesIn(LiteralTexts), CaseName<CompileCase>);

const CompileCase ArgumentCases[] = {
    {"Int", "hex:2", WholeText, "hex:2"},
    {"BlanksAroundColon", "hex : 2", WholeText, "hex:2"},
    {"String", "str_int:\"x\"", WholeText, "str_int:\"x\""},
    {"StringWithDelimiters", "a:\"b c;\"", WholeText, "a:\"b c;\""},
    {"StringEscapes", "a:\"\\0D\\0A\"", WholeText, "a:\"\\0D\\0A\""},
    {"Double", "x:1.5", WholeText, "x:1.5"},
    {"DoubleWithoutFraction", "x:-2.", WholeText, "x:-2.0"},
    {"Negative", "x:-7", WholeText, "x:-7"},
    {"IntMax", "x:2147483647", WholeText, "x:2147483647"},
    {"IntMinPlusOne", "x:-2147483647", WholeText, "x:-2147483647"},
    {"Hex", "x:0x1F", WholeText, "x:31"},
    {"HexWraps", "x:0xFFFFFFFF", WholeText, "x:-1"},
    {"HexWithoutDigitIsNull", "x:0xZZ", WholeText, "x:-2147483648"},
    // Arguments that do not convert: the action is compiled alone, the compile stops at ':'.
    {"CapitalX", "x:0X1F y", 1, "x"},
    {"HexPrefixAlone", "x:0x", 1, "x"},
    {"Word", "x:abc", 1, "x"},
    {"EmptyString", "x:\"\"", 1, "x"},
    {"IntTooLarge", "x:2147483648", 1, "x"},
    {"IntTooSmall", "x:-2147483648", 1, "x"},
    {"TwoPoints", "x:1.2.3", 1, "x"},
    {"DoubleTooLarge", "x:1.5e308", 1, "x"},
    {"MissingArgument", "x: ;y", 1, "x"},
    // A control byte that is no delimiter belongs to the word, which is then no number.
    {"IntFollowedByAControlByte", "arg:7\x10", 3, "arg"},
    {"IntAfterAControlByte",
     "arg:\x10"
     "7",
     3, "arg"},
};
INSTANTIATE_TEST_SUITE_P(Arguments, RuleCompile, ::testing::ValuesIn(ArgumentCases), CaseName<CompileCase>);

const CompileCase StructureCases[] = {
    {"AlternativeBindsWeakerThanSequence", "a | b c", WholeText, "(a | b c)"},
    {"GroupedAlternatives", "(a | b) c", WholeText, "(a | b) c"},
    {"ThreeAlternativesNestToTheRight", "a | b | c", WholeText, "(a | (b | c))"},
    {"EmptyFirstAlternative", "| a", WholeText, "( | a)"},
    {"AlternativeInOption", "[a | b] c", WholeText, "[(a | b)] c"},
    {"AlternativeAfterGroup", "x (a) | b", WholeText, "(x a | b)"},
    {"EmptyConstructs", "{} [] ()", WholeText, "{} []"},
    {"BlanksInsideBrackets", "{ a } [ b ] ( c )", WholeText, "{a} [b] c"},
    {"Nested", "{a [b (c | d)] \"e\"}", WholeText, "{a [b (c | d)] \"e\"}"},
    // A construct is built before its missing closing bracket is noticed; it stays.
    {"UnclosedOption", "byte [word", 5, "byte [word]"},
    {"UnclosedLoop", "{a b", 0, "{a b}"},
    {"UnclosedGroup", "(a | b", 0, "(a | b)"},
    {"WrongClosingBracket", "x [a}", 2, "x [a]"},
    // Every level around a '|' tries the unclosed item again; it keeps the elements of its
    // first try only.
    {"UnclosedOptionAfterAlternative", "a | [b", 4, "(a | [b])"},
    {"UnclosedGroupAfterAlternative", "|(x:1", 1, "( | x:1)"},
    {"UnclosedOptionsInNestedAlternatives", "|[|[", 1, "( | [( | [])])"},
};
INSTANTIATE_TEST_SUITE_P(Structure, RuleCompile, ::testing::ValuesIn(StructureCases), CaseName<CompileCase>);

const CompileCase ReferenceCases[] = {
    {"BuiltinArticle", "<BNFwhite>", WholeText, "<BNFwhite>"},
    {"ByName", "<cx_target> x", WholeText, "<cx_target> x"},
    {"ByNamespace", "<cx_ns::inner>", WholeText, "<cx_ns::inner>"},
    // Trying <cx_dual> first would leave a reference to the "BNF" article behind.
    {"NamespaceNamedLikeAnArticle", "<cx_dual::b> x", WholeText, "<cx_dual::b> x"},
    {"BlanksInside", "< BNFwhite >", 0, ""},
    {"MissingArticle", "a <cx_missing> b", 2, "a"},
    {"MissingInNamespace", "a <cx_ns::missing> b", 2, "a"},
    {"Unclosed", "a <cx_target b", 2, "a <cx_target>"},
};
INSTANTIATE_TEST_SUITE_P(References, RuleCompile, ::testing::ValuesIn(ReferenceCases), CaseName<CompileCase>);

}  // namespace

}  // namespace baudrill::test

namespace baudrill::test {

namespace {

std::string Nested(int depth)
{
    return std::string(static_cast<std::size_t>(depth), '[') + "x" + std::string(static_cast<std::size_t>(depth), ']');
}

TEST(RuleCompileBounds, DeepNestingStopsTheCompileInsteadOfOverflowing)
{
    const std::string deep = Nested(400);
    Compiled fine = CompileText(deep);
    EXPECT_EQ(fine.consumed, static_cast<int>(deep.size()));
    EXPECT_EQ(CheckGraph(*fine.article), "");
    // Past the matcher's nesting bound the compile fails.
    Compiled tooDeep = CompileText(Nested(2000));
    EXPECT_EQ(tooDeep.consumed, -1);
    EXPECT_EQ(CheckGraph(*tooDeep.article), "");
}

std::string Alternatives(int count)
{
    std::string text = "(";
    for (int i = 0; i < count; ++i)
        text += (i ? "|\"k" : "\"k") + std::to_string(i) + "\"";
    return text + ") \"!\"";
}

std::string Repeated(std::string_view piece, int count, std::string_view tail = "")
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text + std::string(tail);
}

struct GrowthCase : NamedCase {
    std::string text;
};

class RuleCompileGrowth : public ::testing::TestWithParam<GrowthCase> {};

// Unclosed brackets behind '|': each level around a '|' tries again the item at which the
// alternative stopped, and so does every level inside that item; literally that made 340,040
// elements from `|[` sixteen times. The elements stay linear in the text: at most the six that
// one byte '[' makes (the densest item), plus the skeleton.
TEST_P(RuleCompileGrowth, MakesAtMostSixElementsPerByte)
{
    const std::string& text = GetParam().text;
    Compiled result = CompileText(text);
    EXPECT_LE(result.article->elements.size(), 3 + 6 * text.size());
    EXPECT_EQ(CheckGraph(*result.article), "");
}

const GrowthCase GrowthCases[] = {
    {"AlternativesAndOptions", Repeated("|[", 16)},
    {"ManyAlternativesAndOptions", Repeated("|[", 200)},
    {"AlternativesAndLoops", Repeated("| {", 16)},
    {"AlternativesAndGroups", Repeated("|(", 16, "x:1")},
    {"OptionsWithAlternatives", Repeated("[a|", 16)},
    {"UnterminatedLiteralInside", Repeated("|[", 16, "\"abc")},
    {"UnclosedReferenceInside", Repeated("|[", 16, "<BNFwhite")},
    {"PastTheNestingBound", Repeated("|[", 600)},
};
INSTANTIATE_TEST_SUITE_P(Reproducers, RuleCompileGrowth, ::testing::ValuesIn(GrowthCases), CaseName<GrowthCase>);

// Every '|' nests the rest of its rule one level deeper. Past the bound the last levels give up
// after building a fork with an empty bypass, and the level above accepts the text anyway: such
// a compile must not report the whole text taken.
TEST(RuleCompileBounds, TooManyAlternativesFailTheCompile)
{
    const std::string fits = Alternatives(300);
    EXPECT_EQ(CompileText(fits).consumed, static_cast<int>(fits.size()));
    Compiled tooMany = CompileText(Alternatives(512));
    EXPECT_EQ(tooMany.consumed, -1);
}

}  // namespace

}  // namespace baudrill::test
