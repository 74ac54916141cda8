#!/usr/bin/env bash
# Runs fuzzing campaigns: each named target (all when none is named) for the given time, one
# after the other, several at once with -j. Builds the fuzz build first (build-fuzz: clang,
# AddressSanitizer + UndefinedBehaviorSanitizer, no Qt).
#
#   tools/fuzz.sh [-t seconds per target] [-j targets at once] [-k] [target...]
#   targets: settings protocols rules encoders help
#   -k: keep going past time-outs and out-of-memory inputs (libFuzzer's fork mode), to look
#       beyond a known fault; each one found is still saved
#
# Each target's corpus grows in build-fuzz/campaign/<target>/corpus, starting from the seeds in
# fuzz/corpus/<target>; what it finds (crash, sanitizer report, time-out, out-of-memory) lands
# in build-fuzz/campaign/<target>/findings with libFuzzer's report in .../log. To keep a finding
# as a regression input, copy it to fuzz/reproducers/<target>/<what_it_shows>.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=600
parallel=1
keepGoing=()
while getopts "t:j:k" option; do
    case $option in
    t) seconds=$OPTARG ;;
    j) parallel=$OPTARG ;;
    k) keepGoing=(-fork=1 -ignore_timeouts=1 -ignore_ooms=1) ;;
    *) sed -n '2,15p' "$0"; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(settings protocols rules encoders help)

./tools/install-deps.sh
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
    -DBAUDRILL_WERROR=ON -DBAUDRILL_SANITIZE="address;undefined" -DBAUDRILL_FUZZ=ON \
    -DBAUDRILL_GUI=OFF -DBAUDRILL_TESTS=OFF -DBAUDRILL_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target $(printf 'fuzz_%s ' "${targets[@]}")

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

campaign() {
    local target=$1
    local dir=build-fuzz/campaign/$target
    mkdir -p "$dir/corpus" "$dir/findings"
    echo "=== $target: $seconds s"
    # The time-out per input and the memory limit are those of the replays in ./test.sh.
    if build-fuzz/fuzz/fuzz_"$target" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=1024 \
        -print_final_stats=1 -artifact_prefix="$dir/findings/" "${keepGoing[@]}" \
        "$dir/corpus" "fuzz/corpus/$target" \
        >"$dir/log" 2>&1; then
        echo "=== $target: $(ls "$dir/findings" | wc -l) findings ($(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$dir/log" || true))"
    else
        echo "=== $target: FOUND $(grep -m1 -E 'ERROR|SUMMARY' "$dir/log" || echo 'something'); see $dir"
        return 1
    fi
}

status=0
running=0
for target in "${targets[@]}"; do
    campaign "$target" &
    running=$((running + 1))
    if [ "$running" -ge "$parallel" ]; then
        wait -n || status=1
        running=$((running - 1))
    fi
done
while [ "$running" -gt 0 ]; do
    wait -n || status=1
    running=$((running - 1))
done
exit $status
