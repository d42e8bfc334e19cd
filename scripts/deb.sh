#!/usr/bin/env bash
# Builds the Debian package of the editor and zentil-tool in build/deb
# (without the tests and benchmarks) and prints its path. Its dependencies
# are computed from the programs' shared libraries. Install it with
#   sudo apt-get install ./build/deb/zentil-editor_*.deb
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# shellcheck source=scripts/packages.sh
source "$root/scripts/packages.sh"
ensure_packages "${BUILD_PACKAGES[@]}" "${DEB_PACKAGES[@]}"

build="$root/build/deb"
jobs="$(nproc 2>/dev/null || echo 2)"
[ "$jobs" -gt 2 ] && jobs=2
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZENTIL_BUILD_TESTS=OFF \
    -DZENTIL_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$jobs"
rm -f "$build"/zentil-editor_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/zentil-editor_*.deb
