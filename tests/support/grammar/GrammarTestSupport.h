#pragma once

// Helpers for the grammar tests: a rule builder that uses the position
// operations the way the rule compiler does, small test actions, and one-call
// parse and compose runs.

#include "grammar/BNFarticle.h"
#include "grammar/BNFcode.h"
#include "grammar/BNFnonterminal.h"
#include "grammar/BNFterminal.h"
#include "grammar/ComposeContext.h"
#include "grammar/GraphCheck.h"
#include "grammar/GrammarRegistry.h"
#include "grammar/ParseContext.h"

#include "tests/support/grammar/TestActions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace baudrill::test {

// A new article in the engine-wide registry.
BNFarticle& NewArticle(const std::string& ns, const std::string& name);

// Builds a rule at a cursor stack and a group-start stack, as the compiler does.
class RuleBuilder {
public:
    explicit RuleBuilder(BNFarticle& article);

    RuleBuilder& T(const std::string& literal);
    RuleBuilder& Code(const std::string& action, Value arg = Value(0));
    RuleBuilder& Ref(const BNFarticle& target, const std::string& ns = "BNF");
    RuleBuilder& Option(const std::function<void()>& body);  // [ body ]
    RuleBuilder& Loop(const std::function<void()>& body);    // { body }
    RuleBuilder& Group(const std::function<void()>& body);   // ( body )
    // Everything since the enclosing rule began is the first alternative; the body the second.
    RuleBuilder& Or(const std::function<void()>& body);

    BNFarticle& article() { return article_; }

private:
    RuleBuilder& Add(std::unique_ptr<BNFelement> e);
    RuleBuilder& Block(bool up, const std::function<void()>& body);

    BNFarticle& article_;
    std::vector<BNFelement*> cursors_;
    std::vector<BNFelement*> groups_;
};

struct ParseResult {
    bool ok;
    int pos;
    ValueList values;
};
ParseResult ParseText(const BNFarticle& article, std::string_view input);

struct ComposeResult {
    bool ok;
    std::string output;
    int next;
};
ComposeResult ComposeValues(const BNFarticle& article, ValueList values);

// CRC-16/MODBUS bit by bit, to check the engine's tables and frames independently of them.
std::uint16_t ReferenceCrc(std::string_view bytes);
// The frame with its reference CRC appended, low byte first, as a Modbus frame carries it.
std::string WithCrc(std::string frame);

}  // namespace baudrill::test
