#pragma once

#include <string>
#include <vector>

#include "grammar/Uuid.h"

namespace baudrill {

class ArticleNamespace;

// The protocol files and which protocols each one holds. Loading turns every stored protocol
// into an article of the grammar namespace "BNF" and remembers its uid under its file; storing
// writes each remembered file back with the protocols still in the namespace. GUI thread only,
// like the grammar engine.
class ProtoFileSet {
public:
    // One protocol file: its path as first met and its protocols' uids in file order, those
    // added in the editor appended.
    struct FileEntry {
        std::string path;
        std::vector<Uuid> uids;
    };

    // `programFolder` holds the main file "Baudrill.proto"; `userFolder` is the per-user folder,
    // which holds "user.proto" for new protocols.
    ProtoFileSet(std::string programFolder, std::string userFolder);

    // The main file first, then every "*.proto" of the per-user folder, then those of the
    // program folder except the main file. A file reached twice is loaded once.
    void LoadAll();
    // Loads every "*.proto" file of the folder, in the order the file system lists them, except
    // directories and the entry named `skip` (none when empty).
    void ScanFolder(const std::string& folder, const std::string& skip);
    // Loads one file; false when it is missing, unreadable, not well-formed or already loaded.
    bool LoadFile(const std::string& path);

    // Writes every remembered file back. A file that is there but not readable as a protocol
    // file is kept as "<name>.bak" before it is replaced. Gives the number of files that could
    // not be written (each of them keeps its old content).
    int StoreAll() const;
    // The records of one remembered file as they would be stored now.
    bool StoreFile(const FileEntry& entry) const;

    // The path that new protocols are stored under: "user.proto" in the per-user folder.
    std::string UserProtoPath() const;
    // Files the uid under the file (the entry is made when absent).
    void Remember(const std::string& path, const Uuid& uid);
    // Takes the uid out of the first file that holds it.
    void Forget(const Uuid& uid);

    const std::vector<FileEntry>& Files() const { return files_; }
    const std::string& ProgramFolder() const { return programFolder_; }
    const std::string& UserFolder() const { return userFolder_; }

private:
    FileEntry* FindFile(const std::string& path);

    std::string programFolder_;
    std::string userFolder_;
    std::vector<FileEntry> files_;
    std::vector<std::string> loaded_;  // canonical paths of the files read
};

// The namespace that protocols live in ("BNF").
// (Written "ArticleNamespace": the constant GrammarNamespace of ProgramTexts.h hides the name.)
ArticleNamespace& ProtocolNamespace();

// A path's canonical form (links and "." resolved; the path itself when it cannot be had), by
// which two names of one file compare equal.
std::string CanonicalPath(const std::string& path);

}  // namespace baudrill
