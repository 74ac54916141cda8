// Reading a large settings file: ReadWholeFile's single read beside the byte-by-byte stream
// read it replaced, on the same file in the same run. Argument 1 reads into a fresh string each
// time, as the program's one load at start does, so the first touch of the string's new pages
// is included; argument 0 reuses one string, which shows the reading alone.
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "monitor/files/WholeFile.h"

namespace baudrill {
namespace {

// A file of `bytes` bytes in the temporary folder, removed when the benchmark ends.
class LargeFile {
public:
    explicit LargeFile(std::size_t bytes)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "baudrill-bench-XXXXXX").string();
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0)
            return;
        ::close(fd);
        path = pattern;
        std::string content(bytes, '\0');
        for (std::size_t i = 0; i < bytes; ++i)
            content[i] = static_cast<char>(i * 31 + (i >> 12));
        WriteFileReplacing(path, content);
    }
    ~LargeFile()
    {
        if (!path.empty())
            ::unlink(path.c_str());
    }
    std::string path;
};

constexpr std::size_t FileBytes = std::size_t{87} << 20;

void SingleRead(benchmark::State& state)
{
    LargeFile file(FileBytes);
    std::string kept;
    ReadWholeFile(file.path, kept);  // its pages are touched before the timing
    for (auto _ : state) {
        std::string fresh;
        std::string& bytes = state.range(0) ? fresh : kept;
        if (!ReadWholeFile(file.path, bytes))
            state.SkipWithError("the file cannot be read");
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * FileBytes));
}
BENCHMARK(SingleRead)->Arg(0)->Arg(1)->Iterations(5)->Unit(benchmark::kMillisecond);

// The baseline: a stream read through a character iterator.
void ByteByByteBaseline(benchmark::State& state)
{
    LargeFile file(FileBytes);
    std::string kept;
    ReadWholeFile(file.path, kept);  // its pages are touched before the timing
    for (auto _ : state) {
        std::ifstream in(file.path, std::ios::binary);
        std::string fresh;
        std::string& bytes = state.range(0) ? fresh : kept;
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * FileBytes));
}
BENCHMARK(ByteByByteBaseline)->Arg(0)->Arg(1)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace baudrill
