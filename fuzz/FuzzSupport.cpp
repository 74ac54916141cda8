#include "fuzz/FuzzSupport.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <signal.h>
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

constexpr std::string_view scratchPrefix = "baudrill-fuzz-";

// Folders left by runs that were ended before they could remove their own.
void RemoveAbandonedScratch(const std::filesystem::path& base)
{
    namespace fs = std::filesystem;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(base, error)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(scratchPrefix))
            continue;
        const long pid = std::strtol(name.c_str() + scratchPrefix.size(), nullptr, 10);
        if (pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            fs::remove_all(entry.path(), error);
    }
}

// Made on first use, removed with everything in it when the process ends.
struct Scratch {
    Scratch()
    {
        namespace fs = std::filesystem;
        std::error_code error;
        const fs::path base = fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
        RemoveAbandonedScratch(base);
        folder = (base / (std::string(scratchPrefix) + std::to_string(getpid()))).string();
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
