#include "grammar/ArticleNamespace.h"

namespace baudrill {

BNFarticle& ArticleNamespace::Add(const Uuid& key, std::unique_ptr<BNFarticle> article)
{
    ++changes_;
    return articles_.Add(key, std::move(article));
}

int ArticleNamespace::FindName(std::string_view name) const
{
    for (int i = 0; i < articles_.GetCount(); ++i)
        if (articles_.At(i)->name == name)
            return i;
    return -1;
}

bool ArticleNamespace::SetKey(int i, const Uuid& key)
{
    if (!articles_.SetKey(i, key))
        return false;
    ++changes_;
    return true;
}

bool ArticleNamespace::Remove(int i)
{
    if (!articles_.Remove(i))
        return false;
    ++changes_;
    return true;
}

void ArticleNamespace::Trim(int count)
{
    ++changes_;
    articles_.Trim(count);
}

}  // namespace baudrill
