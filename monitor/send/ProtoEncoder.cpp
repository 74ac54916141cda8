#include "monitor/send/ProtoEncoder.h"

#include "monitor/send/ComposedBytes.h"

#include "grammar/BNFarticle.h"
#include "grammar/ComposeContext.h"
#include "grammar/GrammarRegistry.h"
#include "grammar/NumberText.h"
#include "grammar/ParseContext.h"
#include "grammar/compiler/ArticleFactory.h"
#include "monitor/ProgramTexts.h"
#include "monitor/send/SendEncoders.h"

namespace baudrill {

const BNFarticle* FindProtocol(const Uuid& id)
{
    if (id.IsNull())
        return nullptr;
    const auto* space = GrammarRegistry::Instance().FindNamespace(GrammarNamespace);
    return space ? space->Get(id) : nullptr;
}

const BNFarticle& ValueListArticle()
{
    // The Uuid, not a pointer, is kept: a lookup never meets an article that is gone.
    static Uuid made;
    if (const BNFarticle* article = FindProtocol(made))
        return *article;
    const BNFarticle* article = CreateArticle(GrammarNamespace, ValueListArticleName, ValueListRule);
    made = article->uid;
    return *article;
}

bool ParseValueList(const std::string& text, ValueList& values, std::int64_t& stepsLeft)
{
    ParseContext ctx(text);
    ctx.stepsLeft = stepsLeft;
    const bool parsed = ValueListArticle().Parse(ctx);
    stepsLeft = ctx.stepsLeft;
    if (!parsed)
        return false;
    values = std::move(ctx.state.values);
    return true;
}

bool ComposeFrame(const BNFarticle& protocol, ValueList values, std::string& bytes, std::int64_t& stepsLeft)
{
    bytes.clear();
    ComposeContext ctx(std::move(values));
    ctx.stepsLeft = stepsLeft;
    const bool composed = protocol.Compose(ctx);
    stepsLeft = ctx.stepsLeft;
    if (!composed)
        return false;
    bytes = ResolveComposedEscapes(ctx.state.output, ctx.state.escapes);
    return true;
}

void EncodeProto(const std::string& text, Uuid protocol, std::string& bytes, std::string& preview)
{
    bytes.clear();
    preview.clear();
    const BNFarticle* article = FindProtocol(protocol);
    if (!article)
        return;
    // The entry is composed on every keystroke: reading it and composing share one budget.
    std::int64_t stepsLeft = GuiRunStepBudget;
    ValueList values;
    if (!ParseValueList(text, values, stepsLeft) || !ComposeFrame(*article, std::move(values), bytes, stepsLeft))
        return;
    preview = HexDigitsPreview(bytes);
}

}  // namespace baudrill
