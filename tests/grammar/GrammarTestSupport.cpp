#include "GrammarTestSupport.h"

#include "grammar/ActionRegistry.h"

namespace baudrill::test {

namespace {

bool ParseByte(ParseContext& ctx, Value)
{
    if (!ctx.Has(1))
        return false;
    ctx.AddValue(Value(static_cast<std::int32_t>(ctx.ByteAt(0))));
    ctx.Advance(1);
    return true;
}

bool ComposeByte(ComposeContext& ctx, Value)
{
    const Value* v = ctx.TakeValue();
    if (!v || !v->IsInt())
        return false;
    ctx.WriteByte(static_cast<unsigned>(v->GetInt()));
    return true;
}

bool ParseArg(ParseContext& ctx, Value arg)
{
    ctx.AddValue(std::move(arg));
    return true;
}

bool ComposeArg(ComposeContext& ctx, Value arg)
{
    const Value* v = ctx.TakeValue();
    return v && *v == arg;
}

template <class Ctx>
bool Fail(Ctx&, Value)
{
    return false;
}

bool ParseAddFail(ParseContext& ctx, Value arg)
{
    ctx.AddValue(arg);
    ctx.Advance(ctx.Remaining());
    ctx.state.intRegs(9).Push(99);
    ctx.state.stringRegs(10).Push("x");
    return false;
}

bool ComposeAddFail(ComposeContext& ctx, Value)
{
    ctx.TakeValue();
    ctx.Write("junk");
    ctx.WriteEscape("\\0A");
    ctx.state.intRegs(9).Push(99);
    return false;
}

template <class Ctx>
bool Push(Ctx& ctx, Value arg)
{
    return ctx.state.intRegs(9).Push(arg.GetInt());
}

template <class Ctx>
bool Dec(Ctx& ctx, Value)
{
    const std::int32_t* top = ctx.state.intRegs(9).Top();
    if (!top)
        return false;
    std::int32_t count = *top;
    ctx.state.intRegs(9).SetTop(count - 1);
    return count > 0;
}

bool ParseTop(ParseContext& ctx, Value)
{
    const std::int32_t* top = ctx.state.intRegs(9).Top();
    if (!top)
        return false;
    ctx.AddValue(Value(*top));
    return true;
}

bool ParseStop(ParseContext& ctx, Value)
{
    ctx.stop = true;
    return true;
}

}  // namespace

void RegisterTestActions()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    auto& parse = ParseActionRegistry::Instance();
    auto& compose = ComposeActionRegistry::Instance();
    parse.Register("t_byte", ParseByte);
    compose.Register("t_byte", ComposeByte);
    parse.Register("t_arg", ParseArg);
    compose.Register("t_arg", ComposeArg);
    parse.Register("t_fail", Fail<ParseContext>);
    compose.Register("t_fail", Fail<ComposeContext>);
    parse.Register("t_addfail", ParseAddFail);
    compose.Register("t_addfail", ComposeAddFail);
    parse.Register("t_push", Push<ParseContext>);
    compose.Register("t_push", Push<ComposeContext>);
    parse.Register("t_dec", Dec<ParseContext>);
    compose.Register("t_dec", Dec<ComposeContext>);
    parse.Register("t_top", ParseTop);
    parse.Register("t_stop", ParseStop);
}

BNFarticle& NewArticle(const std::string& ns, const std::string& name)
{
    auto article = std::make_unique<BNFarticle>();
    article->name = name;
    Uuid id = article->uid;
    return GrammarRegistry::Instance().GetAdd(ns).Add(id, std::move(article));
}

RuleBuilder::RuleBuilder(BNFarticle& article)
    : article_(article), cursors_{article.cursor}, groups_{article.cursor}
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

RuleBuilder& RuleBuilder::T(const std::string& literal)
{
    return Add(std::make_unique<BNFterminal>(literal));
}

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

RuleBuilder& RuleBuilder::Option(const std::function<void()>& body)
{
    return Block(false, body);
}

RuleBuilder& RuleBuilder::Loop(const std::function<void()>& body)
{
    return Block(true, body);
}

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

}  // namespace baudrill::test
