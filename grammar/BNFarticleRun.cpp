#include "grammar/Matcher.h"

namespace baudrill {

bool BNFarticle::Parse(ParseContext& ctx) const
{
    return detail::ParseMatcher::RunArticle(*this, ctx);
}

bool BNFarticle::Compose(ComposeContext& ctx) const
{
    return detail::ComposeMatcher::RunArticle(*this, ctx);
}

}  // namespace baudrill
