#!/usr/bin/env bash
# Installs what is missing (apt-get, with sudo when not root), builds the
# release preset and starts Viramont.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
# shellcheck source=scripts/packages.sh
source scripts/packages.sh

install_missing "${BUILD_PACKAGES[@]}"
cmake --preset release
cmake --build --preset release --target viramont
exec build/release/window/viramont
