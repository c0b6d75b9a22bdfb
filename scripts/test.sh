#!/usr/bin/env bash
# Installs what is missing (apt-get, with sudo when not root, and the page
# tests' driver with npm ci), then builds the page (the web preset), and
# builds and runs every test twice: the release preset, whose tests also
# compare the page with the desktop and drive it in headless Chromium, and
# the asan preset (AddressSanitizer + UndefinedBehaviorSanitizer); last, the
# fuzz preset builds the press fuzzer (clang, libFuzzer, both sanitizers)
# and runs it for a bounded minute from its seed corpus. Needs no display:
# the widget tests run offscreen and the window test starts its own Xvfb.
# Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
# shellcheck source=scripts/packages.sh
source scripts/packages.sh

install_missing "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${WEB_PACKAGES[@]}" "${PAGE_TEST_PACKAGES[@]}"
command -v npm >/dev/null 2>&1 || install_missing npm
npm ci --prefix tests/page --no-audit --no-fund
echo "=== web ==="
cmake --preset web
cmake --build --preset web
for preset in release asan fuzz; do
    echo "=== $preset ==="
    cmake --preset "$preset"
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
echo "=== all tests passed ==="
