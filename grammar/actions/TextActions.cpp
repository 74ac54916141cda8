#include "grammar/actions/TextActions.h"

#include "grammar/ByteString.h"
#include "grammar/ComposeContext.h"
#include "grammar/NumberText.h"
#include "grammar/ParseContext.h"
#include "grammar/actions/DecimalConversion.h"
#include "grammar/actions/DecimalFormat.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace baudrill {

namespace {

// Bound on digit counts and field widths, so a rule cannot make one action
// read or write without limit.
constexpr int MaxTextWidth = 65536;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return DigitValue(static_cast<unsigned char>(c)) < 16; }
bool IsSign(char c) { return c == '-' || c == '+'; }
bool IsSeparator(char c) { return c == '.' || c == ','; }
bool IsPrintable(char c) { return static_cast<signed char>(c) >= 0x20; }

// The length of the run of printable bytes at the start of `text`.
std::size_t PrintableRun(std::string_view text)
{
    return static_cast<std::size_t>(std::find_if_not(text.begin(), text.end(), IsPrintable) - text.begin());
}

// The digit count of "hex": an int, a negative one counting as 0.
bool HexDigitCount(const Value& arg, int& count)
{
    if (!arg.IsInt())
        return false;
    count = std::max(arg.GetInt(), 0);
    return count <= MaxTextWidth;
}

// The field width of "str_int" and "str_float": an int above 0, else none (0).
bool FieldWidth(const Value& arg, int& width)
{
    width = arg.IsInt() && arg.GetInt() > 0 ? arg.GetInt() : 0;
    return width <= MaxTextWidth;
}

bool ComposeHexDigits(ComposeContext& ctx, const Value& arg, bool upperCase)
{
    const Value* value = ctx.TakeValue();
    int count = 0;
    if (!value || !value->IsInt() || !HexDigitCount(arg, count))
        return false;
    std::string digits = Right(FormatIntHex(static_cast<std::uint32_t>(value->GetInt()), count), count);
    if (upperCase)
        std::transform(digits.begin(), digits.end(), digits.begin(),
                       [](char c) { return c >= 'a' && c <= 'f' ? static_cast<char>(c - 'a' + 'A') : c; });
    ctx.Write(digits);
    return true;
}

}  // namespace

bool ParseHex(ParseContext& ctx, Value arg)
{
    int count = 0;
    if (!HexDigitCount(arg, count) || !ctx.Has(static_cast<std::size_t>(count)))
        return false;
    ctx.AddValue(Value(ScanInt(ctx.Bytes(static_cast<std::size_t>(count)), 16)));
    ctx.Advance(static_cast<std::size_t>(count));
    return true;
}

bool ComposeHex(ComposeContext& ctx, Value arg) { return ComposeHexDigits(ctx, arg, false); }

bool ComposeHexUpper(ComposeContext& ctx, Value arg) { return ComposeHexDigits(ctx, arg, true); }

bool ParseStrInt(ParseContext& ctx, Value)
{
    if (ctx.Peek(0) == '0' && ctx.Peek(1) == 'x' && ctx.Peek(2) >= 0) {
        // Once "0x" is seen the text must be hexadecimal: no retry as decimal.
        const std::size_t end = ctx.RunEnd(2, IsHexDigit);
        if (end == 2)
            return false;
        ctx.AddValue(Value(ScanInt(ctx.Bytes(end).substr(2), 16)));
        ctx.Advance(end);
        return true;
    }
    const int first = ctx.Peek(0);
    if (first < 0 || !(IsDigit(static_cast<char>(first)) || IsSign(static_cast<char>(first))))
        return false;
    const std::size_t end = ctx.RunEnd(1, IsDigit);
    ctx.AddValue(Value(ConvertDecimalInt(ctx.Bytes(end))));
    ctx.Advance(end);
    return true;
}

bool ComposeStrInt(ComposeContext& ctx, Value arg)
{
    const Value* value = ctx.TakeValue();
    int width = 0;
    if (!value || !FieldWidth(arg, width))
        return false;
    if (value->IsInt())
        ctx.Write(FormatDecimal(value->GetInt(), width));
    else if (value->IsInt64())
        ctx.Write(FormatDecimal(value->GetInt64(), width));
    else
        return false;
    return true;
}

bool ParseStrFloat(ParseContext& ctx, Value)
{
    const int first = ctx.Peek(0);
    if (first < 0)
        return false;
    const char c = static_cast<char>(first);
    if (!(IsDigit(c) || IsSign(c) || IsSeparator(c)))
        return false;
    const std::size_t end = ctx.RunEnd(1, [](char b) { return IsDigit(b) || IsSeparator(b); });
    const std::string_view text = ctx.Bytes(end);
    if (std::none_of(text.begin(), text.end(), IsSeparator))
        return false;  // a number without a decimal separator is no float here
    // The whole run is consumed, also what the conversion leaves ("1.2.3" is 1.2).
    ctx.AddValue(Value(ConvertDecimalDouble(text)));
    ctx.Advance(end);
    return true;
}

bool ComposeStrFloat(ComposeContext& ctx, Value arg)
{
    const Value* value = ctx.TakeValue();
    int width = 0;
    if (!value || !value->IsDouble() || !FieldWidth(arg, width))
        return false;
    ctx.Write(FormatFixed(value->GetDouble(), width));
    return true;
}

bool ParseStrQuoted(ParseContext& ctx, Value)
{
    if (ctx.Peek(0) != '"')
        return false;
    std::string text;
    std::size_t i = 1;
    for (int c = ctx.Peek(i); c >= 0; c = ctx.Peek(i)) {
        const int next = c == '\\' ? ctx.Peek(i + 1) : -1;
        if (next == '"' || next == '\\') {
            text += static_cast<char>(next);
            i += 2;
        } else if (c == '\\' && ctx.Peek(i + 2) >= 0) {
            const char digits[] = {static_cast<char>(next), static_cast<char>(ctx.Peek(i + 2))};
            text += ScanHexByte(std::string_view(digits, 2));
            i += 3;
        } else if (c == '"') {
            ctx.Charge(i);
            ctx.AddValue(Value(std::move(text)));
            ctx.Advance(i + 1);
            return true;
        } else {
            text += static_cast<char>(c);
            ++i;
        }
    }
    ctx.Charge(i);
    return false;  // no closing quote
}

bool ComposeStrQuoted(ComposeContext& ctx, Value)
{
    const Value* value = ctx.TakeValue();
    if (!value || !value->IsString())
        return false;
    std::string_view text = value->GetString();
    ctx.WriteByte('"');
    while (!text.empty()) {
        const std::size_t plain = static_cast<std::size_t>(
            std::find_if(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }) -
            text.begin());
        ctx.Write(text.substr(0, plain));
        text.remove_prefix(plain);
        if (text.empty())
            break;
        std::string escape = "\\";
        AppendHexByte(escape, static_cast<unsigned char>(text.front()));
        ctx.WriteEscape(escape);
        text.remove_prefix(1);
    }
    ctx.WriteByte('"');
    return true;
}

bool ParseStrNonctrl(ParseContext& ctx, Value)
{
    const std::size_t end = ctx.RunEnd(0, IsPrintable);
    ctx.AddValue(Value(ctx.Bytes(end)));
    ctx.Advance(end);
    return true;
}

bool ComposeStrNonctrl(ComposeContext& ctx, Value)
{
    const Value* value = ctx.TakeValue();
    if (!value || !value->IsString())
        return false;
    const std::string_view text = value->GetString();
    ctx.Write(text.substr(0, PrintableRun(text)));
    return true;
}

}  // namespace baudrill
