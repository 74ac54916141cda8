#pragma once

#include "grammar/BNFelement.h"
#include "grammar/GrammarActions.h"
#include "grammar/Value.h"

#include <string>

namespace baudrill {

// A call of the named action with the argument v. The action functions are
// looked up once and cached here together with the name they were found under,
// so a changed `id` (through SetText or written directly) is looked up again.
class BNFcode final : public BNFelement {
public:
    BNFcode(std::string name, Value argument);
    BNFcode(const BNFcode& other);  // keeps every base field, the id included

    bool Parse(ParseContext& ctx) const override;
    bool Compose(ComposeContext& ctx) const override;
    std::string GetText() const override { return id; }
    void SetText(const std::string& text) override { id = text; }

    std::string id;
    Value v;

private:
    template <class Action>
    struct CachedAction {
        std::string name;
        Action action = nullptr;
    };
    template <class Registry, class Action>
    Action Find(CachedAction<Action>& cache) const;

    mutable CachedAction<ParseAction> parseAction_;
    mutable CachedAction<ComposeAction> composeAction_;
};

}  // namespace baudrill
