#pragma once

#include "grammar/Uuid.h"

#include <cstdint>
#include <string_view>

namespace baudrill {

class BNFarticle;
class ArticleNamespace;

// A cached lookup of an article of the GrammarRegistry by namespace and Uuid.
// The result is looked up again whenever the namespace has changed since the
// last lookup, so a removed article is never returned. Never dereference a
// remembered BNFarticle* across registry changes; keep one of these instead.
class ArticleRef {
public:
    BNFarticle* Resolve(std::string_view ns, const Uuid& id) const;

private:
    mutable const ArticleNamespace* space_ = nullptr;
    mutable std::uint64_t seenChanges_ = 0;
    mutable BNFarticle* article_ = nullptr;
};

}  // namespace baudrill
