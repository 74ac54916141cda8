#include "grammar/BNFcode.h"

#include "grammar/Matcher.h"

namespace baudrill {

BNFcode::BNFcode(std::string name, Value argument) : id(std::move(name)), v(std::move(argument)) { type = CodeType; }

BNFcode::BNFcode(const BNFcode& other) : BNFelement(other), id(other.id), v(other.v) {}

bool BNFcode::Parse(ParseContext& ctx) const { return detail::ParseMatcher::RunCode(*this, ctx); }

bool BNFcode::Compose(ComposeContext& ctx) const { return detail::ComposeMatcher::RunCode(*this, ctx); }

}  // namespace baudrill
