#include "grammar/BNFterminal.h"

#include "grammar/ComposeContext.h"
#include "grammar/ParseContext.h"

namespace baudrill {

bool BNFterminal::Parse(ParseContext& ctx) const
{
    if (!ctx.Has(value.size()) || ctx.Rest().substr(0, value.size()) != value)
        return false;
    ctx.Advance(value.size());
    return true;
}

bool BNFterminal::Compose(ComposeContext& ctx) const
{
    ctx.Write(value);
    return true;
}

}  // namespace baudrill
