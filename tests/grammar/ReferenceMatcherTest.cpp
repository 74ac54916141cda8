// The matcher against a literal reference: the run as the algorithm states it,
// with a full copy of the state at every step and in every choice entry, the
// same bounds (no progress at an iteration's end, nesting depth, step budget),
// and the test actions written again over a plain state. Both run random rules
// over random inputs and value lists and must agree on the result, the state
// after success and the steps taken.

#include "grammar/BNFsplitter.h"
#include "grammar/BNFunitor.h"
#include "tests/support/grammar/GrammarTestSupport.h"
#include "tests/support/NamedCase.h"

#include <random>
#include <sstream>
#include <type_traits>

namespace baudrill {
namespace {

using test::RuleBuilder;

// The state of a run, copied whole: position or next value, what was produced,
// and the one register the test actions use (intRegs(9)).
struct FullState {
    bool retry = true;
    const BNFelement* current = nullptr;
    int at = 0;  // pos (parse) or next (compose)
    ValueList values;
    std::string output;
    std::vector<std::int32_t> counters;
};

class ReferenceMatcher {
public:
    ReferenceMatcher(bool parse, std::string_view input, const ValueList& values)
        : parse_(parse), input_(input), values_(values)
    {
    }

    bool Run(const BNFarticle& article, FullState& state) { return RunArticle(article, state, 0); }
    std::int64_t steps = 20000;
    bool aborted = false;

private:
    bool RunArticle(const BNFarticle& article, FullState& state, int depth)
    {
        std::vector<FullState> choices;
        bool stop = false;
        const BNFelement* previous = nullptr;
        state.current = article.begin;
        while (state.current && !stop) {
            if (--steps < 0) {
                aborted = true;
                return false;
            }
            FullState snapshot = state;
            const BNFelement* e = state.current;
            bool ok = Element(*e, state, stop, depth);
            if (aborted)
                return false;
            if (stop)
                return true;
            if (ok && e->type == UnitorType && previous == e->input1 && e->GetSplitter()->IsUp())
                ok = IterationProgressed(choices, e->GetSplitter(), state);
            if (ok) {
                const BNFelement* top = choices.empty() ? nullptr : choices.back().current;
                if (e->link1 && top != e) {
                    snapshot.retry = true;
                    choices.push_back(snapshot);
                }
                if (top && top == e->GetSplitter())
                    choices.pop_back();
                const BNFelement* top2 = choices.empty() ? nullptr : choices.back().current;
                bool second = e->IsUp();
                if (top2 == e && !snapshot.retry)
                    second = !second;
                state.current = second ? e->link1 : e->link0;
                previous = e;
            } else {
                while (!choices.empty() && !choices.back().retry)
                    choices.pop_back();
                if (choices.empty())
                    return false;
                choices.back().retry = false;
                state = choices.back();
                previous = nullptr;
            }
        }
        return true;
    }

    // Output alone is no progress; the register counts by its contents.
    static bool IterationProgressed(const std::vector<FullState>& choices, const BNFelement* splitter,
                                    const FullState& now)
    {
        for (auto entry = choices.rbegin(); entry != choices.rend(); ++entry)
            if (entry->current == splitter)
                return entry->at != now.at || entry->counters != now.counters;
        return true;
    }

    bool Element(const BNFelement& e, FullState& state, bool& stop, int depth)
    {
        switch (e.type) {
        case TerminalType: {
            const std::string& literal = static_cast<const BNFterminal&>(e).value;
            if (!parse_) {
                state.output += literal;
                return true;
            }
            if (input_.size() < state.at + literal.size() || input_.substr(state.at, literal.size()) != literal)
                return false;
            state.at += static_cast<int>(literal.size());
            return true;
        }
        case NonterminalType: {
            const BNFarticle* target = static_cast<const BNFnonterminal&>(e).Target();
            if (!target)
                return true;
            if (depth >= MaxNonterminalNesting)
                return false;
            FullState sub = state;
            if (!RunArticle(*target, sub, depth + 1))
                return false;
            state = sub;
            return true;
        }
        case CodeType: {
            const FullState saved = state;
            const auto& code = static_cast<const BNFcode&>(e);
            if (Action(code.id, code.v, state, stop))
                return true;
            state = saved;
            return false;
        }
        default: return true;
        }
    }

