#include "tests/support/grammar/TestActions.h"

#include "grammar/ActionRegistry.h"
#include "grammar/ComposeContext.h"
#include "grammar/ParseContext.h"

namespace baudrill::test {

namespace {

bool ParseByte(ParseContext& ctx, Value)
{
    if (!ctx.Has(1))
        return false;
    ctx.AddValue(Value(static_cast<std::int32_t>(ctx.ByteAt(0))));
    ctx.Advance(1);
    return true;
}

bool ComposeByte(ComposeContext& ctx, Value)
{
    const Value* v = ctx.TakeValue();
    if (!v || !v->IsInt())
        return false;
    ctx.WriteByte(static_cast<unsigned>(v->GetInt()));
    return true;
}

bool ParseArg(ParseContext& ctx, Value arg)
{
    ctx.AddValue(std::move(arg));
    return true;
}

bool ComposeArg(ComposeContext& ctx, Value arg)
{
    const Value* v = ctx.TakeValue();
    return v && *v == arg;
}

template <class Ctx>
bool Fail(Ctx&, Value)
{
    return false;
}

bool ParseAddFail(ParseContext& ctx, Value arg)
{
    ctx.AddValue(arg);
    ctx.Advance(ctx.Remaining());
    ctx.state.intRegs(9).Push(99);
    ctx.state.stringRegs(10).Push("x");
    return false;
}

bool ComposeAddFail(ComposeContext& ctx, Value)
{
    ctx.TakeValue();
    ctx.Write("junk");
    ctx.WriteEscape("\\0A");
    ctx.state.intRegs(9).Push(99);
    return false;
}

template <class Ctx>
bool Push(Ctx& ctx, Value arg)
{
    return ctx.state.intRegs(9).Push(arg.GetInt());
}

template <class Ctx>
bool Pop(Ctx& ctx, Value)
{
    return ctx.state.intRegs(9).Pop();
}

template <class Ctx>
bool SetTop(Ctx& ctx, Value arg)
{
    return ctx.state.intRegs(9).SetTop(arg.GetInt());
}

template <class Ctx>
bool Dec(Ctx& ctx, Value)
{
    const std::int32_t* top = ctx.state.intRegs(9).Top();
    if (!top)
        return false;
    std::int32_t count = *top;
    ctx.state.intRegs(9).SetTop(count - 1);
    return count > 0;
}

bool ParseTop(ParseContext& ctx, Value)
{
    const std::int32_t* top = ctx.state.intRegs(9).Top();
    if (!top)
        return false;
    ctx.AddValue(Value(*top));
    return true;
}

bool ParseStop(ParseContext& ctx, Value)
{
    ctx.stop = true;
    return true;
}

bool ParseLastIs(ParseContext& ctx, Value arg) { return !ctx.Values().empty() && ctx.state.values.back() == arg; }

}  // namespace

void RegisterTestActions()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    auto& parse = ParseActionRegistry::Instance();
    auto& compose = ComposeActionRegistry::Instance();
    parse.Register("t_byte", ParseByte);
    compose.Register("t_byte", ComposeByte);
    parse.Register("t_arg", ParseArg);
    compose.Register("t_arg", ComposeArg);
    parse.Register("t_fail", Fail<ParseContext>);
    compose.Register("t_fail", Fail<ComposeContext>);
    parse.Register("t_addfail", ParseAddFail);
    compose.Register("t_addfail", ComposeAddFail);
    parse.Register("t_push", Push<ParseContext>);
    compose.Register("t_push", Push<ComposeContext>);
    parse.Register("t_pop", Pop<ParseContext>);
    compose.Register("t_pop", Pop<ComposeContext>);
    parse.Register("t_settop", SetTop<ParseContext>);
    compose.Register("t_settop", SetTop<ComposeContext>);
    parse.Register("t_dec", Dec<ParseContext>);
    compose.Register("t_dec", Dec<ComposeContext>);
    parse.Register("t_top", ParseTop);
    parse.Register("t_stop", ParseStop);
    parse.Register("t_last_is", ParseLastIs);
}

}  // namespace baudrill::test
