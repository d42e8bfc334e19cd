#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: once in a
# Release build and once under AddressSanitizer and UndefinedBehaviorSanitizer;
# then checks what the Release build installs, and fuzzes the file readers.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# shellcheck source=scripts/packages.sh
source "$root/scripts/packages.sh"
ensure_packages "${BUILD_PACKAGES[@]}" "${INSTALL_CHECK_PACKAGES[@]}"

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

# One check of the installation: counted with the tests, its output shown
# only when it fails.
check() {
    local name="$1" out
    shift
    if out="$("$@" 2>&1)"; then
        echo "installed: $name: passed"
        passed=$((passed + 1))
    else
        echo "installed: $name: FAILED"
        printf '%s\n' "$out"
        failed=$((failed + 1))
    fi
}

# Every command of zentil-tool has an entry in its manual page, and every
# option a command's --help names is written there ("\-\-tile").
manual_covers_tool() {
    local tool="$1" page="$2" cmd opt
    for cmd in $("$tool" --help | sed -n 's/^zentil-tool \([a-z][a-z]*\) .*/\1/p'); do
        grep -Eq "^\.BI? \"?$cmd( |\"|$)" "$page" || { echo "no entry for $cmd"; return 1; }
        for opt in $("$tool" "$cmd" --help | grep -o -- '--[a-z]*' | sort -u); do
            grep -qF -- "${opt//-/\\-}" "$page" || { echo "$cmd: $opt is not described"; return 1; }
        done
    done
}

no_groff_warnings() {
    local warnings
    warnings="$(groff -t -man -Tutf8 -ww -z "$@" 2>&1)"
    [ -z "$warnings" ] || { echo "$warnings"; return 1; }
}

installed_version_is() {
    local printed
    printed="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1" --version)"
    [ "$printed" = "$2" ] || { echo "printed '$printed', wanted '$2'"; return 1; }
}

file_types_registered() {
    update-mime-database "$1" && grep -q '^50:application/x-zentil-gpf:\*\.gpf$' "$1/globs2" &&
        grep -q '^50:application/x-zentil-workspace:\*\.zws$' "$1/globs2"
}

echo "== install build/release into a temporary folder"
dest="$(mktemp -d)"
DESTDIR="$dest" cmake --install "$root/build/release" --prefix /usr >/dev/null
usr="$dest/usr"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$root/build/release/CMakeCache.txt")"
check "desktop entry" desktop-file-validate "$usr"/share/applications/*.desktop
check "AppStream metadata" appstreamcli validate --no-net "$usr"/share/metainfo/*.metainfo.xml
check "AppStream tree (entry, icons, metadata)" appstreamcli validate-tree --no-net "$usr"
check "GPF and work file MIME types" file_types_registered "$usr/share/mime"
check "manual pages" no_groff_warnings "$usr"/share/man/man1/*.1
check "machine-readable licence" grep -q "^License: GPL-3+" "$usr/share/doc/zentil-editor/copyright"
check "zentil-tool manual covers every command" \
    manual_covers_tool "$usr/bin/zentil-tool" "$usr/share/man/man1/zentil-tool.1"
check "zentil-editor --version without a display" \
    installed_version_is "$usr/bin/zentil-editor" "zentil-editor $version"
check "zentil-tool --version" installed_version_is "$usr/bin/zentil-tool" "zentil-tool $version"
rm -rf "$dest"

# A short fuzzing run of the file readers (about 20 s each), with its own
# summary; a crash fails the script.
bash "$root/scripts/fuzz.sh" 20

# Both builds and the installation together, in the plain form:
# "tests: N passed, N failed".
echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
