#pragma once

#include "grammar/GrammarActions.h"

namespace baudrill {

// The parse actions with which the meta-grammar "BNFscheme" builds a rule into
// `buildArticle` while it reads the rule text. They keep their stacks in
// registers (see CompilerStacks.h): W words, A arguments, G group starts,
// C cursors. Outside a compile, with empty stacks or a cursor that is not an
// element of `buildArticle`, they fail and change nothing.

// "BNFstr": reads a non-empty word up to the end of the input or a byte of the
// String argument (no String: to the end), replaces its escapes, pushes it on W.
bool MetaStr(ParseContext& ctx, Value arg);
// "BNFstr10": pushes a String argument on W; any other argument does nothing.
bool MetaStr10(ParseContext& ctx, Value arg);
// "BNFrv": pushes the argument on A.
bool MetaRv(ParseContext& ctx, Value arg);
// "BNFstring": moves a word from W to A as a String.
bool MetaString(ParseContext& ctx, Value arg);
// "BNFdecimal": moves a word from W to A as the number it writes (a double, a
// "0x" int or a decimal int); fails when it does not convert.
bool MetaDecimal(ParseContext& ctx, Value arg);
// "BNFend" and "BNFresume": set and clear the run's stop flag.
bool MetaEnd(ParseContext& ctx, Value arg);
bool MetaResume(ParseContext& ctx, Value arg);

// "BNFterm_end": a literal of the word on W.
bool MetaTermEnd(ParseContext& ctx, Value arg);
// "BNFnonterm_end": a reference to the first article of the name (top of W) in
// the namespace (below it), which is created when absent; fails when there is
// no such article.
bool MetaNontermEnd(ParseContext& ctx, Value arg);
// "BNFcode_end": a call of the action named on W with the argument on A.
bool MetaCodeEnd(ParseContext& ctx, Value arg);

// "BNFgroup" / "BNFgroup_end": open and close a group level.
bool MetaGroup(ParseContext& ctx, Value arg);
bool MetaGroupEnd(ParseContext& ctx, Value arg);
// "BNFbranch": everything since the level began becomes the first alternative;
// what follows is compiled as the second.
bool MetaBranch(ParseContext& ctx, Value arg);
// "BNFoption" / "BNFrepeat": open an option or a loop.
bool MetaOption(ParseContext& ctx, Value arg);
bool MetaRepeat(ParseContext& ctx, Value arg);
// "BNFbranch_end", "BNFoption_end", "BNFrepeat_end": close the level.
bool MetaBlockEnd(ParseContext& ctx, Value arg);
// "BNFnewScheme": creates the article named on W in the namespace below it and
// compiles into it from now on. Like every action that builds, it fails
// outside a compile (see CompileScope.h).
bool MetaNewScheme(ParseContext& ctx, Value arg);

}  // namespace baudrill
