#include "tests/support/grammar/CompilerTestSupport.h"

#include "grammar/NumberText.h"

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

std::string Hex(std::string_view bytes)
{
    std::string out;
    for (unsigned char c : bytes) {
        if (!out.empty())
            out += ' ';
        AppendHexByte(out, c);
    }
    return out;
}

std::string FromHex(std::string_view pairs)
{
    std::string out;
    for (std::size_t i = 0; i + 1 < pairs.size(); ++i) {
        if (pairs[i] == ' ')
            continue;
        out.push_back(ScanHexByte(pairs.substr(i, 2)));
        ++i;
    }
    return out;
}

}  // namespace baudrill::test
