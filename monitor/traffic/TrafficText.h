#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "grammar/Value.h"

namespace baudrill {

// The time text of a row: "mm:ss.mmm" of the milliseconds from `startTick` to `tick`, taken
// modulo 2^32 as an unsigned count, with the minutes modulo 60 (the text repeats every hour).
std::string RowTimeText(uint32_t tick, uint32_t startTick);

// The decoded values of a row: each value after one blank; with `hex`, an int (not an int64)
// as "0x" and at least two lower-case hexadecimal digits of its 32 bits, every other value in
// its text form.
std::string ValuesText(const ValueList& values, bool hex);

// What a row's log entry says about its decoding: empty unless both the protocol name and the
// values text are there, else "name : values".
std::string LogProtocolText(std::string_view protoName, std::string_view protoValues);

}  // namespace baudrill
