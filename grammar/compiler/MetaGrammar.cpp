#include "grammar/compiler/MetaGrammar.h"

#include "grammar/BNFarticle.h"
#include "grammar/BNFcode.h"
#include "grammar/BuiltinNamespace.h"
#include "grammar/compiler/ArticleFactory.h"
#include "grammar/compiler/RuleDelimiters.h"

#include <initializer_list>
#include <string>

namespace baudrill {

namespace {

constexpr const char* QuoteText = "\"";

// One element of a meta-grammar row: a literal, a reference to a built-in
// article, or an action call.
struct RowItem {
    enum Kind { Literal, Reference, Action } kind;
    std::string text;
    Value arg = Value(0);
};

RowItem Lit(std::string text) { return {RowItem::Literal, std::move(text)}; }
RowItem Ref(std::string name) { return {RowItem::Reference, std::move(name)}; }
RowItem Act(std::string name, Value arg = Value(0)) { return {RowItem::Action, std::move(name), std::move(arg)}; }
RowItem ReadWord() { return Act("BNFstr", Value(RuleDelimiters)); }

void InsertRow(BNFarticle& article, std::initializer_list<RowItem> row)
{
    for (const RowItem& item : row) {
        switch (item.kind) {
        case RowItem::Literal: article.InsertTerminal(item.text); break;
        case RowItem::Reference: article.InsertNonterminal(item.text); break;
        case RowItem::Action: article.InsertCode(BNFcode(item.text, item.arg)); break;
        }
    }
}

BNFarticle& NewBuiltin(const char* name) { return *CreateArticle(BuiltinNamespace, name, std::string()); }

// `"\22" BNFstr:"\22" "\22" BNFstring | BNFstr:D BNFdecimal`
void BuildArgument()
{
    BNFarticle& a = NewBuiltin("BNFarg");
    a.SetMark(true);
    InsertRow(a, {Lit(QuoteText), Act("BNFstr", Value(QuoteText)), Lit(QuoteText), Act("BNFstring")});
    a.SetMark(false).Wrap(false);
    InsertRow(a, {ReadWord(), Act("BNFdecimal")});
    a.PopCursor();
}

// `{"\0D" | "\09" | "\0A" | " "}`: four loops nested around one empty region;
// the one built last is met first.
void BuildWhite()
{
    BNFarticle& a = NewBuiltin("BNFwhite");
    a.SetMark(false).InsertLink().SetMark(true);
    for (const char* blank : {" ", "\n", "\t", "\r"})
        a.Wrap(true).InsertTerminal(blank).PopCursor();
}

// `[";" <BNFwhite> BNFend]`: "BNFend" ends only this article's run.
void BuildStopOnSemicolon()
{
    BNFarticle& a = NewBuiltin("BNFstopOnSemicolon");
    a.SetMark(true);
    InsertRow(a, {Lit(";"), Ref("BNFwhite"), Act("BNFend")});
    a.SetMark(false).Wrap(false).InsertLink().PopCursor();
}

// `<BNFwhite> <BNFstopOnSemicolon> {(I1 | ... | I10) <BNFwhite> <BNFstopOnSemicolon>}`:
// ten loops nested around the whitespace and ';' path, each with one item on
// its back edge. The row built last is tried first.
BNFarticle& BuildScheme()
{
    BNFarticle& a = NewBuiltin("BNFscheme");
    a.SetMark(false).InsertNonterminal("BNFwhite").SetMark(true);
    const std::initializer_list<RowItem> rows[] = {
        // an action without argument
        {ReadWord(), Act("BNFrv"), Act("BNFcode_end")},
        // an action with an argument
        {ReadWord(), Ref("BNFwhite"), Lit(":"), Ref("BNFwhite"), Ref("BNFarg"), Act("BNFcode_end")},
        // an alternative: the rest of the enclosing rule
        {Lit("|"), Ref("BNFwhite"), Act("BNFbranch"), Ref("BNFscheme"), Act("BNFbranch_end")},
        {Lit("("), Ref("BNFwhite"), Act("BNFgroup"), Ref("BNFscheme"), Act("BNFgroup_end"), Ref("BNFwhite"), Lit(")")},
        {Lit("["), Ref("BNFwhite"), Act("BNFoption"), Ref("BNFscheme"), Act("BNFoption_end"), Ref("BNFwhite"),
         Lit("]")},
        {Lit("{"), Ref("BNFwhite"), Act("BNFrepeat"), Ref("BNFscheme"), Act("BNFrepeat_end"), Ref("BNFwhite"),
         Lit("}")},
        // a literal
        {Lit(QuoteText), Act("BNFstr", Value(QuoteText)), Act("BNFterm_end"), Lit(QuoteText)},
        // the empty literal: inserts nothing
        {Lit("\"\""), Act("BNFstr10", Value(std::string()))},
        // <name>
        {Lit("<"), Act("BNFstr10", Value(BuiltinNamespace)), ReadWord(), Act("BNFnonterm_end"), Lit(">")},
        // <ns::name>, tried before <name>: trying <name> first would leave a
        // reference to "BNF"'s article ns behind whenever one exists.
        {Lit("<"), ReadWord(), Lit("::"), ReadWord(), Act("BNFnonterm_end"), Lit(">")},
    };
    for (const auto& row : rows) {
        a.Wrap(true);
        InsertRow(a, row);
        a.PopCursor();
    }
    a.InsertNonterminal("BNFstopOnSemicolon");
    return a;
}

}  // namespace

BNFarticle& BuildMetaGrammar()
{
    BuildArgument();
    BuildWhite();
    BuildStopOnSemicolon();
    return BuildScheme();
}

}  // namespace baudrill
