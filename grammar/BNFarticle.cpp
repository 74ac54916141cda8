#include "grammar/BNFarticle.h"

#include "grammar/BNFbegin.h"
#include "grammar/BNFend.h"
#include "grammar/BNFlink.h"

namespace baudrill {

BNFarticle* buildArticle = nullptr;
BNFelement* buildLink = nullptr;

BNFarticle::BNFarticle() : uid(Uuid::Create())
{
    auto first = std::make_unique<BNFbegin>();
    auto link = std::make_unique<BNFlink>();
    auto last = std::make_unique<BNFend>();
    first->link0 = link.get();
    link->input0 = first.get();
    link->link0 = last.get();
    last->input0 = link.get();
    begin = Append(std::move(first));
    cursor = markA = markB = Append(std::move(link));
    Append(std::move(last));
    buildArticle = this;
    buildLink = cursor;
}

BNFarticle::~BNFarticle()
{
    if (buildArticle == this)
        buildArticle = nullptr;
    if (elements.Contains(buildLink))
        buildLink = nullptr;
}

BNFelement* FindById(std::int64_t id, const ElementList& elements)
{
    if (id == 0)
        return nullptr;
    for (const auto& e : elements)
        if (e->i == id)
            return e.get();
    return nullptr;
}

}  // namespace baudrill
