// Rules and inputs chosen to make each step as costly as possible, run with the
// step budget of a run on the GUI thread: every run must end within 50 ms. Each
// reports its time and the steps it took; the Modbus response is the baseline of
// an ordinary rule.

#include "grammar/BNFarticle.h"
#include "grammar/ComposeContext.h"
#include "grammar/ParseContext.h"
#include "grammar/compiler/ArticleFactory.h"
#include "monitor/text/GuiRunBudget.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <type_traits>

namespace baudrill {
namespace {

constexpr std::int64_t Budget = GuiRunStepBudget;

enum class Input { Random, Printable, Digits, EscapedQuotes, Values };

struct HostileCase {
    const char* name;
    const char* rule;
    Input input;
};

const HostileCase HostileCases[] = {
    {"ModbusResponse", "crc_start byte byte byte set_rep {rep byte} crc_end crc_modbus any any", Input::Random},
    {"CrcStarts", "{crc_start}", Input::Random},
    {"CrcEnds", "byte {crc_end}", Input::Random},
    {"PushedArguments", "{BNFrv}", Input::Random},
    {"CountThenPushedArguments", "byte set_rep {BNFrv}", Input::Random},
    {"TextToTheEndAtEveryByte", "{byte [str_nonctrl \"\\01\"]}", Input::Printable},
    {"DigitsToTheEndAtEveryByte", "{byte [str_int \"x\"]}", Input::Digits},
    {"OpenQuoteAtEveryOtherByte", "{byte [str_quoted \"\\01\"]}", Input::EscapedQuotes},
    {"ChecksumOverAllReadSoFar", "crc_start {byte [crc_end crc_modbus]}", Input::Random},
    {"WordsToTheEnd", "{byte [BNFstr:\"\\01\" \"\\01\"]}", Input::Printable},
    {"SharedRepetitions", "{\"a\" {\"z\"}} {\"a\" {\"z\"}} {\"a\" {\"z\"}} {\"a\" {\"z\"}} \"b\"", Input::Printable},
};

std::string MakeInput(Input kind)
{
    std::string bytes;
    std::mt19937 random(7);
    for (std::size_t k = 0; k < 4096; ++k) {
        switch (kind) {
        case Input::Printable: bytes += 'a'; break;
        case Input::Digits: bytes += '1'; break;
        case Input::EscapedQuotes: bytes += k % 2 ? '\\' : '"'; break;
        default: bytes += static_cast<char>(random() & 0xFF); break;
        }
    }
    return bytes;
}

// Runs the rule on a fresh context made by `make` at every iteration, with the budget.
template <class Make>
void RunWithBudget(benchmark::State& state, const char* name, const BNFarticle& rule, Make make)
{
    std::int64_t steps = 0;
    for (auto _ : state) {
        auto ctx = make();
        ctx->stepsLeft = Budget;
        if constexpr (std::is_same_v<decltype(ctx), std::unique_ptr<ParseContext>>)
            benchmark::DoNotOptimize(rule.Parse(*ctx));
        else
            benchmark::DoNotOptimize(rule.Compose(*ctx));
        steps = Budget - ctx->stepsLeft;
    }
    state.SetLabel(name);
    state.counters["steps"] = static_cast<double>(steps);
}

void BM_HostileParse(benchmark::State& state)
{
    const HostileCase& c = HostileCases[state.range(0)];
    const std::string input = MakeInput(c.input);
    RunWithBudget(state, c.name, *CreateArticle("hostile", c.name, c.rule),
                  [&] { return std::make_unique<ParseContext>(input); });
}
BENCHMARK(BM_HostileParse)->DenseRange(0, std::size(HostileCases) - 1)->Unit(benchmark::kMillisecond);

struct HostileCompose {
    const char* name;
    const char* rule;
    bool longText;  // values: one long string, else 4096 ints
};

const HostileCompose ComposeCases[] = {
    {"ModbusResponse", "crc_start byte byte byte set_rep {rep byte} crc_end crc_modbus", false},
    {"CrcStarts", "{crc_start}", false},
    {"CrcEnds", "byte {crc_end}", false},
    {"ChecksumOverAllWrittenSoFar", "crc_start {byte crc_end crc_modbus}", false},
    {"ValueChecksAtEveryValue", "crc_start {byte crc_end crc_wake}", false},
    {"LongTextAgainAndAgain", "{(str_nonctrl \"x\" BNFend | \"y\")} str_nonctrl", true},
};

void BM_HostileCompose(benchmark::State& state)
{
    const HostileCompose& c = ComposeCases[state.range(0)];
    ValueList values;
    if (c.longText) {
        values.push_back(Value(std::string(4096, 'a')));
    } else {
        values.push_back(Value(255));
        for (int k = 1; k < 4096; ++k)
            values.push_back(Value(k & 0xFF));
    }
    RunWithBudget(state, c.name, *CreateArticle("hostile", c.name, c.rule),
                  [&] { return std::make_unique<ComposeContext>(values); });
}
BENCHMARK(BM_HostileCompose)->DenseRange(0, std::size(ComposeCases) - 1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace baudrill
