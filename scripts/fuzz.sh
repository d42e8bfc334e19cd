#!/usr/bin/env bash
# Fuzzes the file readers for SECONDS seconds each:
#   scripts/fuzz.sh SECONDS
# Builds build/fuzz with clang, writes the seed files into
# build/fuzz/corpus/<target> (an existing corpus is kept, so runs accumulate),
# runs the targets one after another, each in a single process without
# forking, prints how many inputs each one ran, and exits non-zero when any
# target found a crash, leak, timeout or memory blow-up (inputs go to
# build/fuzz/artifacts/, logs to build/fuzz/logs/; inputs that only ran
# slowly are counted but fail nothing). FUZZ_FLAGS adds libFuzzer flags (say
# "-fork=2").
set -euo pipefail

if [ "$#" -ne 1 ] || ! [[ "$1" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 SECONDS" >&2
    exit 2
fi
seconds="$1"

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# shellcheck source=scripts/packages.sh
source "$root/scripts/packages.sh"
# shellcheck source=scripts/fuzz_log.sh
source "$root/scripts/fuzz_log.sh"
ensure_packages "${FUZZ_PACKAGES[@]}"

build="$root/build/fuzz"
jobs="$(nproc 2>/dev/null || echo 2)"
[ "$jobs" -gt 2 ] && jobs=2

mkdir -p "$build/corpus" "$build/artifacts" "$build/logs"
echo "== configure build/fuzz"
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZENTIL_FUZZ=ON -DZENTIL_BUILD_TESTS=OFF -DZENTIL_BUILD_BENCH=OFF -DZENTIL_BUILD_UI=OFF \
    >"$build/logs/configure.log" 2>&1 || { cat "$build/logs/configure.log"; exit 1; }
echo "== build build/fuzz"
targets=(tga bmp gpf palette png png_paths palette_formats work_file gif)
cmake --build "$build" -j "$jobs" --target "${targets[@]/%/_fuzz}" make_seeds

"$build/fuzz/make_seeds" "$build/corpus"

# Inputs are capped in length; a short input can still declare the largest
# page the core builds (1 GiB), so the memory limits leave room for two such
# pages at once and report only single allocations larger than any page.
declare -A max_len=([tga]=65536 [bmp]=65536 [gpf]=65536 [palette]=4096 [png]=65536 [png_paths]=65536
    [palette_formats]=8192
    [work_file]=65536 [gif]=65536)
export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
read -r -a extra_flags <<<"${FUZZ_FLAGS:-}"

failed=0
summary=()
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    log="$build/logs/$target.log"
    before="$(fuzz_faults "$build/artifacts" "$target")"
    slow_before="$(fuzz_slow_units "$build/artifacts" "$target")"
    echo "== fuzz $target for ${seconds}s (log: build/fuzz/logs/$target.log)"
    status=0
    "$build/fuzz/${target}_fuzz" "$corpus" \
        -max_total_time="$seconds" -max_len="${max_len[$target]}" \
        -rss_limit_mb=4096 -malloc_limit_mb=2048 -timeout=120 \
        -artifact_prefix="$build/artifacts/$target-" -print_final_stats=1 \
        ${extra_flags[@]+"${extra_flags[@]}"} >"$log" 2>&1 || status=$?
    runs="$(fuzz_runs "$log")"
    files="$(find "$corpus" -type f | wc -l)"
    after="$(fuzz_faults "$build/artifacts" "$target")"
    slow=$(($(fuzz_slow_units "$build/artifacts" "$target") - slow_before))
    line="$target: ${runs:-?} runs, corpus $files files"
    if [ "$slow" -gt 0 ]; then line="$line, $slow slow inputs"; fi
    if [ "$status" -ne 0 ] || [ "$after" -gt "$before" ]; then
        failed=1
        line="$line, FOUND A CRASH (exit $status)"
        echo "-- $target failed; the end of its log:"
        grep -E "ERROR|SUMMARY|property failed|Test unit written|runtime error" "$log" | head -20 || true
        tail -n 5 "$log"
    else
        line="$line, no crash"
    fi
    summary+=("$line")
done

echo "== fuzz summary (${seconds}s per target)"
printf '%s\n' "${summary[@]}"
if [ "$failed" -ne 0 ]; then
    echo "fuzzing found crashes; inputs in build/fuzz/artifacts/" >&2
    exit 1
fi
