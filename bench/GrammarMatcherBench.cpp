// Matcher throughput on rules made with the builder: a frame of byte fields and
// one-byte terminals, parsed and composed, as a straight sequence and as a loop.

#include "grammar/BNFarticle.h"
#include "grammar/BNFcode.h"
#include "grammar/BNFterminal.h"
#include "grammar/ComposeContext.h"
#include "grammar/ParseContext.h"
#include "tests/support/grammar/TestActions.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace baudrill {
namespace {

constexpr char Separator = 0x55;

// t_byte "\x55" t_byte "\x55" ... for a frame of `bytes` bytes.
std::unique_ptr<BNFarticle> SequenceRule(int bytes)
{
    test::RegisterTestActions();
    auto rule = std::make_unique<BNFarticle>();
    BNFcode byte("t_byte", Value(0));
    for (int k = 0; k < bytes / 2; ++k)
        rule->InsertCode(byte).InsertTerminal(std::string(1, Separator));
    return rule;
}

// {t_byte "\x55"}
std::unique_ptr<BNFarticle> LoopRule()
{
    test::RegisterTestActions();
    auto rule = std::make_unique<BNFarticle>();
    rule->SetMark(false).InsertLink().SetMark(true).Wrap(true);
    rule->InsertCode(BNFcode("t_byte", Value(0))).InsertTerminal(std::string(1, Separator));
    rule->PopCursor();
    return rule;
}

std::string Frame(int bytes)
{
    std::string frame;
    for (int k = 0; k < bytes / 2; ++k) {
        frame += static_cast<char>(k & 0x7F);
        frame += Separator;
    }
    return frame;
}

ValueList FrameValues(int bytes)
{
    ValueList values;
    for (int k = 0; k < bytes / 2; ++k)
        values.push_back(Value(k & 0x7F));
    return values;
}

void RunParse(benchmark::State& state, const BNFarticle& rule)
{
    const int bytes = static_cast<int>(state.range(0));
    const std::string frame = Frame(bytes);
    for (auto _ : state) {
        ParseContext ctx(frame);
        bool ok = rule.Parse(ctx);
        if (!ok || ctx.state.pos != bytes)
            state.SkipWithError("frame did not parse");
        benchmark::DoNotOptimize(ctx.state.values.data());
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.SetItemsProcessed(state.iterations());  // frames
}

void RunCompose(benchmark::State& state, const BNFarticle& rule)
{
    const int bytes = static_cast<int>(state.range(0));
    const ValueList values = FrameValues(bytes);
    for (auto _ : state) {
        ComposeContext ctx(values);
        bool ok = rule.Compose(ctx);
        if (!ok || static_cast<int>(ctx.state.output.size()) != bytes)
            state.SkipWithError("frame did not compose");
        benchmark::DoNotOptimize(ctx.state.output.data());
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.SetItemsProcessed(state.iterations());
}

void BM_ParseSequence(benchmark::State& state)
{
    auto rule = SequenceRule(static_cast<int>(state.range(0)));
    RunParse(state, *rule);
}

void BM_ComposeSequence(benchmark::State& state)
{
    auto rule = SequenceRule(static_cast<int>(state.range(0)));
    RunCompose(state, *rule);
}

void BM_ParseLoop(benchmark::State& state)
{
    auto rule = LoopRule();
    RunParse(state, *rule);
}

void BM_ComposeLoop(benchmark::State& state)
{
    auto rule = LoopRule();
    RunCompose(state, *rule);
}

BENCHMARK(BM_ParseSequence)->Arg(8)->Arg(256);
BENCHMARK(BM_ComposeSequence)->Arg(8)->Arg(256);
BENCHMARK(BM_ParseLoop)->Arg(8)->Arg(256);
BENCHMARK(BM_ComposeLoop)->Arg(8)->Arg(256);

}  // namespace
}  // namespace baudrill
