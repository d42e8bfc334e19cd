# Debian packages the project needs, and a helper that installs the missing
# ones (through sudo when not root). Sourced by the other scripts.

BUILD_PACKAGES=(g++ cmake make pkg-config libspng-dev zlib1g-dev libgtest-dev libgmock-dev
    libbenchmark-dev libstb-dev qt6-base-dev libgl-dev)
# The fuzz build: clang and the libraries of the core and of the seed writer.
FUZZ_PACKAGES=(clang cmake make pkg-config libspng-dev zlib1g-dev)
# A Korean font, so that the editor's texts never show as boxes.
RUN_PACKAGES=(fonts-nanum)

ensure_packages() {
    local missing=() pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ "${#missing[@]}" -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "== installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}
