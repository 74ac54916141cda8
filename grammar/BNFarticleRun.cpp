#include "grammar/Matcher.h"

namespace baudrill {

// A run that matches leaves every value it made; one that fails leaves the
// values as they were before it (what its attempts made means nothing).
bool BNFarticle::Parse(ParseContext& ctx) const
{
    const std::size_t before = ctx.ValueCount();
    const bool matched = detail::ParseMatcher::RunArticle(*this, ctx);
    if (matched)
        ctx.MakeFieldValues();
    else
        ctx.CutValues(before);
    return matched;
}

bool BNFarticle::Compose(ComposeContext& ctx) const { return detail::ComposeMatcher::RunArticle(*this, ctx); }

}  // namespace baudrill
