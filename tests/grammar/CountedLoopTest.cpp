// Loops that begin with "rep" and hold one more element run their turns as a whole. They
// must give what the elements give when run one by one: each random rule is built twice, once
// as is and once with each counted item as the first alternative of a group whose second one
// fails (which changes nothing, but is no plain sequence the matcher would run turn by turn),
// and both must agree on every input and value list.

#include "grammar/compiler/ArticleFactory.h"
#include "grammar/compiler/GrammarBuiltins.h"
#include "tests/support/grammar/GrammarTestSupport.h"

#include <random>
#include <sstream>
#include <type_traits>
#include <vector>

namespace baudrill {
namespace {

using test::RuleBuilder;

class CountedRuleGenerator {
public:
    CountedRuleGenerator(std::uint32_t seed, bool plain) : random_(seed), plain_(plain) {}

    void Rule(RuleBuilder& r)
    {
        for (int k = 1 + Below(4); k > 0; --k)
            Item(r, 0);
    }
    std::string Text() const { return text_.str(); }
    int Below(int n) { return static_cast<int>(random_() % static_cast<std::uint32_t>(n)); }

private:
    void Item(RuleBuilder& r, int depth)
    {
        static const char* const CountTexts[] = {"byte set_rep", "t_push:2", "t_push:0", "t_push:-1", "t_settop:3"};
        static const char* const ItemTexts[] = {"byte",     "t_byte", "\"A\"",      "t_fail", "t_stop",
                                                "t_push:1", "t_pop",  "t_settop:0", "\"\""};
        switch (Below(depth > 1 ? 3 : 7)) {
        case 0:
        case 1: {  // a count, then a counted loop
            const std::string count = CountTexts[Below(5)];
            text_ << count << " {rep ";
            if (count == "byte set_rep")
                r.Code("byte").Code("set_rep");
            else
                r.Code(count.substr(0, count.find(':')), Value(std::stoi(count.substr(count.find(':') + 1))));
            const std::string item = ItemTexts[Below(9)];
            text_ << item << "} ";
            auto itemElement = [&] {
                if (item.front() == '"')
                    r.T(item.substr(1, item.size() - 2));
                else if (item.find(':') != std::string::npos)
                    r.Code(item.substr(0, item.find(':')), Value(std::stoi(item.substr(item.find(':') + 1))));
                else
                    r.Code(item);
            };
            r.Loop([&] {
                r.Code("rep");
                if (plain_)
                    r.Group([&] {
                        itemElement();
                        r.Or([&] { r.Code("t_fail"); });
                    });
                else
                    itemElement();
            });
            break;
        }
        case 2: {
            const char* literal = Below(2) ? "A" : "B";
            text_ << '"' << literal << "\" ";
            r.T(literal);
            break;
        }
        case 3:
            text_ << "[ ";
            r.Option([&] { Item(r, depth + 1); });
            text_ << "] ";
            break;
        case 4:
            text_ << "{ ";
            r.Loop([&] { Item(r, depth + 1); });
            text_ << "} ";
            break;
        case 5:
            text_ << "( ";
            r.Group([&] {
                Item(r, depth + 1);
                text_ << "| ";
                r.Or([&] { Item(r, depth + 1); });
            });
            text_ << ") ";
            break;
        default:
            text_ << "t_byte ";
            r.Code("t_byte");
            break;
        }
    }

