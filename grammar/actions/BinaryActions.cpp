#include "grammar/actions/BinaryActions.h"

#include "grammar/ComposeContext.h"
#include "grammar/ParseContext.h"
#include "grammar/actions/IntegerFields.h"

#include <bit>
#include <cstddef>
#include <cstdint>

namespace baudrill {

namespace {

template <std::size_t Width, ByteOrder Order>
bool ParseInteger(ParseContext& ctx)
{
    return ReadField<IntegerField{Width, Order, true}>(ctx);
}

template <std::size_t Width, ByteOrder Order>
bool ComposeInteger(ComposeContext& ctx)
{
    return WriteField<IntegerField{Width, Order, true}>(ctx);
}

template <ByteOrder Order>
bool ParseBinary64(ParseContext& ctx)
{
    std::uint64_t bits = 0;
    if (!ReadBytes(ctx, 8, Order, bits))
        return false;
    ctx.AddValue(Value(std::bit_cast<double>(bits)));
    return true;
}

template <ByteOrder Order>
bool ComposeBinary64(ComposeContext& ctx)
{
    const Value* value = ctx.TakeValue();
    if (!value || !value->IsDouble())
        return false;
    WriteBytes(ctx, std::bit_cast<std::uint64_t>(value->GetDouble()), 8, Order);
    return true;
}

constexpr ByteOrder kLE = ByteOrder::Little;
constexpr ByteOrder kBE = ByteOrder::Big;

}  // namespace

bool ParseByte(ParseContext& ctx, Value) { return ParseInteger<1, kLE>(ctx); }
bool ComposeByte(ComposeContext& ctx, Value) { return ComposeInteger<1, kLE>(ctx); }
bool ParseWord(ParseContext& ctx, Value) { return ParseInteger<2, kLE>(ctx); }
bool ComposeWord(ComposeContext& ctx, Value) { return ComposeInteger<2, kLE>(ctx); }
bool ParseDword(ParseContext& ctx, Value) { return ParseInteger<4, kLE>(ctx); }
bool ComposeDword(ComposeContext& ctx, Value) { return ComposeInteger<4, kLE>(ctx); }
bool ParseDouble(ParseContext& ctx, Value) { return ParseBinary64<kLE>(ctx); }
bool ComposeDouble(ComposeContext& ctx, Value) { return ComposeBinary64<kLE>(ctx); }
bool ParseWordBe(ParseContext& ctx, Value) { return ParseInteger<2, kBE>(ctx); }
bool ComposeWordBe(ComposeContext& ctx, Value) { return ComposeInteger<2, kBE>(ctx); }
bool ParseDwordBe(ParseContext& ctx, Value) { return ParseInteger<4, kBE>(ctx); }
bool ComposeDwordBe(ComposeContext& ctx, Value) { return ComposeInteger<4, kBE>(ctx); }
bool ParseDoubleBe(ParseContext& ctx, Value) { return ParseBinary64<kBE>(ctx); }
bool ComposeDoubleBe(ComposeContext& ctx, Value) { return ComposeBinary64<kBE>(ctx); }

bool ParseAny(ParseContext& ctx, Value)
{
    return ReadField<IntegerField{1, kLE, false}>(ctx);
}

bool ComposeAny(ComposeContext&, Value)
{
    return false;
}

bool ParseArg(ParseContext& ctx, Value arg)
{
    ctx.AddValue(std::move(arg));
    return true;
}

bool ComposeArg(ComposeContext& ctx, Value arg)
{
    const Value* value = ctx.TakeValue();
    return value && *value == arg;
}

namespace {

// The actions whose work is one integer field ("any" only in parse: composing it fails).
struct FieldAction {
    ParseAction parse;
    ComposeAction compose;
    IntegerField field;
};

constexpr FieldAction kFieldActions[] = {
    {ParseByte, ComposeByte, {1, kLE, true}},       {ParseWord, ComposeWord, {2, kLE, true}},
    {ParseDword, ComposeDword, {4, kLE, true}},     {ParseWordBe, ComposeWordBe, {2, kBE, true}},
    {ParseDwordBe, ComposeDwordBe, {4, kBE, true}}, {ParseAny, nullptr, {1, kLE, false}},
};

}  // namespace

IntegerField FieldOf(ParseAction action)
{
    for (const FieldAction& f : kFieldActions)
        if (f.parse == action)
            return f.field;
    return {};
}

IntegerField FieldOf(ComposeAction action)
{
    for (const FieldAction& f : kFieldActions)
        if (action && f.compose == action)
            return f.field;
    return {};
}

}  // namespace baudrill
