# Reading what a libFuzzer run left behind, for scripts/fuzz.sh. Sourced.

# How many inputs the run's log says were run: in fork mode the parent's last
# status line ("#N: cov: ..."; the log of a job that crashed holds that
# job's own figures too), else the single process's "Done N runs in S
# second(s)", else its final statistics. Empty when the log says none.
fuzz_runs() {
    local log="$1" runs
    runs="$(sed -n 's/^#\([0-9][0-9]*\): cov: .*/\1/p' "$log" | tail -n 1)"
    [ -n "$runs" ] || runs="$(sed -n 's/^Done \([0-9][0-9]*\) runs in .*/\1/p' "$log" | tail -n 1)"
    [ -n "$runs" ] ||
        runs="$(sed -n 's/^stat::number_of_executed_units: *\([0-9][0-9]*\).*/\1/p' "$log" | tail -n 1)"
    echo "$runs"
}

# How many inputs of TARGET in the artifacts folder are faults: crashes,
# leaks, timeouts and inputs that ran out of memory. libFuzzer writes inputs
# that merely ran slowly there too ("slow-unit-"); they are no fault.
fuzz_faults() {
    local artifacts="$1" target="$2"
    find "$artifacts" \( -name "$target-crash-*" -o -name "$target-leak-*" \
        -o -name "$target-timeout-*" -o -name "$target-oom-*" \) | wc -l
}

fuzz_slow_units() {
    local artifacts="$1" target="$2"
    find "$artifacts" -name "$target-slow-unit-*" | wc -l
}
