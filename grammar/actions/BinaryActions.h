#pragma once

#include "grammar/GrammarActions.h"

namespace baudrill {

// Fixed-width binary numbers: integers in two's complement, floating point as
// IEEE 754 binary64, little-endian unless the name ends in "Be". Parsing reads
// at `pos` and appends the number; composing takes the next value, which must
// be of the action's kind (int, or double for the 8-byte forms), and writes it
// cut to the action's width. The argument is ignored.
bool ParseByte(ParseContext& ctx, Value arg);  // "byte": int 0..255
bool ComposeByte(ComposeContext& ctx, Value arg);
bool ParseWord(ParseContext& ctx, Value arg);  // "word": int 0..65535
bool ComposeWord(ComposeContext& ctx, Value arg);
bool ParseDword(ParseContext& ctx, Value arg);  // "dword": the 32 bits as a signed int
bool ComposeDword(ComposeContext& ctx, Value arg);
bool ParseDouble(ParseContext& ctx, Value arg);  // "double" and "float": 8 bytes
bool ComposeDouble(ComposeContext& ctx, Value arg);
bool ParseWordBe(ParseContext& ctx, Value arg);  // "word_be"
bool ComposeWordBe(ComposeContext& ctx, Value arg);
bool ParseDwordBe(ParseContext& ctx, Value arg);  // "dword_be"
bool ComposeDwordBe(ComposeContext& ctx, Value arg);
bool ParseDoubleBe(ParseContext& ctx, Value arg);  // "double_be" and "float_be"
bool ComposeDoubleBe(ComposeContext& ctx, Value arg);

// "any": parsing skips one byte and appends nothing; composing always fails.
bool ParseAny(ParseContext& ctx, Value arg);
bool ComposeAny(ComposeContext& ctx, Value arg);

// "arg": parsing appends the argument itself and consumes nothing; composing
// takes the next value and succeeds when it equals the argument, writing nothing.
bool ParseArg(ParseContext& ctx, Value arg);
bool ComposeArg(ComposeContext& ctx, Value arg);

}  // namespace baudrill
