#pragma once

#include <cstdint>
#include <string>

namespace baudrill {

// Numbers as the C conversions "%d" and "%f" write them, with the field width
// that the text actions build from their argument: a width of 1 to 9 carries the
// zero flag ("%05d": zeros after any sign), a width of 10 or more does not
// ("%12d": blanks in front), a width of 0 or less means none. A number longer
// than its width is never cut. Written on std::to_chars: no locale can turn the
// point of "%f" into a comma.

// "%<width>d" of an int or int64.
std::string FormatDecimal(std::int64_t value, int width = 0);

// "%<width>f": fixed notation, six digits after a point. Infinities and NaNs
// are written "inf", "-inf", "nan" and filled with blanks only, as C does.
std::string FormatFixed(double value, int width = 0);

}  // namespace baudrill
