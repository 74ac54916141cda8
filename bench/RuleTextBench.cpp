// Rules compiled from their text, run as the monitor runs them: a Modbus RTU
// response with its CRC check parsed and composed, the send pane's value-list
// rule over a line of values, and the decoder's retry over ever shorter tails
// of a row of junk that ends in one frame, at once and chunk by chunk as the
// port's decoder does it. Also the cost of a compile itself.

#include "grammar/BNFarticle.h"
#include "grammar/ComposeContext.h"
#include "grammar/ParseContext.h"
#include "grammar/actions/Crc16Modbus.h"
#include "grammar/compiler/ArticleFactory.h"
#include "monitor/traffic/LogLine.h"
#include "monitor/traffic/RowDecoder.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>

namespace baudrill {
namespace {

// A read request (address, function, start, count) and a read response
// (address, function, byte count, the counted bytes), both with their CRC.
constexpr const char* RequestRule = "crc_start byte byte word_be word_be crc_end crc_modbus any any";
constexpr const char* ResponseRule = "crc_start byte byte byte set_rep {rep byte} crc_end crc_modbus any any";
// The same response with its function code written as a literal, as a protocol
// for one device would: most junk tails fail at their second byte.
constexpr const char* ResponseRuleFunction3 =
    "crc_start byte \"\\03\" byte set_rep {rep byte} crc_end crc_modbus any any";
constexpr const char* ComposeRule = "crc_start byte byte byte set_rep {rep byte} crc_end crc_modbus";
constexpr const char* ValueListText = "{<BNFwhite> (str_float | str_int | str_quoted)}";

const BNFarticle& Rule(const char* text) { return *CreateArticle("bench", "rule", text); }

// A read-holding-registers response of `bytes` bytes in all: address, function,
// count, count data bytes, CRC low and high.
std::string ResponseFrame(int bytes)
{
    const int count = bytes - 5;
    std::string frame = {0x11, 0x03, static_cast<char>(count)};
    for (int k = 0; k < count; ++k)
        frame += static_cast<char>((k * 37 + 11) & 0xFF);
    const std::uint16_t crc = Crc16Modbus(frame.data(), static_cast<std::ptrdiff_t>(frame.size()));
    frame += static_cast<char>(crc & 0xFF);
    frame += static_cast<char>(crc >> 8);
    return frame;
}

ValueList ResponseValues(const std::string& frame)
{
    ValueList values;
    for (std::size_t k = 0; k + 2 < frame.size(); ++k)
        values.push_back(Value(static_cast<std::int32_t>(static_cast<unsigned char>(frame[k]))));
    return values;
}

std::string RequestFrame()
{
    std::string frame = {0x01, 0x03, 0x00, 0x00, 0x00, 0x0A};
    const std::uint16_t crc = Crc16Modbus(frame.data(), static_cast<std::ptrdiff_t>(frame.size()));
    frame += static_cast<char>(crc & 0xFF);
    frame += static_cast<char>(crc >> 8);
    return frame;
}

void RunFrameParse(benchmark::State& state, const BNFarticle& rule, const std::string& frame)
{
    for (auto _ : state) {
        ParseContext ctx(frame);
        if (!rule.Parse(ctx) || ctx.state.pos != static_cast<int>(frame.size()))
            state.SkipWithError("frame did not parse");
        benchmark::DoNotOptimize(ctx.state.values.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(frame.size()));
    state.SetItemsProcessed(state.iterations());  // frames
}

void BM_ModbusRequestParse(benchmark::State& state) { RunFrameParse(state, Rule(RequestRule), RequestFrame()); }
BENCHMARK(BM_ModbusRequestParse);

void BM_ModbusResponseParse(benchmark::State& state)
{
    RunFrameParse(state, Rule(ResponseRule), ResponseFrame(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_ModbusResponseParse)->Arg(8)->Arg(256);

void BM_ModbusResponseCompose(benchmark::State& state)
{
    const BNFarticle& rule = Rule(ComposeRule);
    const std::string frame = ResponseFrame(static_cast<int>(state.range(0)));
    const ValueList values = ResponseValues(frame);
    for (auto _ : state) {
        ComposeContext ctx(values);
        if (!rule.Compose(ctx) || ctx.state.output != frame)
            state.SkipWithError("frame did not compose");
        benchmark::DoNotOptimize(ctx.state.output.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(frame.size()));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ModbusResponseCompose)->Arg(8)->Arg(256);

// About 1 KiB of integers, fractions and quoted strings separated by blanks.
std::string ValueLine()
{
    std::string line;
    for (int k = 0; line.size() < 1024; ++k) {
        switch (k % 3) {
        case 0: line += std::to_string(k * 7919 - 40000); break;
        case 1: line += std::to_string(k) + "." + std::to_string(k * 13 % 1000); break;
        default: line += "\"text " + std::to_string(k) + "\\0D\""; break;
        }
        line += ' ';
    }
    return line;
}

void BM_ValueListParse(benchmark::State& state)
{
    const BNFarticle& rule = Rule(ValueListText);
    const std::string line = ValueLine();
    for (auto _ : state) {
        ParseContext ctx(line);
        // The last blank is read by <BNFwhite> in an iteration that then finds no value.
        if (!rule.Parse(ctx) || ctx.state.pos != static_cast<int>(line.size()) - 1)
            state.SkipWithError("value line did not parse");
        benchmark::DoNotOptimize(ctx.state.values.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(line.size()));
}
BENCHMARK(BM_ValueListParse);

// A row of 4 KiB of random junk that ends in one frame: the request (fixed
// length) or the response (counted).
std::string JunkRow(bool counted)
{
    const std::string frame = counted ? ResponseFrame(8) : RequestFrame();
    std::mt19937 random(12345);
    std::string row;
    while (row.size() < 4096 - frame.size())
        row += static_cast<char>(random() & 0xFF);
    return row + frame;
}

// Decoding with "ignore starting junk": the tails of the row from the longest
// to the shortest, each in a fresh context, until one parses. Argument 0: the
// fixed-length request rule; 1: the counted response rule, which reads as many
// junk bytes as each tail's count byte says before its CRC check can fail;
// 2: the counted response rule with a literal function code.
void BM_JunkRowTails(benchmark::State& state)
{
    const char* rules[] = {RequestRule, ResponseRule, ResponseRuleFunction3};
    const BNFarticle& rule = Rule(rules[state.range(0)]);
    const std::string row = JunkRow(state.range(0) != 0);
    const std::size_t frame = state.range(0) == 0 ? RequestFrame().size() : ResponseFrame(8).size();
    std::int64_t steps = 0;
    for (auto _ : state) {
        std::size_t found = 0;
        steps = 0;
        for (std::size_t k = row.size(); k >= 1 && !found; --k) {
            ParseContext ctx(std::string_view(row).substr(row.size() - k));
            if (rule.Parse(ctx))
                found = k;
            steps += DefaultStepBudget - ctx.stepsLeft;
        }
        if (found != frame)
            state.SkipWithError("the frame at the end was not the first tail to parse");
        benchmark::DoNotOptimize(found);
    }
    state.counters["matcher_steps"] = static_cast<double>(steps);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(row.size()));
}
BENCHMARK(BM_JunkRowTails)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// The same rows as a port decodes them, with the budget of the GUI thread:
// arriving at once (argument 0), or in 64-byte chunks with a decoding after
// each (64), all of them timed together. Second argument: 0 the fixed-length
// rule, 1 the counted one.
void BM_JunkRowDecoding(benchmark::State& state)
{
    const std::size_t chunk = static_cast<std::size_t>(state.range(0));
    const bool counted = state.range(1) != 0;
    const BNFarticle& rule = Rule(counted ? ResponseRule : RequestRule);
    const std::string row = JunkRow(counted);
    const std::size_t frameStart = row.size() - (counted ? ResponseFrame(8) : RequestFrame()).size();
    const std::size_t step = chunk ? chunk : row.size();
    for (auto _ : state) {
        RowDecoder decoder;
        LogLine line;
        RowDecoding decoding;
        for (std::size_t at = 0; at < row.size(); at += step) {
            line.data.append(std::string_view(row).substr(at, step));
            decoding = decoder.Decode(rule, line, true);
        }
        if (!decoding.decoded || decoding.start != frameStart)
            state.SkipWithError("the frame at the end was not decoded");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(row.size()));
}
BENCHMARK(BM_JunkRowDecoding)->ArgsProduct({{0, 64}, {0, 1}})->Unit(benchmark::kMillisecond);

void BM_CompileRule(benchmark::State& state)
{
    const std::string text = ResponseRule;
    CreateArticle("bench", "init", "");  // makes the engine ready
    for (auto _ : state) {
        BNFarticle fresh;
        if (CompileRuleText(fresh, text) != static_cast<int>(text.size()))
            state.SkipWithError("rule did not compile");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_CompileRule);

}  // namespace
}  // namespace baudrill
