# shellcheck shell=bash disable=SC2034
# Sourced by run.sh and test.sh: the Debian/Ubuntu packages the program and
# its tests need, and an installer that adds only those still missing.

# Compiler, build tools, Qt 6 Widgets, the test and benchmark libraries the
# build links, fonts with Cyrillic glyphs (Liberation Sans stands in for
# Arial and MS Sans Serif, DejaVu Sans behind it), and Qt's own Russian
# texts (qtbase_ru) for its buttons and menus; Qt Multimedia plays the
# graphs as sound.
BUILD_PACKAGES=(
    g++ cmake ninja-build
    qt6-base-dev qt6-translations-l10n qt6-multimedia-dev
    libgtest-dev googletest libbenchmark-dev
    fonts-liberation fonts-dejavu-core
)
# What CPack's Debian generator runs: dpkg-shlibdeps and dpkg-deb for the
# package and its dependencies, and `file` to find the binaries among its
# files (a minimal Debian has neither).
PACKAGE_PACKAGES=(
    dpkg-dev file
)
# The test of the real window in a virtual X server, and of it read through
# AT-SPI as a screen reader reads it (the accessibility bus, a session bus
# to carry it, Python's bindings of AT-SPI), pdftoppm to read back a printed
# PDF, clang with its runtime libraries for the fuzz target, and the
# validators of the desktop entry and the AppStream metainfo with the
# package's own tools for the package check.
TEST_PACKAGES=(
    xvfb x11-utils xdotool
    at-spi2-core dbus-bin python3-gi gir1.2-atspi-2.0
    poppler-utils
    clang libclang-rt-dev
    desktop-file-utils appstream "${PACKAGE_PACKAGES[@]}"
)

# The page: Emscripten (with the acorn module its optimiser needs and
# Debian's node), and fontTools with Brotli for the page's font subsets.
WEB_PACKAGES=(
    emscripten node-acorn nodejs
    fonttools python3-brotli
)
# The page's tests: Debian's Chromium and Firefox ESR, driven through
# puppeteer-core from npm (tests/page/package-lock.json). npm itself comes
# with a node from elsewhere, and from Debian's package where node is
# Debian's.
PAGE_TEST_PACKAGES=(
    chromium firefox-esr ca-certificates
)

install_missing() {
    local missing=() pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}\n' "$pkg" 2>/dev/null | grep -q '^install ok installed$'; then
            missing+=("$pkg")
        fi
    done
    if ((${#missing[@]} == 0)); then
        return 0
    fi
    local sudo=()
    if ((EUID != 0)); then
        if ! command -v sudo >/dev/null 2>&1; then
            echo "These packages are missing and installing them needs root or sudo: ${missing[*]}" >&2
            exit 1
        fi
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}
