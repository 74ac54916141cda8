#include "monitor/grid/GridColours.h"

#include <algorithm>

namespace baudrill {

namespace {

int BlendComponent(int c1, int c2, int alpha)
{
    // An arithmetic shift floors negative differences, as the mix is defined.
    return std::clamp(c1 + (((c2 - c1) * alpha) >> 8), 0, 255);
}

}  // namespace

Rgb Blend(Rgb c1, Rgb c2, int alpha)
{
    alpha += alpha >> 7;
    return {BlendComponent(c1.red, c2.red, alpha), BlendComponent(c1.green, c2.green, alpha),
            BlendComponent(c1.blue, c2.blue, alpha)};
}

Rgb RowTint(bool received) { return received ? colour::LtGreen : colour::LtBlue; }

Rgb DirectionPaper(Rgb paper, bool received) { return Blend(paper, RowTint(received), 50); }

Rgb CellPaper(Rgb paper, bool received) { return Blend(paper, RowTint(received), 14); }

DumpColours DumpColoursFor(Rgb paper, Rgb ink, bool received, bool cursorRow)
{
    DumpColours c;
    c.background = CellPaper(paper, received);
    c.hexBackground = Blend(c.background, colour::Gray, 14);
    c.characterInk = cursorRow ? ink : Blend(colour::Blue, colour::LtBlue, 128);
    c.hexInk = Blend(ink, colour::Gray, 64);
    c.lineHighlight = cursorRow ? Blend(c.background, colour::LtGreen, 64) : Blend(c.background, colour::LtYellow, 200);
    c.byteHighlight =
        cursorRow ? Blend(c.lineHighlight, colour::LtGreen, 128) : Blend(c.lineHighlight, colour::Yellow, 220);
    return c;
}

}  // namespace baudrill
