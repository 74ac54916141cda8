#include "grammar/BNFterminal.h"

#include "grammar/ComposeContext.h"
#include "grammar/ParseContext.h"

namespace baudrill {

bool BNFterminal::Parse(ParseContext& ctx) const
{
    if (!ctx.Has(value.size()))
        return false;
    // Most literals are one byte (blanks, separators): compared without a call.
    const bool same =
        value.size() == 1 ? ctx.ByteAt(0) == static_cast<unsigned char>(value[0]) : ctx.Bytes(value.size()) == value;
    if (!same)
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
