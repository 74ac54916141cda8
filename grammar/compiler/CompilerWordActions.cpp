// The compiler actions that read words and arguments, and the stop flag.

#include "grammar/compiler/CompilerActions.h"
#include "grammar/compiler/CompilerStacks.h"
#include "grammar/compiler/RuleEscapes.h"
#include "grammar/compiler/RuleNumbers.h"

#include <bitset>

namespace baudrill {

using compiler::PopWord;

bool MetaStr(ParseContext& ctx, Value arg)
{
    std::bitset<256> stop;
    if (arg.IsString())
        for (char c : arg.GetString())
            stop.set(static_cast<unsigned char>(c));
    const std::size_t length = ctx.RunEnd(0, [&stop](char c) { return !stop[static_cast<unsigned char>(c)]; });
    if (length == 0)
        return false;
    std::string word = UnescapeRuleText(ctx.Bytes(length));
    ctx.Advance(length);
    return ctx.state.stringRegs(WordStack).Push(std::move(word));
}

bool MetaStr10(ParseContext& ctx, Value arg)
{
    if (arg.IsString())
        return ctx.state.stringRegs(WordStack).Push(arg.GetString());
    return true;
}

bool MetaRv(ParseContext& ctx, Value arg) { return ctx.state.valueRegs(ArgumentStack).Push(std::move(arg)); }

bool MetaString(ParseContext& ctx, Value)
{
    std::string word;
    return PopWord(ctx, word) && ctx.state.valueRegs(ArgumentStack).Push(Value(std::move(word)));
}

bool MetaDecimal(ParseContext& ctx, Value)
{
    std::string word;
    if (!PopWord(ctx, word))
        return false;
    std::optional<Value> number = ConvertRuleArgument(word);
    return number && ctx.state.valueRegs(ArgumentStack).Push(std::move(*number));
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
