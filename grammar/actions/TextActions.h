#pragma once

#include "grammar/GrammarActions.h"

namespace baudrill {

// Numbers and strings in text form. Parsing reads text at `pos` and appends
// one value; composing takes the next value, which must be of the action's
// kind, and writes its text. Counts and widths above 65536 fail the action.

// "hex" and "HEX": an int as exactly N hexadecimal digits, N the int argument
// (a negative N counts as 0). Parsing consumes N bytes whatever they hold (no
// leading digit gives the int null); composing writes the low 4*N bits, or all
// eight digits zero-filled to N when N > 8. "HEX" writes upper-case digits.
bool ParseHex(ParseContext& ctx, Value arg);
bool ComposeHex(ComposeContext& ctx, Value arg);
bool ComposeHexUpper(ComposeContext& ctx, Value arg);

// "str_int": parses "0x" and hexadecimal digits, or an optional sign and
// decimal digits (out of range: the int null). Composes an int or int64 as
// "%d", with the minimum field width given by an int argument above 0.
bool ParseStrInt(ParseContext& ctx, Value arg);
bool ComposeStrInt(ComposeContext& ctx, Value arg);

// "str_float": parses an optional sign followed by digits, points and commas,
// which must hold a point or a comma; composes a double as "%f" (six decimals,
// always a point) with the same width rule as "str_int".
bool ParseStrFloat(ParseContext& ctx, Value arg);
bool ComposeStrFloat(ComposeContext& ctx, Value arg);

// "str_quoted": a string between double quotes. Parsing resolves \" \\ and \XX
// (two hexadecimal digits); composing writes bytes below 0x20 as \XX with
// upper-case digits, recorded as escapes of the output, and every other byte
// unchanged.
bool ParseStrQuoted(ParseContext& ctx, Value arg);
bool ComposeStrQuoted(ComposeContext& ctx, Value arg);

// "str_nonctrl": a run of printable bytes (0x20 to 0x7F). Parsing takes the
// run at `pos`, possibly empty, and never fails; composing writes the string up
// to its first byte that is not printable.
bool ParseStrNonctrl(ParseContext& ctx, Value arg);
bool ComposeStrNonctrl(ComposeContext& ctx, Value arg);

}  // namespace baudrill
