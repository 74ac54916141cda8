#pragma once

#include <string>

namespace baudrill {

// Reads the whole file into `text`; false when it cannot be opened or read (a folder, say).
bool ReadFileText(const std::string& path, std::string& text);

// Replaces the file's content with `text` without ever leaving a partly written file: the text
// goes to "<path>.tmp", which is flushed to the disk and then renamed over the file. On failure
// the old file stays as it was and the temporary file is removed. The file keeps its
// permissions. `path` should name the file itself, not a link to it (see CanonicalPath).
bool ReplaceFileText(const std::string& path, const std::string& text);

}  // namespace baudrill
