#include "tests/support/grammar/GrammarTestSupport.h"

#include "tests/support/grammar/TestActions.h"

namespace baudrill::test {

BNFarticle& NewArticle(const std::string& ns, const std::string& name)
{
    auto article = std::make_unique<BNFarticle>();
    article->name = name;
    Uuid id = article->uid;
    return GrammarRegistry::Instance().GetAdd(ns).Add(id, std::move(article));
}

RuleBuilder::RuleBuilder(BNFarticle& article) : article_(article), cursors_{article.cursor}, groups_{article.cursor}
{
    RegisterTestActions();
}

RuleBuilder& RuleBuilder::Add(std::unique_ptr<BNFelement> e)
{
    BNFelement* link = article_.InsertElementAfter(cursors_.back(), std::move(e));
    EXPECT_NE(link, nullptr);
    if (link)
        cursors_.back() = link;
    return *this;
}

RuleBuilder& RuleBuilder::T(const std::string& literal) { return Add(std::make_unique<BNFterminal>(literal)); }

RuleBuilder& RuleBuilder::Code(const std::string& action, Value arg)
{
    return Add(std::make_unique<BNFcode>(action, std::move(arg)));
}

RuleBuilder& RuleBuilder::Ref(const BNFarticle& target, const std::string& ns)
{
    return Add(std::make_unique<BNFnonterminal>(ns, target.uid));
}

RuleBuilder& RuleBuilder::Block(bool up, const std::function<void()>& body)
{
    BNFelement* x = article_.InsertLinkAfter(cursors_.back());
    cursors_.back() = x;
    BNFelement* before = nullptr;
    BNFelement* after = nullptr;
    BNFelement* branch = article_.WrapRegion(up, x, x, before, after);
    cursors_.back() = after;
    // An option's content goes on the splitter's first successor, a loop's on the back edge.
    BNFelement* inner = up ? branch : x;
    groups_.push_back(inner);
    cursors_.push_back(inner);
    body();
    groups_.pop_back();
    cursors_.pop_back();
    return *this;
}

RuleBuilder& RuleBuilder::Option(const std::function<void()>& body) { return Block(false, body); }

RuleBuilder& RuleBuilder::Loop(const std::function<void()>& body) { return Block(true, body); }

RuleBuilder& RuleBuilder::Group(const std::function<void()>& body)
{
    groups_.push_back(cursors_.back());
    body();
    groups_.pop_back();
    return *this;
}

RuleBuilder& RuleBuilder::Or(const std::function<void()>& body)
{
    BNFelement* before = nullptr;
    BNFelement* after = nullptr;
    BNFelement* branch = article_.WrapRegion(false, groups_.back(), cursors_.back(), before, after);
    cursors_.back() = after;
    groups_.push_back(branch);
    cursors_.push_back(branch);
    body();
    groups_.pop_back();
    cursors_.pop_back();
    return *this;
}

ParseResult ParseText(const BNFarticle& article, std::string_view input)
{
    ParseContext ctx(input);
    bool ok = article.Parse(ctx);
    return {ok, ctx.state.pos, ctx.state.values};
}

ComposeResult ComposeValues(const BNFarticle& article, ValueList values)
{
    ComposeContext ctx(std::move(values));
    bool ok = article.Compose(ctx);
    return {ok, ctx.state.output, ctx.state.next};
}

std::uint16_t ReferenceCrc(std::string_view bytes)
{
    std::uint16_t crc = 0xFFFF;
    for (unsigned char c : bytes) {
        crc ^= c;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001) : static_cast<std::uint16_t>(crc >> 1);
    }
    return crc;
}

std::string WithCrc(std::string frame)
{
    const std::uint16_t crc = ReferenceCrc(frame);
    frame.push_back(static_cast<char>(crc & 0xFF));
    frame.push_back(static_cast<char>(crc >> 8));
    return frame;
}

}  // namespace baudrill::test
