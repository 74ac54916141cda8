#pragma once

#include "grammar/ArrayMap.h"
#include "grammar/ArticleNamespace.h"

#include <string>
#include <string_view>

namespace baudrill {

// Every article, grouped in named namespaces (insertion order, first match,
// owned). Namespaces are never removed. Used on the GUI thread only.
class GrammarRegistry {
public:
    GrammarRegistry() = default;
    // Namespaces live as long as the registry, where cached lookups find them.
    GrammarRegistry(const GrammarRegistry&) = delete;
    GrammarRegistry& operator=(const GrammarRegistry&) = delete;

    // The engine-wide registry.
    static GrammarRegistry& Instance();

    // The index of the first namespace of that name, or -1.
    int Find(std::string_view name) const { return spaces_.Find(name); }
    ArticleNamespace* FindNamespace(std::string_view name) const { return spaces_.FindPtr(name); }
    // The namespace of that name; an empty one is appended when there is none.
    ArticleNamespace& GetAdd(const std::string& name) { return spaces_.GetAdd(name); }
    // Appends a new empty namespace without looking for an existing one.
    ArticleNamespace& Add(const std::string& name) { return spaces_.Add(name); }

    int GetCount() const { return spaces_.GetCount(); }
    // The namespace at the index, or null.
    ArticleNamespace* At(int i) const { return spaces_.At(i); }
    // The name at the index; empty when there is no such index.
    const std::string& GetKey(int i) const { return spaces_.GetKey(i); }

private:
    ArrayMap<std::string, ArticleNamespace> spaces_;
};

}  // namespace baudrill
