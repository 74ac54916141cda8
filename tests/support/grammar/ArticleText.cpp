#include "tests/support/grammar/ArticleText.h"

#include "grammar/BNFarticle.h"
#include "grammar/BNFcode.h"
#include "grammar/BNFnonterminal.h"
#include "grammar/BNFterminal.h"
#include "grammar/BNFunitor.h"
#include "grammar/NumberText.h"

#include <unordered_map>

namespace baudrill::test {

namespace {

std::string Quoted(const std::string& bytes)
{
    std::string out = "\"";
    for (unsigned char c : bytes) {
        if (c < 0x20 || c > 0x7E || c == '"' || c == '\\') {
            out += '\\';
            AppendHexByte(out, c);
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out + "\"";
}

std::string Call(const BNFcode& code)
{
    const Value& v = code.v;
    if (v.IsInt())
        return v.GetInt() == 0 ? code.GetText() : code.GetText() + ":" + std::to_string(v.GetInt());
    if (v.IsString())
        return code.GetText() + ":" + Quoted(v.GetString());
    if (v.IsDouble()) {
        std::string text = v.ToString();
        if (text.find_first_of(".e") == std::string::npos)
            text += ".0";
        return code.GetText() + ":" + text;
    }
    return code.GetText() + ":?";
}

std::string Reference(const BNFnonterminal& ref)
{
    const std::string name = ref.Target() ? ref.Target()->name : "?";
    return ref.nspace == "BNF" ? "<" + name + ">" : "<" + ref.nspace + "::" + name + ">";
}

class Describer {
public:
    explicit Describer(const BNFarticle& article)
    {
        for (const auto& e : article.elements)
            if (e->type == UnitorType)
                unitorOf_[e->GetSplitter()] = e.get();
    }

    // The items on the main path from `from` up to (not including) `stop`.
    std::string Sequence(const BNFelement* from, const BNFelement* stop)
    {
        std::string out;
        auto add = [&out](const std::string& item) { out += (out.empty() ? "" : " ") + item; };
        for (const BNFelement* e = from; e && e != stop;) {
            if (++steps_ > 100000)
                return out + " ?";
            switch (e->type) {
            case TerminalType: add(Quoted(static_cast<const BNFterminal*>(e)->value)); break;
            case CodeType: add(Call(*static_cast<const BNFcode*>(e))); break;
            case NonterminalType: add(Reference(*static_cast<const BNFnonterminal*>(e))); break;
            case SplitterType:
                if (e->IsUp() || !unitorOf_.count(e)) {
                    add("?");
                    break;
                }
                add(Fork(e));
                e = unitorOf_[e];
                break;
            case UnitorType:
                if (!e->GetSplitter() || !e->GetSplitter()->IsUp()) {
                    add("?");
                    break;
                }
                add(Loop(e));
                e = e->GetSplitter();
                break;
            default: break;  // links, begin, end
            }
            e = e->link0;
        }
        return out;
    }

private:
    std::string Fork(const BNFelement* splitter)
    {
        const BNFelement* unitor = unitorOf_[splitter];
        const std::string region = Sequence(splitter->link0, unitor);
        const std::string branch = Sequence(splitter->link1, unitor);
        return branch.empty() ? "[" + region + "]" : "(" + region + " | " + branch + ")";
    }

    std::string Loop(const BNFelement* unitor)
    {
        const BNFelement* splitter = unitor->GetSplitter();
        const std::string forward = Sequence(unitor->link0, splitter);
        const std::string body = Sequence(splitter->link1, unitor);
        return forward.empty() ? "{" + body + "}" : "{?" + forward + "? " + body + "}";
    }

    std::unordered_map<const BNFelement*, const BNFelement*> unitorOf_;
    int steps_ = 0;
};

}  // namespace

std::string DescribeArticle(const BNFarticle& article) { return Describer(article).Sequence(article.begin, nullptr); }

}  // namespace baudrill::test
