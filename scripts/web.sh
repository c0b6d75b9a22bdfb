#!/usr/bin/env bash
# Installs what is missing (apt-get, with sudo when not root) and builds the
# page: build/web/viramont.html, one file with everything inside that works
# offline from any folder or web server, and build/web/site/, the folder a
# school puts on its web server, from which pupils install the page as an
# app that opens with no network.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
# shellcheck source=scripts/packages.sh
source scripts/packages.sh

install_missing "${WEB_PACKAGES[@]}"
cmake --preset web
cmake --build --preset web --target viramont_html viramont_site
echo "The page: $PWD/build/web/viramont.html"
echo "The site folder: $PWD/build/web/site/"
