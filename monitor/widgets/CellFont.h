#pragma once

#include <QFont>
#include <QString>

namespace baudrill {

// The font family for text laid out in character cells: the log grid's dump, whose mouse hit
// test counts in cells, and the previews and code of the rich-text views. What such text
// needs is that every character it can show advances as far as every other; whether the
// font calls itself fixed-pitch does not matter (some monospaced fonts do not, and Qt then
// reports them proportional). The family is the system's fixed-pitch font when it holds,
// else the first installed family that holds, else the system's; it is chosen once for each
// application. GUI thread only; empty while no GUI application exists.
QString CellFontFamily();

// A font of the cell family, `pixelSize` high.
QFont CellFont(int pixelSize);

// The characters that must advance alike: every one the dump can show (the OEM code page's
// printable characters, the '.' of control bytes, the hexadecimal digits and the blank).
QString CellCharacters();

// True when every character of `characters` advances as far as every other in `font`.
bool AdvancesAlike(const QFont& font, const QString& characters);

}  // namespace baudrill
