#include "grammar/actions/BinaryActions.h"

#include "grammar/ComposeContext.h"
#include "grammar/ParseContext.h"

#include <bit>
#include <cstddef>
#include <cstdint>

namespace baudrill {

namespace {

enum class ByteOrder { Little, Big };

// The `width` bytes at `pos` as an unsigned number, `pos` moved past them;
// false (nothing moved) when fewer bytes remain.
bool ReadBytes(ParseContext& ctx, std::size_t width, ByteOrder order, std::uint64_t& out)
{
    if (!ctx.Has(width))
        return false;
    std::uint64_t number = 0;
    for (std::size_t i = 0; i < width; ++i) {
        const std::size_t at = order == ByteOrder::Big ? i : width - 1 - i;
        number = number << 8 | ctx.ByteAt(at);
    }
    ctx.Advance(width);
    out = number;
    return true;
}

void WriteBytes(ComposeContext& ctx, std::uint64_t number, std::size_t width, ByteOrder order)
{
    for (std::size_t i = 0; i < width; ++i) {
        const std::size_t byteIndex = order == ByteOrder::Big ? width - 1 - i : i;
        ctx.WriteByte(static_cast<unsigned>(number >> (8 * byteIndex)));
    }
}

// Up to 4 bytes: narrower widths give the unsigned number, 4 bytes the 32 bits as signed.
template <std::size_t Width, ByteOrder Order>
bool ParseInteger(ParseContext& ctx)
{
    std::uint64_t number = 0;
    if (!ReadBytes(ctx, Width, Order, number))
        return false;
    ctx.AddValue(Value(static_cast<std::int32_t>(static_cast<std::uint32_t>(number))));
    return true;
}

template <std::size_t Width, ByteOrder Order>
bool ComposeInteger(ComposeContext& ctx)
{
    const Value* value = ctx.TakeValue();
    if (!value || !value->IsInt())
        return false;
    WriteBytes(ctx, static_cast<std::uint32_t>(value->GetInt()), Width, Order);
    return true;
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
    if (!ctx.Has(1))
        return false;
    ctx.Advance(1);
    return true;
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

}  // namespace baudrill
