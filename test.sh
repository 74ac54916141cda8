#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, and runs every test three times:
# a plain optimised build, a ThreadSanitizer build of the parts without Qt, and an
# AddressSanitizer + UndefinedBehaviorSanitizer build. A fourth build, with clang and without
# Qt, builds only the fuzz targets and replays their seeds under the sanitizers (no fuzzing:
# tools/fuzz.sh runs campaigns). Last, the plain build replays the reproducers of faults found
# by fuzzing, each within its time and memory bounds. Stops at the first failure.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1

run_suite() {
    local dir=$1; shift
    echo "=== $dir: configure and build"
    cmake -S . -B "$dir" -DBAUDRILL_WERROR=ON "$@" >/dev/null
    cmake --build "$dir" -j"$jobs"
    echo "=== $dir: tests"
    # setarch -R: on kernels with high address-space randomisation ThreadSanitizer
    # fails to map its shadow memory; the other builds do not mind.
    (cd "$dir" && setarch "$(uname -m)" -R ctest --output-on-failure -j"$jobs" -LE reproducer)
}

# Line tables only: enough for the stack traces of the sanitizers and of a debugger, and the
# builds compile about a third faster than with full debug information. The sanitizer build
# keeps its assertions and runs at -O1, as the sanitizers advise (its tests take half the
# time); there g++ 12 reports false "maybe uninitialized" errors inside the standard
# library's headers, so that one warning is left to the optimised build.
optimised=(-DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG")
checked=(-DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g1 -Wno-maybe-uninitialized")

run_suite build "${optimised[@]}"
run_suite build-tsan "${optimised[@]}" -DBAUDRILL_SANITIZE=thread \
    -DBAUDRILL_GUI=OFF -DBAUDRILL_BENCH=OFF
run_suite build-asan "${checked[@]}" -DBAUDRILL_SANITIZE="address;undefined" \
    -DBAUDRILL_BENCH=OFF
run_suite build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -gline-tables-only -DNDEBUG" -DCMAKE_CXX_COMPILER=clang++-14 \
    -DBAUDRILL_SANITIZE="address;undefined" -DBAUDRILL_FUZZ=ON -DBAUDRILL_GUI=OFF \
    -DBAUDRILL_TESTS=OFF -DBAUDRILL_BENCH=OFF
# Last, so the suites above all run while a fault found by fuzzing is still being mended.
echo "=== build: reproducers of faults found by fuzzing, each within its bounds"
(cd build && ctest --output-on-failure -j"$jobs" -L reproducer)
