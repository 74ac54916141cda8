#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "grammar/Uuid.h"

namespace baudrill {

// The encoders of the three send modes: each turns the entry text of one send slot into the
// bytes to send and a rich-text preview of them ("[+70C ...]"). They replace both outputs,
// touch no control and keep no state (but the value-list article EncodeProto makes once).
// GUI thread only, like the grammar engine they use.

// A preview shows at most this many bytes of a block; the block itself is never cut.
inline constexpr std::size_t PreviewByteLimit = 10000;

// ASCII: `\\`, `\"` and `\XX` (two characters read as a base-16 number) are escapes, every other
// character is its own byte; CR and LF append 0x0D and 0x0A. The preview lists the bytes as
// hexadecimal digits.
void EncodeAscii(const std::string& text, bool cr, bool lf, std::string& bytes, std::string& preview);

// HEX: two-digit hexadecimal byte values; the separators ` ,;-/\|` are skipped and text between
// quotes (either kind closes a run) is sent as it stands. The preview shows the bytes as OEM
// characters, control bytes as ".".
void EncodeHex(const std::string& text, std::string& bytes, std::string& preview);

// PROTO: the text is read as a list of values (floats, ints and quoted strings) and composed
// into a frame by the protocol of the namespace "BNF" with that Uuid. Both outputs are empty
// when there is no such protocol, the text does not parse or the compose fails. The preview
// has the ASCII form.
void EncodeProto(const std::string& text, Uuid protocol, std::string& bytes, std::string& preview);

// The ASCII preview of a block: "[+70C " + its first PreviewByteLimit bytes as blank-separated
// upper-case hexadecimal digits (+ " ..." when cut) + "]".
std::string HexDigitsPreview(std::string_view bytes);

// The HEX preview of a block: "[+70C " + its first PreviewByteLimit bytes as OEM characters,
// control bytes shown as "." (+ ">>>more..." when cut) + "]".
std::string OemCharsPreview(std::string_view bytes);

}  // namespace baudrill
