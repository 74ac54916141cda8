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

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace baudrill::test {

// Registers, once per process, the actions the tests call (all prefixed "t_"):
//   t_byte      parse: one byte as an int value; compose: an int value as one byte
//   t_arg       parse: appends the argument; compose: the next value must equal it
//   t_fail      fails
//   t_addfail   changes pos/next, values/output and a register, then fails
//   t_push      pushes the int argument onto intRegs(9)
//   t_dec       decrements the top of intRegs(9); fails when it was <= 0 (a "rep")
//   t_top       parse: appends the top of intRegs(9) as a value
//   t_stop      parse: sets the stop flag
void RegisterTestActions();

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

}  // namespace baudrill::test
