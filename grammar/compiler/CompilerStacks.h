#pragma once

#include "grammar/ParseContext.h"

#include <memory>
#include <string>

namespace baudrill {

class BNFelement;

// The registers in which the rule compiler keeps its stacks.
inline constexpr int WordStack = 10;      // stringRegs: words read from the rule text
inline constexpr int ArgumentStack = 10;  // valueRegs: arguments of code elements
inline constexpr int GroupStarts = 0;     // elementRegs: the link at which each open rule level began
inline constexpr int CursorStack = 1;     // elementRegs: top = the link to insert after

// Helpers of the compiler actions. Each returns false, leaving the stack as it
// was, when the stack lacks the entry; the actions then fail, so a rule that
// calls them outside a compile does nothing.
namespace compiler {

// Pops the top of the word stack into `word`.
bool PopWord(ParseContext& ctx, std::string& word);

// The top of the cursor (or group-start) stack, when it is an element of the
// article being built; null otherwise (no compile running, or an element of
// another article: never dereferenced then).
BNFelement* BuildPosition(const ParseContext& ctx, int stack);

// Whether the running action may insert into `buildArticle` at this place of the rule text:
// false when the meta-grammar has run it here before (see CompilePlaces), and the action fails.
// Ask only once the action has everything else it needs.
bool MayInsert(const ParseContext& ctx);

// Inserts e after the top of the cursor stack and makes the new link the top.
bool InsertAtCursor(ParseContext& ctx, std::unique_ptr<BNFelement> e);

// Replaces the top of the cursor stack with `after`, then pushes `inner` onto
// the group starts and the cursor stack: a construct whose content is compiled
// at `inner` and after which compiling continues at `after`.
bool OpenLevel(ParseContext& ctx, BNFelement* after, BNFelement* inner);

}  // namespace compiler

}  // namespace baudrill
