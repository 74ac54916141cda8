#pragma once

// Helpers for the rule-compiler tests: compile a text into a fresh article;
// ParseText and ComposeValues (GrammarTestSupport.h) run the result.

#include "grammar/BNFarticle.h"
#include "grammar/ComposeContext.h"
#include "grammar/GraphCheck.h"
#include "grammar/ParseContext.h"
#include "grammar/compiler/ArticleFactory.h"

#include "tests/support/grammar/ActionTestSupport.h"
#include "tests/support/grammar/ArticleText.h"
#include "tests/support/grammar/GrammarTestSupport.h"

#include <string>
#include <string_view>

namespace baudrill::test {

struct Compiled {
    BNFarticle* article;
    int consumed;  // bytes of the text the compile took
};

// Compiles `text` into a new article of namespace `ns` (the namespace of the
// tests' own articles by default, so that "BNF" keeps only the references' targets).
Compiled CompileText(std::string_view text, const std::string& ns = "compile_test");
// The same for a rule that must compile whole: null, and a test failure, when part of the text
// is left over.
const BNFarticle* CompileWhole(std::string_view text);

}  // namespace baudrill::test
