#pragma once

#include <cstdint>
#include <string>

namespace baudrill {

class ParseContext;
class ComposeContext;

// Element kind codes, stored in BNFelement::type.
enum ElementType : int {
    TerminalType = 0,
    NonterminalType = 1,
    CodeType = 2,
    LinkType = 3,
    UnitorType = 4,
    SplitterType = 5,
    BeginType = 6,
    EndType = 7,
};

// Engine-wide element id counter: every constructed element takes the next id.
// It only grows, across all articles, for the whole program run.
extern std::int64_t elementCounter;

// One node of an article's graph. Elements refer to each other without owning;
// the article owns them all. Only splitters have link1, only unitors input1.
class BNFelement {
public:
    virtual ~BNFelement() = default;
    BNFelement& operator=(const BNFelement&) = delete;

    // Runs this element in one direction; true when it matched.
    virtual bool Parse(ParseContext& ctx) const = 0;
    virtual bool Compose(ComposeContext& ctx) const = 0;

    virtual std::string GetText() const { return {}; }
    virtual void SetText(const std::string&) {}
    virtual bool IsUp() const { return false; }
    virtual BNFelement* GetSplitter() const { return nullptr; }

    // Back-reference maintenance: input0 first, then input1 (link0, then link1).
    void ReplaceInput(const BNFelement* old, BNFelement* replacement);
    void ReplaceLink(const BNFelement* old, BNFelement* replacement);

    int type = -1;
    int x = -1, y = -1, l = -1, dir = -1, dir2 = -1;  // layout fields, unused by the engine
    BNFelement* link0 = nullptr;
    BNFelement* link1 = nullptr;
    BNFelement* input0 = nullptr;
    BNFelement* input1 = nullptr;
    std::int64_t i = 0;

protected:
    BNFelement() : i(++elementCounter) {}
    BNFelement(const BNFelement&) = default;  // for BNFcode's copy, which keeps the id
};

// The shared behaviour of the connector kinds: succeed and change nothing.
// The matcher alone decides where the run goes after them.
class BNFpassElement : public BNFelement {
public:
    bool Parse(ParseContext&) const final { return true; }
    bool Compose(ComposeContext&) const final { return true; }
};

}  // namespace baudrill
