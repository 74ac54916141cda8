#pragma once

#include "grammar/BNFelement.h"
#include "grammar/GrammarActions.h"
#include "grammar/Value.h"

#include <string>

namespace baudrill {

// A call of the named action with the argument v. The action functions are
// looked up once and cached here; changing the name through SetText drops them.
class BNFcode final : public BNFelement {
public:
    BNFcode(std::string name, Value argument);
    BNFcode(const BNFcode& other);  // keeps every base field, the id included

    bool Parse(ParseContext& ctx) const override;
    bool Compose(ComposeContext& ctx) const override;
    std::string GetText() const override { return id; }
    void SetText(const std::string& text) override;

    std::string id;
    Value v;

private:
    ParseAction FindParseAction() const;
    ComposeAction FindComposeAction() const;

    mutable ParseAction parseAction_ = nullptr;
    mutable ComposeAction composeAction_ = nullptr;
};

}  // namespace baudrill
