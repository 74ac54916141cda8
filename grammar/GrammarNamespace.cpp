#include "grammar/GrammarNamespace.h"

namespace baudrill {

BNFarticle& GrammarNamespace::Add(const Uuid& key, std::unique_ptr<BNFarticle> article)
{
    ++changes_;
    return articles_.Add(key, std::move(article));
}

int GrammarNamespace::FindName(std::string_view name) const
{
    for (int i = 0; i < articles_.GetCount(); ++i)
        if (articles_[i].name == name)
            return i;
    return -1;
}

void GrammarNamespace::SetKey(int i, const Uuid& key)
{
    ++changes_;
    articles_.SetKey(i, key);
}

void GrammarNamespace::Remove(int i)
{
    ++changes_;
    articles_.Remove(i);
}

void GrammarNamespace::Trim(int count)
{
    ++changes_;
    articles_.Trim(count);
}

}  // namespace baudrill
