#include "grammar/GraphCheck.h"

#include "grammar/BNFarticle.h"
#include "grammar/BNFunitor.h"

#include <unordered_map>
#include <vector>

namespace baudrill {

namespace {

std::string Name(const BNFelement* e)
{
    return e ? "element " + std::to_string(e->i) + " (type " + std::to_string(e->type) + ")" : "null";
}

bool PointsTo(const BNFelement* from, const BNFelement* to) { return from->link0 == to || from->link1 == to; }

bool PointsBack(const BNFelement* to, const BNFelement* from) { return to->input0 == from || to->input1 == from; }

// Follows link0 from `from` and reports whether `to` is reached.
bool ReachesByMainPath(const BNFelement* from, const BNFelement* to, std::size_t limit)
{
    for (std::size_t steps = 0; from && steps <= limit; ++steps, from = from->link0)
        if (from == to)
            return true;
    return false;
}

std::string CheckElement(const BNFarticle& a, const BNFelement* e)
{
    for (const BNFelement* n : {e->link0, e->link1, e->input0, e->input1})
        if (n && !a.elements.Contains(n))
            return Name(e) + " refers outside the article";
    bool splitter = e->type == SplitterType;
    bool unitor = e->type == UnitorType;
    if (splitter != (e->link1 != nullptr))
        return Name(e) + (splitter ? " is a splitter without link1" : " has link1 but is no splitter");
    if (unitor != (e->input1 != nullptr))
        return Name(e) + (unitor ? " is a unitor without input1" : " has input1 but is no unitor");
    if ((e->type == EndType) != (e->link0 == nullptr))
        return Name(e) + (e->link0 ? " is the end but has a successor" : " has no successor");
    if ((e->type == BeginType) != (e->input0 == nullptr))
        return Name(e) + (e->input0 ? " is the begin but has a predecessor" : " has no predecessor");
    for (const BNFelement* next : {e->link0, e->link1})
        if (next && !PointsBack(next, e))
            return Name(e) + " -> " + Name(next) + " has no back reference";
    for (const BNFelement* prev : {e->input0, e->input1})
        if (prev && !PointsTo(prev, e))
            return Name(e) + " names " + Name(prev) + " as input, which does not link to it";
    return {};
}

}  // namespace

std::string CheckGraph(const BNFarticle& a)
{
    if (!a.begin || !a.elements.Contains(a.begin) || a.begin->type != BeginType)
        return "the begin element is missing";
    int begins = 0, ends = 0;
    std::unordered_map<const BNFelement*, int> incoming;
    std::unordered_map<const BNFelement*, int> unitorsOf;
    for (const auto& owned : a.elements) {
        const BNFelement* e = owned.get();
        begins += e->type == BeginType;
        ends += e->type == EndType;
        if (std::string problem = CheckElement(a, e); !problem.empty())
            return problem;
        for (const BNFelement* next : {e->link0, e->link1})
            if (next)
                ++incoming[next];
        if (e->type == UnitorType) {
            const BNFelement* s = e->GetSplitter();
            if (!s || !a.elements.Contains(s) || s->type != SplitterType)
                return Name(e) + " has no splitter of this article";
            ++unitorsOf[s];
        }
    }
    if (begins != 1 || ends != 1)
        return "the article needs exactly one begin and one end";
    for (const auto& owned : a.elements) {
        const BNFelement* e = owned.get();
        int inputs = (e->input0 != nullptr) + (e->input1 != nullptr);
        if (incoming[e] != inputs)
            return Name(e) + " has " + std::to_string(incoming[e]) + " incoming edges but " + std::to_string(inputs) +
                   " back references";
        if (e->type != SplitterType)
            continue;
        if (unitorsOf[e] != 1)
            return Name(e) + " is the splitter of " + std::to_string(unitorsOf[e]) + " unitors";
    }
    const std::size_t limit = a.elements.size();
    for (const auto& owned : a.elements) {
        const BNFelement* u = owned.get();
        if (u->type != UnitorType)
            continue;
        const BNFelement* s = u->GetSplitter();
        bool shaped = s->IsUp() ? ReachesByMainPath(u, s, limit) && ReachesByMainPath(s->link1, u, limit)
                                : ReachesByMainPath(s->link0, u, limit) && ReachesByMainPath(s->link1, u, limit);
        if (!shaped)
            return Name(s) + " and " + Name(u) + " do not enclose a " + (s->IsUp() ? "loop" : "fork");
    }
    std::vector<const BNFelement*> todo{a.begin};
    std::unordered_map<const BNFelement*, bool> seen{{a.begin, true}};
    while (!todo.empty()) {
        const BNFelement* e = todo.back();
        todo.pop_back();
        for (const BNFelement* next : {e->link0, e->link1})
            if (next && !seen[next]) {
                seen[next] = true;
                todo.push_back(next);
            }
    }
    for (const auto& owned : a.elements)
        if (!seen[owned.get()])
            return Name(owned.get()) + " cannot be reached from the begin";
    return {};
}

}  // namespace baudrill
