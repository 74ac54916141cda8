// Texts that once cost time or memory growing with the square of their length, each beside an
// ordinary text of the same size: the help converter over spans left open across paragraphs and
// over brackets without codes, the XML reader over an attribute of '&', and the rule compiler
// over unclosed brackets behind '|'. Linear work shows as the same time per byte at every size.
// At a megabyte the runs take fresh memory from the system each time; where page faults are dear
// (a virtual machine) they can dominate, and
// GLIBC_TUNABLES=glibc.malloc.mmap_threshold=4294967295:glibc.malloc.trim_threshold=4294967295
// keeps that memory between runs.

#include "grammar/BNFarticle.h"
#include "grammar/compiler/ArticleFactory.h"
#include "grammar/compiler/GrammarBuiltins.h"
#include "monitor/protocols/QtfToHtml.h"
#include "monitor/protocols/XmlReader.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace baudrill {
namespace {

std::string Repeated(std::string_view piece, std::int64_t bytes)
{
    std::string text;
    while (static_cast<std::int64_t>(text.size() + piece.size()) <= bytes)
        text += piece;
    return text;
}

void Bytes(benchmark::State& state, std::size_t size)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void Convert(benchmark::State& state, const std::string& qtf)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(QtfToHtml(qtf));
    Bytes(state, qtf.size());
}

// Baseline: plain paragraphs.
void BM_QtfPlainText(benchmark::State& state) { Convert(state, Repeated("help text&", state.range(0))); }

// Half the text opens bold spans, the other half ends paragraphs.
void BM_QtfSpansAcrossParagraphs(benchmark::State& state)
{
    const std::int64_t half = state.range(0) / 2;
    Convert(state, Repeated("[*", half) + Repeated("&", half));
}

void BM_QtfBracketsWithoutCodes(benchmark::State& state) { Convert(state, Repeated("[ ", state.range(0))); }

void Read(benchmark::State& state, const std::string& value)
{
    const std::string xml = "<a v=\"" + value + "\"/>";
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadXml(xml));
    Bytes(state, xml.size());
}

// Baseline: an attribute of letters.
void BM_XmlPlainAttribute(benchmark::State& state) { Read(state, Repeated("a", state.range(0))); }

void BM_XmlAttributeOfAmpersands(benchmark::State& state) { Read(state, Repeated("&", state.range(0)) + ";"); }

void Compile(benchmark::State& state, const std::string& text)
{
    InitGrammarBuiltins();
    for (auto _ : state) {
        BNFarticle fresh;
        benchmark::DoNotOptimize(CompileRuleText(fresh, text));
    }
    Bytes(state, text.size());
}

// Baseline: options, each closed.
void BM_CompileClosedOptions(benchmark::State& state) { Compile(state, Repeated("[a] ", state.range(0))); }

// Each '|' nests one level deeper: 400 bytes stay below the matcher's nesting bound.
void BM_CompileUnclosedOptionsBehindAlternatives(benchmark::State& state)
{
    Compile(state, Repeated("|[", state.range(0)));
}

BENCHMARK(BM_QtfPlainText)->RangeMultiplier(4)->Range(16 << 10, 1 << 20);
BENCHMARK(BM_QtfSpansAcrossParagraphs)->RangeMultiplier(4)->Range(16 << 10, 1 << 20);
BENCHMARK(BM_QtfBracketsWithoutCodes)->RangeMultiplier(4)->Range(16 << 10, 1 << 20);
BENCHMARK(BM_XmlPlainAttribute)->RangeMultiplier(4)->Range(16 << 10, 1 << 20);
BENCHMARK(BM_XmlAttributeOfAmpersands)->RangeMultiplier(4)->Range(16 << 10, 1 << 20);
BENCHMARK(BM_CompileClosedOptions)->RangeMultiplier(2)->Range(32, 400);
BENCHMARK(BM_CompileUnclosedOptionsBehindAlternatives)->RangeMultiplier(2)->Range(32, 400);

}  // namespace
}  // namespace baudrill