    // The test actions of TestActions.cpp, over the full state.
    bool Action(const std::string& id, const Value& arg, FullState& state, bool& stop) const
    {
        std::vector<std::int32_t>& counters = state.counters;
        if (id == "t_push") {
            counters.push_back(arg.GetInt());
            return true;
        }
        const bool readsCounter = id == "t_pop" || id == "t_settop" || id == "t_dec" || id == "t_top";
        if (id == "t_fail" || (readsCounter && counters.empty()))
            return false;
        if (id == "t_pop") {
            counters.pop_back();
            return true;
        }
        if (id == "t_settop") {
            counters.back() = arg.GetInt();
            return true;
        }
        if (id == "t_dec")
            return counters.back()-- > 0;
        return parse_ ? ParseAction(id, arg, state, stop) : ComposeAction(id, arg, state);
    }

    bool ParseAction(const std::string& id, const Value& arg, FullState& state, bool& stop) const
    {
        if (id == "t_byte") {
            if (static_cast<std::size_t>(state.at) >= input_.size())
                return false;
            state.values.push_back(Value(static_cast<std::int32_t>(static_cast<unsigned char>(input_[state.at]))));
            ++state.at;
            return true;
        }
        if (id == "t_arg" || id == "t_top") {
            state.values.push_back(id == "t_arg" ? arg : Value(state.counters.back()));
            return true;
        }
        if (id == "t_stop") {
            stop = true;
            return true;
        }
        return id == "t_last_is" && !state.values.empty() && state.values.back() == arg;
    }

    // Compose has t_byte and t_arg of its own; t_top, t_stop and t_last_is are parse-only.
    bool ComposeAction(const std::string& id, const Value& arg, FullState& state) const
    {
        if ((id != "t_byte" && id != "t_arg") || static_cast<std::size_t>(state.at) >= values_.size())
            return false;
        const Value& next = values_[static_cast<std::size_t>(state.at++)];
        if (id == "t_arg")
            return next == arg;
        if (!next.IsInt())
            return false;
        state.output += static_cast<char>(next.GetInt() & 0xFF);
        return true;
    }

    bool parse_;
    std::string_view input_;
    const ValueList& values_;
};

// Random rules over the literals A, B, AB and the empty one, the test actions,
// options, loops, alternatives and references to a few helper rules.
class RuleGenerator {
public:
    explicit RuleGenerator(std::uint32_t seed) : random_(seed) {}

    int Below(int n) { return static_cast<int>(random_() % static_cast<std::uint32_t>(n)); }

    // Makes the helpers the rules may refer to; a helper may refer to the ones before it.
    void MakeHelpers(int count)
    {
        helpers_.clear();
        for (int k = 0; k < count; ++k) {
            BNFarticle& helper = test::NewArticle("ReferenceMatcher", "helper");
            RuleBuilder r(helper);
            Items(r, 1, 1 + Below(2));
            text_ << " ; ";
            helpers_.push_back(&helper);
        }
    }

    void Rule(RuleBuilder& r) { Items(r, 0, 1 + Below(3)); }
    std::string Text() const { return text_.str(); }

private:
    void Items(RuleBuilder& r, int depth, int count)
    {
        for (int k = 0; k < count; ++k)
            Item(r, depth);
    }

    void Item(RuleBuilder& r, int depth)
    {
        static const char* const LiteralTexts[] = {"A", "B", "AB", ""};
        static const char* const Actions[] = {"t_byte", "t_arg", "t_push", "t_pop",  "t_settop",
                                              "t_dec",  "t_top", "t_fail", "t_stop", "t_last_is"};
        switch (Below(depth > 2 ? 4 : 11)) {
        case 0:
        case 1: {
            const char* literal = LiteralTexts[Below(4)];
            text_ << '"' << literal << "\" ";
            r.T(literal);
            break;
        }
        case 2:
        case 3: {
            const char* action = Actions[Below(10)];
            const int arg = Below(3);
            text_ << action << ':' << arg << ' ';
            r.Code(action, Value(arg));
            break;
        }
        case 4:
        case 5:
            text_ << "[ ";
            r.Option([&] { Items(r, depth + 1, 1 + Below(2)); });
            text_ << "] ";
            break;
        case 6:
        case 7:
            text_ << "{ ";
            r.Loop([&] { Items(r, depth + 1, 1 + Below(2)); });
            text_ << "} ";
            break;
        case 8:
        case 9:
            text_ << "( ";
            r.Group([&] {
                Items(r, depth + 1, 1 + Below(2));
                text_ << "| ";
                r.Or([&] { Items(r, depth + 1, Below(3)); });
            });
            text_ << ") ";
            break;
        default:
            if (!helpers_.empty()) {
                const int k = Below(static_cast<int>(helpers_.size()));
                text_ << "<h" << k << "> ";
                r.Ref(*helpers_[static_cast<std::size_t>(k)], "ReferenceMatcher");
            }
            break;
        }
    }

