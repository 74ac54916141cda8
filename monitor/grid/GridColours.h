#pragma once

namespace baudrill {

// A colour as red, green and blue, each 0 to 255.
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;

    bool operator==(const Rgb&) const = default;
};

// The colour values the log grid mixes its cell colours from.
namespace colour {
inline constexpr Rgb Gray{128, 128, 128};
inline constexpr Rgb Blue{0, 0, 128};
inline constexpr Rgb Yellow{255, 255, 0};
inline constexpr Rgb LtGreen{0, 255, 0};
inline constexpr Rgb LtYellow{255, 255, 192};
inline constexpr Rgb LtBlue{0, 0, 255};
}  // namespace colour

// Mixes `alpha`/256 of c2 into c1, per component c1 + floor((c2 - c1) * a' / 256) with
// a' = alpha + (alpha >> 7), so that 255 gives all of c2; results stay within 0 to 255.
Rgb Blend(Rgb c1, Rgb c2, int alpha);

// Green for a received row, blue for a sent one.
Rgb RowTint(bool received);

// The direction cell's paper; the paper of the time, protocol and dump cells.
Rgb DirectionPaper(Rgb paper, bool received);
Rgb CellPaper(Rgb paper, bool received);

// The colours of one dump cell, from the paper and ink the grid chose for its row.
struct DumpColours {
    Rgb background;     // the whole cell
    Rgb hexBackground;  // behind the hexadecimal part
    Rgb characterInk;
    Rgb hexInk;
    Rgb lineHighlight;  // the dump line under the mouse
    Rgb byteHighlight;  // the byte under the mouse, in both parts
};
DumpColours DumpColoursFor(Rgb paper, Rgb ink, bool received, bool cursorRow);

}  // namespace baudrill
