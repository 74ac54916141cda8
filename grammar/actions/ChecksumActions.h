#pragma once

#include "grammar/GrammarActions.h"

namespace baudrill {

// CRC-16/MODBUS over a bounded range of bytes. "crc_start" and "crc_end" push
// the range's first and last byte index onto intRegs(11) (input indexes in
// parse, output indexes in compose); in compose they also push `next` onto
// intRegs(12). The argument is ignored.

// "crc_start": the index of the next byte.
bool ParseCrcStart(ParseContext& ctx, Value arg);
bool ComposeCrcStart(ComposeContext& ctx, Value arg);

// "crc_end": the index of the last byte consumed or written; fails when there is none.
bool ParseCrcEnd(ParseContext& ctx, Value arg);
bool ComposeCrcEnd(ComposeContext& ctx, Value arg);

// "crc_modbus": pops the two bounds. Composing appends the range's sum, low
// byte first, and fails on a range that is empty or outside the output.
// Parsing compares the sum with the two bytes at `pos` without consuming them;
// an end below the start is the empty range, whose sum is 0xFFFF.
bool ParseCrcModbus(ParseContext& ctx, Value arg);
bool ComposeCrcModbus(ComposeContext& ctx, Value arg);

// "crc_wake" computes no sum. Parsing always succeeds; composing checks that
// the values from the lower to the upper value bound (the top two entries of
// intRegs(12), left in place) exist and are all ints.
bool ParseCrcWake(ParseContext& ctx, Value arg);
bool ComposeCrcWake(ComposeContext& ctx, Value arg);

}  // namespace baudrill
