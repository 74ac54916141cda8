#pragma once

#include <string>
#include <string_view>

namespace baudrill {

// Appends the log-file form of one traffic row to `out`: a header line (the time text, " >> "
// for a received row or " << " for a sent one, the protocol text) and one dump line for each
// 16 bytes: an indent of the time text's width plus 4, the bytes as characters (below 0x20 as
// '.'), blanks for missing bytes, three blanks, two upper-case hex digits and a blank per
// byte. Lines end with LF. A row without bytes appends nothing.
void AppendLogRow(std::string& out, std::string_view timeText, bool received,
                  std::string_view bytes, std::string_view protocolText);

}  // namespace baudrill
