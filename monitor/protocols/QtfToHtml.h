#pragma once

#include <string>
#include <string_view>

namespace baudrill {

// Converts the part of the program's rich-text markup that the help text uses to HTML:
//   [codes text]  formats `text` (which may hold further brackets) by the codes before the
//                 first blank: '*' bold, '/' italic, '_' underline, 'C' fixed pitch, '^' a
//                 heading; other codes (sizes, colours, paragraph codes up to ';') are passed over
//   &             ends a paragraph; the spans still open go on in the next one, which opens
//                 each format they set once
//   `c            the character c itself (so "`[", "`]", "`&" and "``")
// Line breaks in the text are spaces, as in the markup. Text is escaped for HTML; a bracket
// left open is closed at the end. The output and the time grow linearly with the text.
std::string QtfToHtml(std::string_view qtf);

}  // namespace baudrill