    std::mt19937 random_;
    std::ostringstream text_;
    std::vector<BNFarticle*> helpers_;
};

// Runs the rule in the context's direction on the engine and on the reference
// with the same step budget; true when both matched.
template <class Context>
bool RunBoth(const BNFarticle& rule, Context& ctx, ReferenceMatcher reference, FullState& state)
{
    constexpr std::int64_t Budget = 3000;
    ctx.stepsLeft = Budget;
    reference.steps = Budget;
    bool matched = false;
    if constexpr (std::is_same_v<Context, ParseContext>)
        matched = rule.Parse(ctx);
    else
        matched = rule.Compose(ctx);
    const bool referenceMatched = reference.Run(rule, state);
    EXPECT_EQ(matched, referenceMatched);
    EXPECT_EQ(ctx.BudgetExhausted(), reference.aborted);
    EXPECT_EQ(ctx.stepsLeft, reference.steps);
    return matched && referenceMatched;
}

// The seeds are split into blocks so that ctest runs them side by side: the reference copies its
// whole state at every step, which is slow in the sanitizer builds.
struct SeedBlock : test::NamedCase {
    std::uint32_t first;
    std::uint32_t last;
};

class ReferenceMatcherSeeds : public ::testing::TestWithParam<SeedBlock> {};

TEST_P(ReferenceMatcherSeeds, RandomRulesRunAsTheLiteralAlgorithm)
{
    test::RegisterTestActions();
    for (std::uint32_t seed = GetParam().first; seed <= GetParam().last; ++seed) {
        RuleGenerator gen(seed);
        gen.MakeHelpers(2);
        BNFarticle rule;
        RuleBuilder builder(rule);
        gen.Rule(builder);
        for (int run = 0; run < 6; ++run) {
            std::string input;
            for (int k = gen.Below(7); k > 0; --k)
                input += "ABC"[gen.Below(3)];
            ValueList values;
            for (int k = gen.Below(5); k > 0; --k)
                values.push_back(gen.Below(4) == 0 ? Value("s") : Value(gen.Below(3)));
            SCOPED_TRACE(::testing::Message() << "seed " << seed << ": " << gen.Text() << " on '" << input << "'");

            ParseContext parse(input);
            FullState parsed;
            if (RunBoth(rule, parse, ReferenceMatcher(true, input, values), parsed)) {
                EXPECT_EQ(parse.state.pos, parsed.at);
                EXPECT_EQ(parse.state.values, parsed.values);
            }
            ComposeContext compose(values);
            FullState composed;
            if (RunBoth(rule, compose, ReferenceMatcher(false, input, values), composed)) {
                EXPECT_EQ(compose.state.next, composed.at);
                EXPECT_EQ(compose.state.output, composed.output);
            }
            if (::testing::Test::HasFailure())
                return;  // the first disagreement, with its seed, rule and input, is enough
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Blocks, ReferenceMatcherSeeds,
                         ::testing::Values(SeedBlock{"Seeds1To250", 1, 250}, SeedBlock{"Seeds251To500", 251, 500},
                                           SeedBlock{"Seeds501To750", 501, 750}, SeedBlock{"Seeds751To1000", 751, 1000},
                                           SeedBlock{"Seeds1001To1250", 1001, 1250},
                                           SeedBlock{"Seeds1251To1500", 1251, 1500}),
                         test::CaseName<SeedBlock>);

}  // namespace
}  // namespace baudrill
