#!/usr/bin/env bash
# Installs what is missing (apt-get, with sudo when not root), builds the
# release preset and makes its Debian package with CPack:
# build/release/viramont_<version>_<arch>.deb.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
# shellcheck source=scripts/packages.sh
source scripts/packages.sh

install_missing "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
cmake --workflow --preset package
