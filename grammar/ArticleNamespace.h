#pragma once

#include "grammar/ArrayMap.h"
#include "grammar/BNFarticle.h"
#include "grammar/Uuid.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace baudrill {

// One namespace of the GrammarRegistry: articles by Uuid, in insertion order,
// owned. A Uuid may occur twice; lookups find the first. Removing an article
// deletes it. Every change raises Changes(), so cached lookups know to refresh.
class ArticleNamespace {
public:
    ArticleNamespace() = default;
    // Neither copied nor moved: assigning over a namespace would delete its
    // articles and reset Changes() behind the lookups cached on it.
    ArticleNamespace(const ArticleNamespace&) = delete;
    ArticleNamespace& operator=(const ArticleNamespace&) = delete;

    // Appends the article under the key; the namespace owns it from now on.
    BNFarticle& Add(const Uuid& key, std::unique_ptr<BNFarticle> article);

    int Find(const Uuid& key) const { return articles_.Find(key); }
    BNFarticle* Get(const Uuid& key) const { return articles_.FindPtr(key); }
    // The first article whose name equals the name, or -1.
    int FindName(std::string_view name) const;

    int GetCount() const { return articles_.GetCount(); }
    // The article at the index, or null (so ns.At(ns.Find(id)) is safe).
    BNFarticle* At(int i) const { return articles_.At(i); }
    // The key at the index; the null Uuid when there is no such index.
    const Uuid& GetKey(int i) const { return articles_.GetKey(i); }

    // Both refuse an index outside 0..count-1 (false) and change nothing, so
    // ns.Remove(ns.Find(id)) for an id not present does nothing.
    bool SetKey(int i, const Uuid& key);
    bool Remove(int i);
    // Deletes the newest articles beyond the count.
    void Trim(int count);

    std::uint64_t Changes() const { return changes_; }

private:
    ArrayMap<Uuid, BNFarticle> articles_;
    std::uint64_t changes_ = 0;
};

}  // namespace baudrill
