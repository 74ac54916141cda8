#pragma once

namespace baudrill {

class BNFarticle;

// Makes the grammar engine ready, once per process: creates the namespace
// "BNF", registers every built-in action in the parse and compose registries
// and builds the meta-grammar. Every later call, including those the article
// factories make while the meta-grammar is being built, returns at once.
// GUI thread only, like the whole engine.
void InitGrammarBuiltins();

// The meta-grammar article "BNFscheme" with which rule texts are compiled;
// null before InitGrammarBuiltins has built it (or if it was removed).
const BNFarticle* MetaGrammarScheme();

}  // namespace baudrill
