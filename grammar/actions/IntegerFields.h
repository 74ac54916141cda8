#pragma once

// How the fixed-width binary fields read and write: shared by their actions
// (BinaryActions.cpp) and by the matcher, which runs a counted loop of one
// integer field without calling the action at every turn.

#include "grammar/ComposeContext.h"
#include "grammar/GrammarActions.h"
#include "grammar/ParseContext.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>

namespace baudrill {

enum class ByteOrder { Little, Big };

// The `width` bytes at `pos` as an unsigned number, `pos` moved past them;
// false (nothing moved) when fewer bytes remain.
inline bool ReadBytes(ParseContext& ctx, std::size_t width, ByteOrder order, std::uint64_t& out)
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

inline void WriteBytes(ComposeContext& ctx, std::uint64_t number, std::size_t width, ByteOrder order)
{
    for (std::size_t i = 0; i < width; ++i) {
        const std::size_t byteIndex = order == ByteOrder::Big ? width - 1 - i : i;
        ctx.WriteByte(static_cast<unsigned>(number >> (8 * byteIndex)));
    }
}

// An integer field of 1, 2 or 4 bytes ("byte", "word", "dword" and the "_be"
// forms): parsing appends the unsigned number (4 bytes: the 32 bits as a signed
// int) unless the field only skips its bytes ("any"); composing writes an int
// value cut to the width. Width 0: no such field.
struct IntegerField {
    std::size_t width = 0;
    ByteOrder order = ByteOrder::Little;
    bool keepsValue = true;
};

// Reads the field at `pos`; changes nothing when fewer bytes remain.
template <IntegerField F>
inline bool ReadField(ParseContext& ctx)
{
    std::uint64_t number = 0;
    if (!ReadBytes(ctx, F.width, F.order, number))
        return false;
    if constexpr (F.keepsValue)
        ctx.AddInt(static_cast<std::int32_t>(static_cast<std::uint32_t>(number)));
    return true;
}

// Writes the next value, an int, as the field; changes nothing when there is none.
template <IntegerField F>
inline bool WriteField(ComposeContext& ctx)
{
    if (!ctx.HasValue() || !ctx.values[static_cast<std::size_t>(ctx.state.next)].IsInt())
        return false;
    WriteBytes(ctx, static_cast<std::uint32_t>(ctx.TakeValue()->GetInt()), F.width, F.order);
    return true;
}

// The numbers of consecutive fields, as an iterator over their bytes. A value
// list inserts them as values made in place: a Value made first and then
// moved would cost a stall on every value.
template <IntegerField F>
struct FieldValues {
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::int32_t;
    using difference_type = std::ptrdiff_t;
    using pointer = const std::int32_t*;
    using reference = std::int32_t;

    const char* bytes = nullptr;

    std::int32_t operator*() const
    {
        std::uint32_t number = 0;
        for (std::size_t i = 0; i < F.width; ++i) {
            const std::size_t b = F.order == ByteOrder::Big ? i : F.width - 1 - i;
            number = number << 8 | static_cast<unsigned char>(bytes[b]);
        }
        return static_cast<std::int32_t>(number);
    }
    FieldValues& operator++()
    {
        bytes += F.width;
        return *this;
    }
    FieldValues operator++(int)
    {
        FieldValues before = *this;
        bytes += F.width;
        return before;
    }
    difference_type operator-(const FieldValues& other) const
    {
        return (bytes - other.bytes) / static_cast<difference_type>(F.width);
    }
    bool operator==(const FieldValues& other) const { return bytes == other.bytes; }
};

// The values of `count` consecutive fields: one insert of the whole run, a
// single capacity test and a tight loop, where appending value by value costs
// a call per value.
template <IntegerField F>
void InsertFieldValues(ValueList& values, const char* bytes, std::size_t count)
{
    values.insert(values.end(), FieldValues<F>{bytes}, FieldValues<F>{bytes + count * F.width});
}

// Reads up to `most` fields one after another, as many ReadField calls would,
// as far as the input holds them; how many it read.
template <IntegerField F>
inline std::size_t ReadFields(ParseContext& ctx, std::size_t most)
{
    if (!ctx.PosValid())
        return 0;
    const std::size_t at = static_cast<std::size_t>(ctx.state.pos);
    const std::size_t fields = std::min(most, (ctx.input.size() - at) / F.width);
    if (fields == 0 || !ctx.Has(fields * F.width))  // (it does: this only counts them as read)
        return 0;
    if constexpr (F.keepsValue)
        ctx.AddFieldValues(&InsertFieldValues<F>, F.width, at, fields);
    ctx.Advance(fields * F.width);
    return fields;
}

// Writes up to `most` fields from the values from `next` on, as many
// WriteField calls would, up to the first value that is no int; how many.
template <IntegerField F>
inline std::size_t WriteFields(ComposeContext& ctx, std::size_t most)
{
    if (!ctx.HasValue())
        return 0;
    const auto first = static_cast<std::size_t>(ctx.state.next);
    const std::size_t fields = std::min(most, ctx.values.size() - first);
    ctx.state.output.reserve(ctx.state.output.size() + fields * F.width);
    std::size_t k = 0;
    for (; k < fields && ctx.values[first + k].IsInt(); ++k)
        WriteBytes(ctx, static_cast<std::uint32_t>(ctx.values[first + k].GetInt()), F.width, F.order);
    ctx.state.next += static_cast<int>(k);
    return k;
}

// The field that the action reads or writes; width 0 for any other action.
IntegerField FieldOf(ParseAction action);
IntegerField FieldOf(ComposeAction action);

}  // namespace baudrill
