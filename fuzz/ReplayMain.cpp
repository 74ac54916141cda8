// Runs a fuzz target's entry point once on each input file, without libFuzzer: the release
// build holds the reproducers to their bounds with it, timed as the program runs. Each input
// must end within --cpu-seconds (CPU time, so a loaded machine does not count) and stay within
// --memory-mb resident; a watchdog ends the run at once when one goes past either bound.
//
//   fuzz_replay_<target> [--cpu-seconds=S] [--memory-mb=M] file...
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

double CpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

long ResidentMb()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE) / (1024 * 1024);
}

struct Bounds {
    double cpuSeconds = 1;
    long memoryMb = 1024;
};

// The input being run and the CPU time it started at (negative between inputs).
std::atomic<const char*> current{nullptr};
std::atomic<double> startedAt{-1};

[[noreturn]] void Exceeded(const char* what, double used, double bound)
{
    std::fprintf(stderr, "%s: %s %.2f, over the bound of %.2f\n", current.load(), what, used, bound);
    std::fflush(stderr);
    _exit(1);
}

void Watch(Bounds bounds)
{
    while (true) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const double started = startedAt.load();
        if (started < 0)
            continue;
        const double used = CpuSeconds() - started;
        if (used > bounds.cpuSeconds)
            Exceeded("CPU seconds", used, bounds.cpuSeconds);
        const long resident = ResidentMb();
        if (resident > bounds.memoryMb)
            Exceeded("resident MB", static_cast<double>(resident), static_cast<double>(bounds.memoryMb));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    Bounds bounds;
    std::vector<const char*> files;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.starts_with("--cpu-seconds="))
            bounds.cpuSeconds = std::stod(std::string(arg.substr(14)));
        else if (arg.starts_with("--memory-mb="))
            bounds.memoryMb = std::stol(std::string(arg.substr(12)));
        else
            files.push_back(argv[i]);
    }
    std::thread(Watch, bounds).detach();
    for (const char* file : files) {
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "%s: cannot be read\n", file);
            return 2;
        }
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        current = file;
        startedAt = CpuSeconds();
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        const double used = CpuSeconds() - startedAt.load();
        if (used > bounds.cpuSeconds)
            Exceeded("CPU seconds", used, bounds.cpuSeconds);
        startedAt = -1;
        std::printf("%s: %.3f s CPU\n", file, used);
    }
    return 0;
}