    std::mt19937 random_;
    bool plain_;
    std::ostringstream text_;
};

// The repetition counters, bottom first.
std::vector<std::int32_t> Counters(const MatchState& state)
{
    const auto counters = state.intRegs(9);
    std::vector<std::int32_t> entries;
    for (std::size_t k = counters.Count(); k-- > 0;)
        entries.push_back(*counters.Top(k));
    return entries;
}

template <class Context>
bool RunRule(const BNFarticle& rule, Context& ctx)
{
    ctx.stepsLeft = 4000;
    if constexpr (std::is_same_v<Context, ParseContext>)
        return rule.Parse(ctx);
    else
        return rule.Compose(ctx);
}

TEST(CountedLoops, RunAsTheirElementsWould)
{
    test::RegisterTestActions();
    InitGrammarBuiltins();
    for (std::uint32_t seed = 1; seed <= 1500; ++seed) {
        BNFarticle fused;
        BNFarticle plain;
        CountedRuleGenerator fusedGen(seed, false);
        CountedRuleGenerator plainGen(seed, true);
        RuleBuilder fusedBuilder(fused);
        RuleBuilder plainBuilder(plain);
        fusedGen.Rule(fusedBuilder);
        plainGen.Rule(plainBuilder);
        for (int run = 0; run < 6; ++run) {
            std::string input;
            for (int k = fusedGen.Below(9); k > 0; --k)
                input += "AB\x02\x03"[fusedGen.Below(4)];
            ValueList values;
            for (int k = fusedGen.Below(7); k > 0; --k)
                values.push_back(fusedGen.Below(5) == 0 ? Value("s") : Value(fusedGen.Below(4)));
            SCOPED_TRACE(::testing::Message()
                         << "seed " << seed << ": " << fusedGen.Text() << " on " << ::testing::PrintToString(input));

            ParseContext a(input);
            ParseContext b(input);
            const bool parsedA = RunRule(fused, a);
            const bool parsedB = RunRule(plain, b);
            if (!a.BudgetExhausted() && !b.BudgetExhausted()) {
                EXPECT_EQ(parsedA, parsedB);
                EXPECT_EQ(a.Reach(), b.Reach());
                if (parsedA && parsedB) {
                    EXPECT_EQ(a.state.pos, b.state.pos);
                    EXPECT_EQ(a.state.values, b.state.values);
                    EXPECT_EQ(Counters(a.state), Counters(b.state));
                } else {
                    EXPECT_TRUE(a.state.values.empty());  // a failed run leaves none
                    EXPECT_TRUE(b.state.values.empty());
                }
            }
            ComposeContext c(values);
            ComposeContext d(values);
            const bool composedC = RunRule(fused, c);
            const bool composedD = RunRule(plain, d);
            if (!c.BudgetExhausted() && !d.BudgetExhausted()) {
                EXPECT_EQ(composedC, composedD);
                if (composedC && composedD) {
                    EXPECT_EQ(c.state.next, d.state.next);
                    EXPECT_EQ(c.state.output, d.state.output);
                    EXPECT_EQ(Counters(c.state), Counters(d.state));
                }
            }
            if (::testing::Test::HasFailure())
                return;  // the first disagreement, with its seed, rule and input, is enough
        }
    }
}

// Run as a whole, a turn costs two steps (its count and its item) instead of one per element
// it passes, so a budget goes as far as its time would.
TEST(CountedLoops, ATurnCostsTwoSteps)
{
    InitGrammarBuiltins();
    BNFarticle& counted = *CreateArticle("counted_test", "counted", "byte set_rep {rep byte}");
    std::string frame(1, '\x64');
    frame.append(100, '\x01');
    ParseContext ctx(frame);
    ASSERT_TRUE(counted.Parse(ctx));
    EXPECT_EQ(ctx.state.pos, 101);
    EXPECT_EQ(ctx.state.values.size(), 101u);
    const std::int64_t used = DefaultStepBudget - ctx.stepsLeft;
    EXPECT_GE(used, 200);
    EXPECT_LT(used, 230);
}

// The numbers of a counted loop are values wherever something reads them: the count of the
// next loop is the last byte of the one before. A run that fails leaves the values it found
// before it as they were.
TEST(CountedLoops, TheirValuesAreThereForWhatReadsThem)
{
    InitGrammarBuiltins();
    BNFarticle& chained = *CreateArticle("counted_test", "chained", "byte set_rep {rep byte} set_rep {rep byte}");
    ParseContext ctx(std::string_view("\x01\x03\x02\xAA\xBB\xCC", 6));
    ASSERT_TRUE(chained.Parse(ctx));
    EXPECT_EQ(ctx.state.pos, 5);
    EXPECT_EQ(ctx.state.values, (ValueList{1, 3, 2, 0xAA, 0xBB}));

    BNFarticle& unfinished = *CreateArticle("counted_test", "unfinished", "byte set_rep {rep byte} \"Z\"");
    ParseContext partFrame(std::string_view("\x05\x01\x02", 3));
    partFrame.state.values.push_back(Value("earlier"));
    EXPECT_FALSE(unfinished.Parse(partFrame));
    EXPECT_EQ(partFrame.state.values, ValueList{Value("earlier")});
}

}  // namespace
}  // namespace baudrill
