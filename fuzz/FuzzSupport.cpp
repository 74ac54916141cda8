#include "fuzz/FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "grammar/BNFarticle.h"
#include "grammar/GrammarRegistry.h"

namespace baudrill::fuzz {

void Require(bool holds, const char* promise)
{
    if (holds)
        return;
    std::fprintf(stderr, "==fuzz== broken promise: %s\n", promise);
    std::abort();
}

std::vector<std::string> SplitAtNul(std::string_view input, std::size_t count)
{
    std::vector<std::string> parts;
    while (parts.size() + 1 < count) {
        const std::size_t nul = input.find('\0');
        if (nul == std::string_view::npos)
            break;
        parts.emplace_back(input.substr(0, nul));
        input.remove_prefix(nul + 1);
    }
    parts.emplace_back(input);
    parts.resize(count);
    return parts;
}

namespace {

// Made on first use, removed with everything in it when the process ends.
struct Scratch {
    Scratch()
    {
        namespace fs = std::filesystem;
        std::error_code error;
        const fs::path base = fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
        folder = (base / ("baudrill-fuzz-" + std::to_string(getpid()))).string();
        fs::create_directories(folder, error);
        Require(!error, "a scratch folder can be made");
    }
    ~Scratch()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    std::string folder;
};

}  // namespace

const std::string& ScratchFolder()
{
    static const Scratch scratch;
    return scratch.folder;
}

NamespaceCounts::NamespaceCounts()
{
    const GrammarRegistry& registry = GrammarRegistry::Instance();
    for (int i = 0; i < registry.GetCount(); ++i)
        counts_.push_back(registry.At(i)->GetCount());
}

namespace {

int CountBefore(const std::vector<int>& counts, int space)
{
    return space < static_cast<int>(counts.size()) ? counts[static_cast<std::size_t>(space)] : 0;
}

}  // namespace

void NamespaceCounts::Restore() const
{
    const GrammarRegistry& registry = GrammarRegistry::Instance();
    for (int i = 0; i < registry.GetCount(); ++i)
        registry.At(i)->Trim(CountBefore(counts_, i));
}

std::size_t NamespaceCounts::ElementsMade() const
{
    const GrammarRegistry& registry = GrammarRegistry::Instance();
    std::size_t made = 0;
    for (int i = 0; i < registry.GetCount(); ++i) {
        const ArticleNamespace& space = *registry.At(i);
        for (int a = CountBefore(counts_, i); a < space.GetCount(); ++a)
            made += space.At(a)->elements.size();
    }
    return made;
}

}  // namespace baudrill::fuzz
