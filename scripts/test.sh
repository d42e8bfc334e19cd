#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: once in a
# Release build and once under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# shellcheck source=scripts/packages.sh
source "$root/scripts/packages.sh"
ensure_packages "${BUILD_PACKAGES[@]}"

jobs="$(nproc 2>/dev/null || echo 2)"
passed=0
failed=0

run_suite() {
    local dir="$1"
    shift
    echo "== configure $dir"
    cmake -S "$root" -B "$root/$dir" "$@"
    echo "== build $dir"
    cmake --build "$root/$dir" -j "$jobs"
    echo "== test $dir"
    local log status=0
    log="$(mktemp)"
    ctest --test-dir "$root/$dir" --output-on-failure -j "$jobs" | tee "$log" || status=$?
    # ctest's summary: "N% tests passed, F tests failed out of T".
    local summary total bad
    summary="$(grep -E 'tests failed out of [0-9]+' "$log" | tail -n 1 || true)"
    rm -f "$log"
    total="$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$summary")"
    bad="$(sed -E 's/.* ([0-9]+) tests failed.*/\1/' <<<"$summary")"
    if [ -n "$summary" ]; then
        passed=$((passed + total - bad))
        failed=$((failed + bad))
    fi
    return "$status"
}

run_suite build/release -DCMAKE_BUILD_TYPE=Release

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
run_suite build/asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENTIL_SANITIZE=ON -DZENTIL_BUILD_BENCH=OFF

# A short fuzzing run of the file readers (about 20 s each), with its own
# summary; a crash fails the script.
bash "$root/scripts/fuzz.sh" 20

# Both builds together, in the plain form: "tests: N passed, N failed".
echo "tests: $passed passed, $failed failed"
