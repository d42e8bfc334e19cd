# Debian packages the project needs, and a helper that installs the missing
# ones (through sudo when not root). Sourced by the other scripts.

# librsvg2-bin draws the icon's fixed sizes from its SVG; libspng reads and
# writes PNG, libdeflate checks the chunks of small ones held in memory,
# libimagequant reduces pictures of many colours to a palette or remaps them
# onto a given one, giflib (libgif-dev) reads GIF and writes the tests' GIF
# files, zlib builds PNG files byte by byte in the tests and is the yardstick
# of their inflater; libzip and nlohmann-json write and read work files;
# qt6-translations-l10n holds Qt's own Korean texts, which the program-start
# test checks; qt6-tools-dev (CMake's Qt6LinguistTools) and qt6-l10n-tools
# (lupdate, lrelease) build the translations into the editor and check that
# they are complete; python3 makes zentil-tool's table of them at build time.
BUILD_PACKAGES=(g++ cmake make pkg-config libspng-dev libgif-dev libdeflate-dev libimagequant-dev zlib1g-dev
    libzip-dev nlohmann-json3-dev libgtest-dev libgmock-dev libbenchmark-dev libstb-dev qt6-base-dev
    libgl-dev librsvg2-bin qt6-translations-l10n qt6-tools-dev qt6-l10n-tools python3)
# A Korean font, so that the editor's texts never show as boxes, and Qt's own
# Korean texts (file dialogs, standard buttons).
RUN_PACKAGES=(fonts-nanum qt6-translations-l10n)
# The fuzz build: clang with its libFuzzer and sanitizer runtimes, and the
# libraries of the core and of the seed writer (python3 for zentil-tool's
# table of translations, which it builds too).
FUZZ_PACKAGES=(clang libclang-rt-14-dev cmake make pkg-config libspng-dev libgif-dev libdeflate-dev
    libimagequant-dev zlib1g-dev libzip-dev nlohmann-json3-dev python3)
# The validators the test script runs over an installation.
INSTALL_CHECK_PACKAGES=(desktop-file-utils appstream shared-mime-info groff-base)
# The Debian package: dpkg-shlibdeps computes its dependencies.
DEB_PACKAGES=(dpkg-dev file)
# Screenshots: a virtual display, pointer control and image capture.
SCREENSHOT_PACKAGES=(xvfb xauth xdotool imagemagick)

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
