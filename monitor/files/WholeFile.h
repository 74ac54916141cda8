#pragma once

#include <string>
#include <string_view>

namespace baudrill {

// Reads the whole file into `bytes`; false (and `bytes` empty) when it cannot be read or is not
// a regular file.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// Writes the bytes to a temporary file beside `path`, flushes it to the disk and renames it over
// `path`, so a store that fails half-way keeps the old file. The file keeps its permissions;
// `path` should name the file itself, not a link to it. False when anything failed; the
// temporary file is then removed.
bool WriteFileReplacing(const std::string& path, std::string_view bytes);

// The temporary file that WriteFileReplacing writes first. The process id keeps two programs
// storing into one folder off each other's file.
std::string TemporaryFileFor(const std::string& path);

}  // namespace baudrill
