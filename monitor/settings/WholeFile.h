#pragma once

#include <string>
#include <string_view>

namespace baudrill {

// Reads the whole file into `bytes`; false (and `bytes` empty) when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// Writes the bytes to a temporary file beside `path`, flushes it to the disk and renames it over
// `path`, so a store that fails half-way keeps the old file. False when anything failed; the
// temporary file is then removed.
bool WriteFileReplacing(const std::string& path, std::string_view bytes);

}  // namespace baudrill
