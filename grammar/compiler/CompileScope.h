#pragma once

namespace baudrill {

// While one is alive, grammar runs compile: the compiler actions may create
// articles and insert elements. A rule that names those actions and runs over
// data (a received row, a composed frame) finds them failing instead, so that
// traffic never makes articles or changes one: each chunk would add to the
// namespaces for as long as the program runs. Nests; one thread, as every
// grammar run.
class CompileScope {
public:
    CompileScope() { ++depth_; }
    ~CompileScope() { --depth_; }
    CompileScope(const CompileScope&) = delete;
    CompileScope& operator=(const CompileScope&) = delete;

    static bool Active() { return depth_ > 0; }

private:
    static inline int depth_ = 0;
};

}  // namespace baudrill
