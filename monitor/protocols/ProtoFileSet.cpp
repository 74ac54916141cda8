#include "monitor/protocols/ProtoFileSet.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "grammar/BNFarticle.h"
#include "grammar/ArticleNamespace.h"
#include "grammar/GrammarRegistry.h"
#include "grammar/compiler/ArticleFactory.h"
#include "monitor/text/ProgramTexts.h"
#include "monitor/files/WholeFile.h"
#include "monitor/protocols/ProtoFileFormat.h"

namespace baudrill {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view protoExtension = ".proto";

bool IsProtoFileName(const std::string& name)
{
    return name.size() >= protoExtension.size() &&
           name.compare(name.size() - protoExtension.size(), protoExtension.size(), protoExtension) == 0;
}

// A file that is there but is no protocol file we can read: storing over it would lose it.
bool HoldsUnreadableFile(const std::string& path)
{
    std::error_code error;
    if (!fs::exists(path, error))
        return false;
    std::string text;
    return !ReadWholeFile(path, text) || !ReadProtoText(text);
}

}  // namespace

ArticleNamespace& ProtocolNamespace() { return GrammarRegistry::Instance().GetAdd(GrammarNamespace); }

std::string CanonicalPath(const std::string& path)
{
    std::error_code error;
    const fs::path canonical = fs::weakly_canonical(path, error);
    return error ? path : canonical.string();
}

ProtoFileSet::ProtoFileSet(std::string programFolder, std::string userFolder)
    : programFolder_(std::move(programFolder)), userFolder_(std::move(userFolder))
{
}

std::string ProtoFileSet::UserProtoPath() const { return userFolder_ + "/user.proto"; }

void ProtoFileSet::LoadAll()
{
    LoadFile(programFolder_ + "/" + ProtoFileName);

    struct Scan {
        std::string folder;
        std::string skip;
    };
    std::vector<Scan> scans;
    for (Scan scan : {Scan{userFolder_, ""}, Scan{programFolder_, ProtoFileName}}) {
        const std::string canonical = CanonicalPath(scan.folder);
        const bool met = std::any_of(scans.begin(), scans.end(),
                                     [&](const Scan& s) { return CanonicalPath(s.folder) == canonical; });
        if (!met)
            scans.push_back(std::move(scan));
    }
    for (const Scan& scan : scans)
        ScanFolder(scan.folder, scan.skip);
}

void ProtoFileSet::ScanFolder(const std::string& folder, const std::string& skip)
{
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    if (error)
        return;
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : entries) {
        std::error_code kindError;
        if (entry.is_directory(kindError))
            continue;
        const std::string name = entry.path().filename().string();
        if (!IsProtoFileName(name) || (!skip.empty() && name == skip))
            continue;
        names.push_back(name);
    }
    for (const std::string& name : names)
        LoadFile(folder + "/" + name);
}

bool ProtoFileSet::LoadFile(const std::string& path)
{
    const std::string canonical = CanonicalPath(path);
    if (std::find(loaded_.begin(), loaded_.end(), canonical) != loaded_.end())
        return false;
    std::string text;
    if (!ReadWholeFile(path, text))
        return false;
    loaded_.push_back(canonical);
    const std::optional<std::vector<ArticleRecord>> records = ReadProtoText(text);
    if (!records)
        return false;
    ArticleNamespace& protocols = ProtocolNamespace();
    for (ArticleRecord record : *records) {
        // A uid already taken (a file copied beside its original, say) would make both
        // protocols one on lookup and the second's content would be lost at the store.
        if (record.uid.IsNull() || protocols.Find(record.uid) >= 0)
            record.uid = Uuid::Create();
        BNFarticle* article = CreateArticleWithUuid(GrammarNamespace, record.name, record.desc, record.uid);
        article->name = record.name;
        article->desc = record.desc;
        article->comment = record.comment;
        Remember(path, record.uid);
    }
    return true;
}

ProtoFileSet::FileEntry* ProtoFileSet::FindFile(const std::string& path)
{
    const std::string canonical = CanonicalPath(path);
    for (FileEntry& file : files_)
        if (file.path == path || CanonicalPath(file.path) == canonical)
            return &file;
    return nullptr;
}

void ProtoFileSet::Remember(const std::string& path, const Uuid& uid)
{
    FileEntry* file = FindFile(path);
    if (!file)
        file = &files_.emplace_back(FileEntry{path, {}});
    file->uids.push_back(uid);
}

void ProtoFileSet::Forget(const Uuid& uid)
{
    for (FileEntry& file : files_) {
        const auto found = std::find(file.uids.begin(), file.uids.end(), uid);
        if (found != file.uids.end()) {
            file.uids.erase(found);
            return;
        }
    }
}

bool ProtoFileSet::StoreFile(const FileEntry& file) const
{
    const ArticleNamespace& protocols = ProtocolNamespace();
    std::vector<ArticleRecord> records;
    for (const Uuid& uid : file.uids) {
        const BNFarticle* article = protocols.Get(uid);
        if (!article)
            continue;  // deleted in the editor
        const bool written =
            std::any_of(records.begin(), records.end(), [&](const ArticleRecord& r) { return r.uid == uid; });
        if (!written)
            records.push_back({article->name, article->desc, article->comment, uid});
    }
    // A file reached through a link is written where the link points, so the link stays.
    const std::string target = CanonicalPath(file.path);
    std::error_code error;
    // The per-user folder is normally made at start-up; a missing one must not lose new protocols.
    fs::create_directories(fs::path(target).parent_path(), error);
    if (HoldsUnreadableFile(target)) {
        fs::copy_file(target, target + ".bak", fs::copy_options::overwrite_existing, error);
        if (error)
            return false;
    }
    return WriteFileReplacing(target, ProtoText(records));
}

int ProtoFileSet::StoreAll() const
{
    int failed = 0;
    for (const FileEntry& file : files_)
        if (!StoreFile(file))
            ++failed;
    return failed;
}

}  // namespace baudrill
