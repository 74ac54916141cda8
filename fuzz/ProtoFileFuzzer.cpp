// A protocol file as the program loads and stores it: the input is the file's text. Every
// article becomes a protocol (its rule compiled, into elements linear in the rule's length),
// and the store writes the same protocols back, each under a uid of its own, in a file that
// reads back to itself.
#include <fstream>
#include <string>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "grammar/compiler/GrammarBuiltins.h"
#include "monitor/files/WholeFile.h"
#include "monitor/protocols/ProtoFileFormat.h"
#include "monitor/protocols/ProtoFileSet.h"

using namespace baudrill;

namespace {

bool Written(const std::string& path, std::string_view text)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(file);
}

void CheckStored(const std::vector<ArticleRecord>& read, const std::vector<ArticleRecord>& stored)
{
    fuzz::Require(stored.size() == read.size(), "every article is stored back");
    for (std::size_t i = 0; i < read.size(); ++i) {
        const ArticleRecord& r = read[i];
        const ArticleRecord& s = stored[i];
        fuzz::Require(s.name == r.name && s.desc == r.desc && s.comment == r.comment,
                      "a stored protocol keeps its name, rule text and comment");
        fuzz::Require(!s.uid.IsNull(), "a stored protocol has a uid");
        bool metBefore = r.uid.IsNull();
        for (std::size_t j = 0; j < i; ++j) {
            fuzz::Require(stored[j].uid != s.uid, "every stored protocol has a uid of its own");
            metBefore = metBefore || read[j].uid == r.uid;
        }
        fuzz::Require(metBefore || s.uid == r.uid, "a protocol keeps the uid it was read with");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool ready = (InitGrammarBuiltins(), true);
    (void)ready;
    const std::string_view text = fuzz::BytesOf(data, size);
    const std::string& folder = fuzz::ScratchFolder();
    const std::string path = folder + "/fuzzed.proto";
    fuzz::Require(Written(path, text), "the scratch file is written");

    const fuzz::NamespaceCounts before;
    const std::optional<std::vector<ArticleRecord>> read = ReadProtoText(text);
    ProtoFileSet files(folder, folder);
    fuzz::Require(files.LoadFile(path) == read.has_value(), "a file loads when it is well-formed");
    std::size_t allowed = 0;
    for (const ArticleRecord& record : read.value_or(std::vector<ArticleRecord>()))
        allowed += fuzz::ElementsAllowed(record.desc.size());
    fuzz::Require(before.ElementsMade() <= allowed, "a compile makes elements linear in its text");
    fuzz::Require(files.StoreAll() == 0, "the file is stored");

    if (read && !read->empty()) {
        std::string storedText;
        fuzz::Require(ReadWholeFile(path, storedText), "the stored file reads");
        const std::optional<std::vector<ArticleRecord>> stored = ReadProtoText(storedText);
        fuzz::Require(stored.has_value(), "a stored file is well-formed");
        CheckStored(*read, *stored);
        fuzz::Require(ProtoText(*stored) == storedText, "a stored file is written again as it stands");
    }
    before.Restore();
    return 0;
}
