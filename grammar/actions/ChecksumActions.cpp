#include "grammar/actions/ChecksumActions.h"

#include "grammar/ComposeContext.h"
#include "grammar/ParseContext.h"
#include "grammar/actions/ActionRegisters.h"
#include "grammar/actions/Crc16Modbus.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

namespace baudrill {

namespace {

// A byte or value count as a register entry; false when it does not fit.
bool ToIndex(std::size_t count, std::int32_t& index)
{
    if (count > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        return false;
    index = static_cast<std::int32_t>(count);
    return true;
}

bool PushBound(MatchState& state, int reg, std::size_t index)
{
    std::int32_t entry = 0;
    return ToIndex(index, entry) && state.intRegs(reg).Push(entry);
}

// Pops the end bound (the top entry), then the start bound.
bool PopByteBounds(MatchState& state, std::int32_t& start, std::int32_t& end)
{
    auto bounds = state.intRegs(ChecksumByteBounds);
    return bounds.Count() >= 2 && bounds.Pop(end) && bounds.Pop(start);
}

// True when start..end (inclusive, start <= end) lies within `bytes`.
bool RangeWithin(std::int32_t start, std::int32_t end, std::string_view bytes)
{
    return start >= 0 && start <= end && static_cast<std::size_t>(end) < bytes.size();
}

std::uint16_t SumOfRange(std::string_view bytes, std::int32_t start, std::int32_t end)
{
    return Crc16Modbus(bytes.data() + start, static_cast<std::ptrdiff_t>(end) - start + 1);
}

}  // namespace

bool ParseCrcStart(ParseContext& ctx, Value)
{
    return ctx.PosValid() && PushBound(ctx.state, ChecksumByteBounds, static_cast<std::size_t>(ctx.state.pos));
}

bool ComposeCrcStart(ComposeContext& ctx, Value)
{
    return PushBound(ctx.state, ChecksumByteBounds, ctx.state.output.size()) &&
           ctx.state.intRegs(ChecksumValueBounds).Push(ctx.state.next);
}

bool ParseCrcEnd(ParseContext& ctx, Value)
{
    if (!ctx.PosValid() || ctx.state.pos == 0)
        return false;
    return ctx.state.intRegs(ChecksumByteBounds).Push(ctx.state.pos - 1);
}

bool ComposeCrcEnd(ComposeContext& ctx, Value)
{
    if (ctx.state.output.empty())
        return false;
    return PushBound(ctx.state, ChecksumByteBounds, ctx.state.output.size() - 1) &&
           ctx.state.intRegs(ChecksumValueBounds).Push(ctx.state.next);
}

bool ParseCrcModbus(ParseContext& ctx, Value)
{
    std::int32_t start = 0;
    std::int32_t end = 0;
    if (!ctx.Has(2) || !PopByteBounds(ctx.state, start, end))
        return false;
    std::uint16_t sum = 0xFFFF;  // the sum of the empty range
    if (end >= start) {
        const std::string_view range = ctx.Within(start, end);
        if (range.empty())
            return false;
        ctx.ChargeSteps(range.size());
        sum = Crc16Modbus(range.data(), static_cast<std::ptrdiff_t>(range.size()));
    }
    const unsigned received = ctx.ByteAt(0) | (ctx.ByteAt(1) << 8);
    return sum == received;
}

bool ComposeCrcModbus(ComposeContext& ctx, Value)
{
    std::int32_t start = 0;
    std::int32_t end = 0;
    if (!PopByteBounds(ctx.state, start, end) || !RangeWithin(start, end, ctx.state.output))
        return false;
    ctx.ChargeSteps(static_cast<std::size_t>(end - start) + 1);
    const std::uint16_t sum = SumOfRange(ctx.state.output, start, end);
    ctx.WriteByte(sum & 0xFFu);
    ctx.WriteByte(sum >> 8);
    return true;
}

bool ParseCrcWake(ParseContext&, Value) { return true; }

bool ComposeCrcWake(ComposeContext& ctx, Value)
{
    const auto bounds = ctx.state.intRegs(ChecksumValueBounds);
    const std::int32_t* upper = bounds.Top(0);
    const std::int32_t* lower = bounds.Top(1);
    if (!upper || !lower)
        return false;
    const std::int32_t first = *lower;
    const std::int32_t last = *upper;
    const auto count = ctx.values.size();
    if (first < 0 || last < 0 || static_cast<std::size_t>(first) >= count || static_cast<std::size_t>(last) >= count)
        return false;
    if (first <= last)
        ctx.Charge(static_cast<std::size_t>(last - first) + 1);
    for (std::int32_t i = first; i <= last; ++i)
        if (!ctx.values[static_cast<std::size_t>(i)].IsInt())
            return false;
    return true;
}

}  // namespace baudrill
