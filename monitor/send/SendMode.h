#pragma once

namespace baudrill {

// The send modes: which send pane a port shows and sends from. The settings file stores a
// port's mode as this number.
enum SendMode : int { ModeProto = 0, ModeAscii = 1, ModeHex = 2 };

}  // namespace baudrill
