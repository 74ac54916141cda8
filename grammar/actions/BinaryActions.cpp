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

constexpr ByteOrder LittleEndian = ByteOrder::Little;
constexpr ByteOrder BigEndian = ByteOrder::Big;

}  // namespace

bool ParseByte(ParseContext& ctx, Value) { return ParseInteger<1, LittleEndian>(ctx); }
bool ComposeByte(ComposeContext& ctx, Value) { return ComposeInteger<1, LittleEndian>(ctx); }
bool ParseWord(ParseContext& ctx, Value) { return ParseInteger<2, LittleEndian>(ctx); }
bool ComposeWord(ComposeContext& ctx, Value) { return ComposeInteger<2, LittleEndian>(ctx); }
bool ParseDword(ParseContext& ctx, Value) { return ParseInteger<4, LittleEndian>(ctx); }
bool ComposeDword(ComposeContext& ctx, Value) { return ComposeInteger<4, LittleEndian>(ctx); }
bool ParseDouble(ParseContext& ctx, Value) { return ParseBinary64<LittleEndian>(ctx); }
bool ComposeDouble(ComposeContext& ctx, Value) { return ComposeBinary64<LittleEndian>(ctx); }
bool ParseWordBe(ParseContext& ctx, Value) { return ParseInteger<2, BigEndian>(ctx); }
bool ComposeWordBe(ComposeContext& ctx, Value) { return ComposeInteger<2, BigEndian>(ctx); }
bool ParseDwordBe(ParseContext& ctx, Value) { return ParseInteger<4, BigEndian>(ctx); }
bool ComposeDwordBe(ComposeContext& ctx, Value) { return ComposeInteger<4, BigEndian>(ctx); }
bool ParseDoubleBe(ParseContext& ctx, Value) { return ParseBinary64<BigEndian>(ctx); }
bool ComposeDoubleBe(ComposeContext& ctx, Value) { return ComposeBinary64<BigEndian>(ctx); }

bool ParseAny(ParseContext& ctx, Value) { return ReadField<IntegerField{1, LittleEndian, false}>(ctx); }

bool ComposeAny(ComposeContext&, Value) { return false; }

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

constexpr FieldAction FieldActions[] = {
    {ParseByte, ComposeByte, {1, LittleEndian, true}},    {ParseWord, ComposeWord, {2, LittleEndian, true}},
    {ParseDword, ComposeDword, {4, LittleEndian, true}},  {ParseWordBe, ComposeWordBe, {2, BigEndian, true}},
    {ParseDwordBe, ComposeDwordBe, {4, BigEndian, true}}, {ParseAny, nullptr, {1, LittleEndian, false}},
};

}  // namespace

IntegerField FieldOf(ParseAction action)
{
    for (const FieldAction& f : FieldActions)
        if (f.parse == action)
            return f.field;
    return {};
}

IntegerField FieldOf(ComposeAction action)
{
    for (const FieldAction& f : FieldActions)
        if (action && f.compose == action)
            return f.field;
    return {};
}

}  // namespace baudrill
