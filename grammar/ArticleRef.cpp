#include "grammar/ArticleRef.h"

#include "grammar/GrammarRegistry.h"

namespace baudrill {

BNFarticle* ArticleRef::Resolve(std::string_view ns, const Uuid& id) const
{
    if (!space_) {
        // Namespaces are never removed and new ones are appended, so the first
        // one of the name stays the same once it exists.
        space_ = GrammarRegistry::Instance().FindNamespace(ns);
        if (!space_)
            return nullptr;
        seenChanges_ = space_->Changes() - 1;
    }
    if (seenChanges_ != space_->Changes()) {
        article_ = space_->Get(id);
        seenChanges_ = space_->Changes();
    }
    return article_;
}

}  // namespace baudrill
