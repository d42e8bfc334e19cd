#!/usr/bin/env bash
# scripts/fuzz_log.sh reads the run counts of libFuzzer logs in both of its
# modes and counts only faults, not slow inputs, as findings. The log lines
# are as libFuzzer prints them.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/fuzz_log.sh"

dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
failures=0
expect() {
    if [ "$2" != "$3" ]; then
        echo "$1: got '$2', wanted '$3'"
        failures=$((failures + 1))
    fi
}

cat >"$dir/single.log" <<'LOG'
#3	INITED cov: 3 ft: 3 corp: 2/2b exec/s: 3 rss: 27Mb
#18	DONE   cov: 3 ft: 3 corp: 2/2b lim: 4 exec/s: 2 rss: 27Mb
Done 18 runs in 9 second(s)
stat::number_of_executed_units: 18
LOG
cat >"$dir/fork.log" <<'LOG'
INFO: -fork=1: fuzzing in separate process(s)
#300: cov: 3 ft: 3 corp: 2 exec/s 100 oom/timeout/crash: 0/0/0 time: 5s job: 1 dft_time: 0
#4210: cov: 3 ft: 3 corp: 2 exec/s 420 oom/timeout/crash: 0/0/0 time: 10s job: 2 dft_time: 0
INFO: fuzzed for 10 seconds, wrapping up soon
INFO: exiting: 0 time: 10s
LOG
cat >"$dir/fork-crash.log" <<'LOG'
#120: cov: 5 ft: 5 corp: 3 exec/s 60 oom/timeout/crash: 0/0/0 time: 2s job: 1 dft_time: 0
==77== ERROR: libFuzzer: deadly signal
stat::number_of_executed_units: 12862
INFO: exiting: 77 time: 3s
LOG
cat >"$dir/stats-only.log" <<'LOG'
stat::number_of_executed_units: 512
LOG
: >"$dir/empty.log"
expect "single process" "$(fuzz_runs "$dir/single.log")" 18
expect "fork mode" "$(fuzz_runs "$dir/fork.log")" 4210
expect "fork mode, a job crashed" "$(fuzz_runs "$dir/fork-crash.log")" 120
expect "statistics only" "$(fuzz_runs "$dir/stats-only.log")" 512
expect "nothing run" "$(fuzz_runs "$dir/empty.log")" ""

mkdir "$dir/artifacts"
for name in gpf-slow-unit-1 gpf-slow-unit-2 gpf-crash-3 gpf-timeout-4 palette_formats-crash-5 \
    palette-leak-6 palette-oom-7; do
    : >"$dir/artifacts/$name"
done
expect "gpf faults" "$(fuzz_faults "$dir/artifacts" gpf)" 2
expect "gpf slow inputs" "$(fuzz_slow_units "$dir/artifacts" gpf)" 2
expect "palette faults" "$(fuzz_faults "$dir/artifacts" palette)" 2
expect "tga faults" "$(fuzz_faults "$dir/artifacts" tga)" 0
[ "$failures" -eq 0 ]
