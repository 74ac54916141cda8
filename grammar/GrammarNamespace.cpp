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
        if (articles_.At(i)->name == name)
            return i;
    return -1;
}

bool GrammarNamespace::SetKey(int i, const Uuid& key)
{
    if (!articles_.SetKey(i, key))
        return false;
    ++changes_;
    return true;
}

bool GrammarNamespace::Remove(int i)
{
    if (!articles_.Remove(i))
        return false;
    ++changes_;
    return true;
}

void GrammarNamespace::Trim(int count)
{
    ++changes_;
    articles_.Trim(count);
}

}  // namespace baudrill
