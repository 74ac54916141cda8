#include "monitor/protocols/ProtoSection.h"

#include "grammar/BNFarticle.h"
#include "grammar/ArticleNamespace.h"
#include "grammar/ParseContext.h"
#include "grammar/compiler/ArticleFactory.h"
#include "grammar/compiler/CompileScope.h"
#include "monitor/text/ProgramTexts.h"
#include "monitor/protocols/ProtoFileSet.h"

namespace baudrill {

const char* const ProtoSectionRule =
    "<BNFwhite> {\"***\" <BNFwhite> (BNFstr10:\"BNF\" BNFstr:\" \n\r\t\" BNFnewScheme | "
    "BNFstr:\" \n\r\t:\" \"::\" BNFstr:\" \n\r\t\" BNFnewScheme) <BNFwhite> <BNFscheme> BNFresume}";

BNFarticle* CreateSectionParser() { return CreateArticle(GrammarNamespace, "BNFPROTOparser", ProtoSectionRule); }

RuleState CompileProtocol(const BNFarticle& sectionParser, const Uuid& uid, const std::string& ruleText)
{
    ArticleNamespace& protocols = ProtocolNamespace();
    BNFarticle* article = uid.IsNull() ? nullptr : protocols.Get(uid);
    if (!article)
        return RuleState::NoProtocol;
    article->desc = ruleText;
    if (ruleText.empty())
        return RuleState::Failed;

    const std::string name = article->name;
    const std::string comment = article->comment;
    const std::string section = "*** " + name + " " + ruleText + ";";
    const int before = protocols.GetCount();

    ParseContext ctx(section);
    const CompileScope compiling;  // the section grammar makes the protocol's article
    const bool parsed = sectionParser.Parse(ctx) && !ctx.NestingExceeded();

    // Only an article this compile made may take the protocol's place: one that was there
    // before (another protocol of that name) is in use under its own uid.
    int made = -1;
    for (int i = protocols.GetCount() - 1; parsed && i >= before && made < 0; --i)
        if (protocols.At(i)->name == name)
            made = i;
    if (made < 0) {
        protocols.Trim(before);
        return RuleState::Failed;
    }

    const int old = protocols.Find(uid);
    if (old < made) {
        protocols.Remove(old);
        --made;
    }
    protocols.SetKey(made, uid);
    BNFarticle* replacement = protocols.At(made);
    replacement->uid = uid;
    replacement->desc = ruleText;
    replacement->comment = comment;

    const bool whole = ctx.state.pos == static_cast<int>(name.size() + ruleText.size() + 6);
    return whole ? RuleState::Compiled : RuleState::Failed;
}

}  // namespace baudrill
