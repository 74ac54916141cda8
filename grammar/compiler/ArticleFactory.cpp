#include "grammar/compiler/ArticleFactory.h"

#include "grammar/BNFarticle.h"
#include "grammar/GrammarRegistry.h"
#include "grammar/ParseContext.h"
#include "grammar/compiler/CompilerStacks.h"
#include "grammar/compiler/CompileScope.h"
#include "grammar/compiler/GrammarBuiltins.h"

#include <memory>

namespace baudrill {

namespace {

BNFarticle* AddArticle(const std::string& nspace, const std::string& name, const std::string& text, const Uuid* uid)
{
    InitGrammarBuiltins();
    auto made = std::make_unique<BNFarticle>();
    if (uid)
        made->uid = *uid;
    made->name = name;
    const Uuid key = made->uid;
    BNFarticle& article = GrammarRegistry::Instance().GetAdd(nspace).Add(key, std::move(made));
    if (!text.empty())
        CompileRuleText(article, text);
    return &article;
}

}  // namespace

BNFarticle* CreateArticle(const std::string& nspace, const std::string& name, const std::string& text)
{
    return AddArticle(nspace, name, text, nullptr);
}

BNFarticle* CreateArticleWithUuid(const std::string& nspace, const std::string& name, const std::string& text,
                                  const Uuid& uid)
{
    return AddArticle(nspace, name, text, &uid);
}

int CompileRuleText(BNFarticle& article, std::string_view text)
{
    const BNFarticle* scheme = MetaGrammarScheme();
    if (!scheme)
        return -1;
    const CompileScope compiling;
    buildArticle = &article;
    article.compilePlaces.Clear();
    // The actions never move the builder's own cursor, so on an article that was
    // compiled (and not built with the cursor operations) it is the skeleton link.
    BNFelement* start = article.cursor;
    ParseContext ctx(text);
    ctx.state.elementRegs(GroupStarts).Push(start);
    ctx.state.elementRegs(CursorStack).Push(start);
    // Past the nesting bound an item gives up after its actions built part of it, and the level
    // above may still accept the text: the article would then hold a different rule.
    const bool compiled = scheme->Parse(ctx) && !ctx.NestingExceeded();
    article.compilePlaces.Clear();
    return compiled ? ctx.state.pos : -1;
}

}  // namespace baudrill
