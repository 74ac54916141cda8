#pragma once

#include "grammar/BNFelement.h"

#include <string>

namespace baudrill {

// A literal: matches exactly its bytes in parse, emits them in compose.
class BNFterminal final : public BNFelement {
public:
    explicit BNFterminal(std::string literal) : value(std::move(literal)) { type = TerminalType; }

    bool Parse(ParseContext& ctx) const override;
    bool Compose(ComposeContext& ctx) const override;
    std::string GetText() const override { return value; }
    void SetText(const std::string& text) override { value = text; }

    std::string value;
};

}  // namespace baudrill
