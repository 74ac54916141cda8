#pragma once

#include <string>

namespace baudrill {
class BNFarticle;
}

namespace baudrill::test {

// The graph of an article written back in the rule language, with every
// construct made explicit, so that tests can state what a compile built:
//   literal "ab" (bytes outside 0x20..0x7E, the quote and the backslash as \XX),
//   call name or name:argument (an int 0 argument is not written; a double
//   always shows a point), reference <name> in "BNF" or <ns::name> elsewhere
//   (<ns::?> when the target is missing), option [x], fork (x | y), loop {x}.
// Items are separated by one blank. Shapes the compiler never builds show "?".
std::string DescribeArticle(const BNFarticle& article);

}  // namespace baudrill::test
