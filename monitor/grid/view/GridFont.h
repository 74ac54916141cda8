#pragma once

#include <QFont>

namespace baudrill {

// The fonts and measures of the log grid, shared by every port: the cell font (CellFont.h)
// two pixels taller than the standard GUI font, its character width and line height, and the
// standard font's measures that the time and protocol columns use. They are taken once, on
// first use while the application object exists, and forgotten with it (only the fonts'
// descriptions are kept, so no font outlives the application; the next application measures
// anew). GUI thread only; before the application exists the measures are fallbacks.
QFont GridFont();
int GridCharWidth();   // every character of GridFont advances this many whole pixels
int GridLineHeight();  // ascent + descent of GridFont

// The standard GUI font's cell height (ascent + descent), and that font one pixel lower, in
// which the protocol column writes.
int StdFontCellHeight();
QFont ProtocolFont();

}  // namespace baudrill
