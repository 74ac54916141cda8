#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace baudrill {

// The size of the blocks in which a row goes to its log file, whatever the row's length.
inline constexpr std::size_t LogBlockBytes = 32 * 1024;

// Takes one block of a row's log-file form; false when it could not be written.
using LogBlockSink = std::function<bool(std::string_view block)>;

// Writes the log-file form of one traffic row: a header line (the time text, " >> " for a
// received row or " << " for a sent one, the protocol text) and one dump line for each 16
// bytes: an indent of the time text's width plus 4, the bytes as characters (below 0x20 as
// '.'), blanks for missing bytes, three blanks, two upper-case hex digits and a blank per
// byte. Lines end with LF. A row without bytes writes nothing.
//
// The text is built in `block` and handed to `sink` about LogBlockBytes of whole lines at a
// time (a time or protocol text longer than that goes on its own), so `block`, reused from row
// to row, stays that size however long the row. Stops at the first block the sink refuses and
// returns false then.
bool WriteLogRow(std::string& block, std::string_view timeText, bool received, std::string_view bytes,
                 std::string_view protocolText, const LogBlockSink& sink);

}  // namespace baudrill
