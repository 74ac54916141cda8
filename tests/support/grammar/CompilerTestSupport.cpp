#include "tests/support/grammar/CompilerTestSupport.h"

namespace baudrill::test {

Compiled CompileText(std::string_view text, const std::string& ns)
{
    BNFarticle* article = CreateArticle(ns, "compiled", std::string());
    const int consumed = CompileRuleText(*article, text);
    return {article, consumed};
}

const BNFarticle* CompileWhole(std::string_view text)
{
    const Compiled rule = CompileText(text);
    if (rule.consumed == static_cast<int>(text.size()))
        return rule.article;
    ADD_FAILURE() << "the rule compiled only " << rule.consumed << " bytes of: " << text;
    return nullptr;
}

}  // namespace baudrill::test
