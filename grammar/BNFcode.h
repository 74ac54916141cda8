#pragma once

#include "grammar/ActionName.h"
#include "grammar/BNFelement.h"
#include "grammar/Value.h"

#include <string>

namespace baudrill {

// A call of the named action with the argument v. The action functions are
// looked up once and remembered with the name (see ActionName), so a changed
// `id`, through SetText or assigned directly, is looked up again.
class BNFcode final : public BNFelement {
public:
    BNFcode(std::string name, Value argument);
    BNFcode(const BNFcode& other);  // keeps every base field, the id included

    bool Parse(ParseContext& ctx) const override;
    bool Compose(ComposeContext& ctx) const override;
    std::string GetText() const override { return id; }
    void SetText(const std::string& text) override { id = text; }

    ActionName id;
    Value v;
};

}  // namespace baudrill
