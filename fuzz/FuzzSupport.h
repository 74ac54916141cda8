#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace baudrill::fuzz {

// Ends the run with a report when a promise of the code under test does not hold: libFuzzer
// takes the abort as a crash and keeps the input that caused it.
void Require(bool holds, const char* promise);

// The fuzzer's bytes as a text of bytes.
inline std::string_view BytesOf(const uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// The most elements a compile of a rule of that many bytes may make: a compile's elements grow
// at most linearly with its text (an item of a few bytes makes a few elements), and the
// article's skeleton comes on top.
inline std::size_t ElementsAllowed(std::size_t ruleBytes) { return 64 * ruleBytes + 64; }

// The input cut at its first `count - 1` NUL bytes into `count` parts (missing ones empty).
std::vector<std::string> SplitAtNul(std::string_view input, std::size_t count);

// A folder of this process's own for the files a target writes, on a memory file system where
// there is one (so a store's flush to the disk costs nothing).
const std::string& ScratchFolder();

// Every grammar namespace's article count, and taking each namespace back to it: what one
// input made is gone before the next one runs.
class NamespaceCounts {
public:
    NamespaceCounts();
    void Restore() const;
    // The elements of every article made since.
    std::size_t ElementsMade() const;

private:
    std::vector<int> counts_;
};

}  // namespace baudrill::fuzz
