#!/usr/bin/env bash
# Installs what is missing (apt-get, with sudo when not root) and builds the
# page: build/web/viramont.html, one file with everything inside that works
# offline from any folder or web server.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
# shellcheck source=scripts/packages.sh
source scripts/packages.sh

install_missing "${WEB_PACKAGES[@]}"
cmake --preset web
cmake --build --preset web --target viramont_html
echo "The page: $PWD/build/web/viramont.html"
