#pragma once

#include "grammar/BNFelement.h"
#include "grammar/ElementList.h"
#include "grammar/Uuid.h"
#include "grammar/compiler/CompilePlaces.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace baudrill {

class BNFcode;
class ParseContext;
class ComposeContext;

// One grammar rule: a graph of elements from one begin to one end element,
// owned by the article. A new article is the skeleton begin -> link -> end,
// whose link is the cursor and both marks. Building only ever inserts.
class BNFarticle {
public:
    BNFarticle();
    virtual ~BNFarticle();
    BNFarticle(const BNFarticle&) = delete;
    BNFarticle& operator=(const BNFarticle&) = delete;

    // Runs the rule over ctx.input from ctx.state.pos, appending to ctx.state.values
    // when it matches (a failed run leaves them as they were).
    bool Parse(ParseContext& ctx) const;
    // Runs the rule over ctx.values from ctx.state.next, appending to ctx.state.output.
    bool Compose(ComposeContext& ctx) const;

    // Cursor operations: work at the cursor and the marks; return the article.
    BNFarticle& SetMark(bool a);
    BNFarticle& PopCursor(int = 0);
    BNFarticle& InsertLink(int = 0);
    BNFarticle& InsertTerminal(std::string_view literal);
    BNFarticle& InsertCode(const BNFcode& code);
    BNFarticle& InsertNonterminal(std::string_view articleName);
    BNFarticle& Wrap(bool up);

    // Position operations: work at elements the caller gives and return the new
    // link (the branch link for WrapRegion); null, with nothing changed, when an
    // element given is not one of this article's or has no neighbour there.
    BNFelement* InsertLinkAfter(BNFelement* at);
    // Adopts `e` on success; on a null result `e` is deleted, unless it is
    // already one of this article's elements (then it stays the article's).
    BNFelement* InsertElementAfter(BNFelement* at, std::unique_ptr<BNFelement> e);
    BNFelement* WrapRegion(bool up, BNFelement* first, BNFelement* last, BNFelement*& before, BNFelement*& after);

    Uuid uid;
    std::string name;
    std::string comment;  // UTF-8
    std::string desc;     // the rule text as typed, UTF-8; the engine never reads it
    ElementList elements;
    BNFelement* begin = nullptr;
    BNFelement* markA = nullptr;
    BNFelement* markB = nullptr;
    BNFelement* cursor = nullptr;
    std::vector<BNFelement*> cursorStack;
    // Where the rule compiler's actions inserted during the compile into this article.
    CompilePlaces compilePlaces;

private:
    BNFelement* Append(std::unique_ptr<BNFelement> element) { return elements.Add(std::move(element)); }
    void InsertAtCursor(std::unique_ptr<BNFelement> element);
};

// The element of `elements` whose id is `id` (first match), null for id 0 or none.
BNFelement* FindById(std::int64_t id, const ElementList& elements);

// The article that the rule compiler builds into, and the skeleton link of the
// article constructed last. Every article constructor sets both; an article's
// destructor clears them when they point into it.
extern BNFarticle* buildArticle;
extern BNFelement* buildLink;

}  // namespace baudrill
