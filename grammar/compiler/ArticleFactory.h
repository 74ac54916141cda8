#pragma once

#include "grammar/Uuid.h"

#include <string>
#include <string_view>

namespace baudrill {

class BNFarticle;

// Creates an article called `name`, appends it to namespace `nspace` (created
// when absent) and compiles `text` into it. Never returns null; how far the
// text compiled is not reported (see CompileRuleText). The article's `desc` and
// `comment` stay empty: the caller sets them. Makes the engine ready first.
BNFarticle* CreateArticle(const std::string& nspace, const std::string& name, const std::string& text);
// The same, with `uid` as the article's identifier and key (not checked for
// being in the namespace already).
BNFarticle* CreateArticleWithUuid(const std::string& nspace, const std::string& name, const std::string& text,
                                  const Uuid& uid);

// Compiles a rule text into `article` at its skeleton link by running the
// meta-grammar "BNFscheme" over it, with `buildArticle` set to the article.
// Returns the number of bytes the compile consumed: the whole text when every
// item was accepted, less when it stopped at a byte where no item matches.
// Returns -1 when there is no meta-grammar yet, or when the run exceeded a bound
// of the matcher (steps or nesting): the article then keeps what was inserted up
// to that point, which need not be the rule the text means.
int CompileRuleText(BNFarticle& article, std::string_view text);

}  // namespace baudrill
