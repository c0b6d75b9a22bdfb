#!/usr/bin/env bash
# Installs what is missing (apt-get, with sudo when not root), then builds
# and runs every test twice: the release preset, and the asan preset
# (AddressSanitizer + UndefinedBehaviorSanitizer); last, the fuzz preset
# builds the press fuzzer (clang, libFuzzer, both sanitizers) and runs it for
# a bounded minute from its seed corpus. Needs no display: the widget tests
# run offscreen and the window test starts its own Xvfb.
# Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
# shellcheck source=scripts/packages.sh
source scripts/packages.sh

install_missing "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
for preset in release asan fuzz; do
    echo "=== $preset ==="
    cmake --preset "$preset"
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
echo "=== all tests passed ==="
