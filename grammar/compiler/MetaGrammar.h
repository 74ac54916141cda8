#pragma once

namespace baudrill {

class BNFarticle;

// Builds the meta-grammar articles in namespace "BNF", in this order (each
// refers only to those before it, and "BNFscheme" to itself):
//   "BNFarg"              an action argument: a quoted String or a number word
//   "BNFwhite"            any run of blanks, TABs, LFs and CRs
//   "BNFstopOnSemicolon"  an optional ';' with the whitespace after it
//   "BNFscheme"           a rule: items until the first byte where none matches
// Returns the "BNFscheme" article.
BNFarticle& BuildMetaGrammar();

}  // namespace baudrill
