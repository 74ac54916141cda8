#pragma once

#include "grammar/ArticleRef.h"
#include "grammar/BNFelement.h"
#include "grammar/Uuid.h"

#include <string>

namespace baudrill {

// A reference to another article, by namespace and identifier. The target is
// looked up in the GrammarRegistry when used (and cached until the namespace
// changes); a missing target matches the empty text in both directions.
class BNFnonterminal final : public BNFelement {
public:
    BNFnonterminal(std::string ns, const Uuid& id);

    bool Parse(ParseContext& ctx) const override;
    bool Compose(ComposeContext& ctx) const override;
    // The target's name, empty when its namespace or the article is missing.
    std::string GetText() const override;

    // The target article now, or null.
    BNFarticle* Target() const { return target_.Resolve(nspace, uid); }

    const Uuid uid;
    const std::string nspace;

private:
    ArticleRef target_;
};

}  // namespace baudrill
