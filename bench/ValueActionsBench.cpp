// Cost of the value actions themselves, without the matcher: the checksum per
// byte and the text number conversions per call.

#include "grammar/ComposeContext.h"
#include "grammar/ParseContext.h"
#include "grammar/actions/Crc16Modbus.h"
#include "grammar/actions/TextActions.h"

#include <benchmark/benchmark.h>

#include <string>

namespace baudrill {
namespace {

void BM_Crc16Modbus(benchmark::State& state)
{
    std::string frame(static_cast<std::size_t>(state.range(0)), '\0');
    for (std::size_t i = 0; i < frame.size(); ++i)
        frame[i] = static_cast<char>(i * 37 + 11);
    for (auto _ : state)
        benchmark::DoNotOptimize(Crc16Modbus(frame.data(), static_cast<std::ptrdiff_t>(frame.size())));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_Crc16Modbus)->Arg(8)->Arg(256)->Arg(4096);

void BM_ParseText(benchmark::State& state, ParseAction action, const char* text)
{
    for (auto _ : state) {
        ParseContext ctx(text);
        benchmark::DoNotOptimize(action(ctx, Value(0)));
        benchmark::DoNotOptimize(ctx.state.values.data());
    }
}
BENCHMARK_CAPTURE(BM_ParseText, str_int, ParseStrInt, "-1234567;");
BENCHMARK_CAPTURE(BM_ParseText, str_float, ParseStrFloat, "-1234.5678;");
BENCHMARK_CAPTURE(BM_ParseText, str_quoted, ParseStrQuoted, R"("temperature\0D\0A")");

void BM_ComposeText(benchmark::State& state, ComposeAction action, Value value)
{
    for (auto _ : state) {
        ComposeContext ctx(ValueList{value});
        benchmark::DoNotOptimize(action(ctx, Value(9)));
        benchmark::DoNotOptimize(ctx.state.output.data());
    }
}
BENCHMARK_CAPTURE(BM_ComposeText, str_int, ComposeStrInt, Value(-1234567));
BENCHMARK_CAPTURE(BM_ComposeText, str_float, ComposeStrFloat, Value(-1234.5678));
BENCHMARK_CAPTURE(BM_ComposeText, str_quoted, ComposeStrQuoted, Value("temperature\r\n"));

}  // namespace
}  // namespace baudrill
