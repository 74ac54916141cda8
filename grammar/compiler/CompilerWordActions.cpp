// The compiler actions that read words and arguments, and the stop flag.

#include "grammar/compiler/CompilerActions.h"
#include "grammar/compiler/CompilerStacks.h"
#include "grammar/compiler/RuleEscapes.h"
#include "grammar/compiler/RuleNumbers.h"

#include <algorithm>

namespace baudrill {

using compiler::PopWord;

bool MetaStr(ParseContext& ctx, Value arg)
{
    const std::string_view stops = arg.IsString() ? std::string_view(arg.GetString()) : std::string_view();
    const std::string_view rest = ctx.Rest();
    const std::size_t length = stops.empty() ? rest.size() : std::min(rest.find_first_of(stops), rest.size());
    if (length == 0)
        return false;
    ctx.Advance(length);
    return ctx.state.stringRegs(kWordStack).Push(UnescapeRuleText(rest.substr(0, length)));
}

bool MetaStr10(ParseContext& ctx, Value arg)
{
    if (arg.IsString())
        return ctx.state.stringRegs(kWordStack).Push(arg.GetString());
    return true;
}

bool MetaRv(ParseContext& ctx, Value arg)
{
    return ctx.state.valueRegs(kArgumentStack).Push(std::move(arg));
}

bool MetaString(ParseContext& ctx, Value)
{
    std::string word;
    return PopWord(ctx, word) && ctx.state.valueRegs(kArgumentStack).Push(Value(std::move(word)));
}

bool MetaDecimal(ParseContext& ctx, Value)
{
    std::string word;
    if (!PopWord(ctx, word))
        return false;
    std::optional<Value> number = ConvertRuleArgument(word);
    return number && ctx.state.valueRegs(kArgumentStack).Push(std::move(*number));
}

bool MetaEnd(ParseContext& ctx, Value)
{
    ctx.stop = true;
    return true;
}

bool MetaResume(ParseContext& ctx, Value)
{
    ctx.stop = false;
    return true;
}

}  // namespace baudrill
