#!/usr/bin/env bash
# Checks what a software centre and apt see of the program: installs a build
# into a temporary prefix, validates the desktop entry (no warnings) and the
# AppStream metainfo, checks that the entry, the icon and the metainfo carry
# the application id and that the metainfo's newest release is the project's
# version and its screenshot has the size of docs/screenshot.png; then makes
# the Debian package with CPack into a temporary directory and checks its
# name, its files and its control fields. Nothing is installed on the machine.
#
#   scripts/package_check.sh BUILD_DIR APP_ID VERSION
set -euo pipefail

usage="usage: $0 BUILD_DIR APP_ID VERSION"
build=${1:?$usage}
app_id=${2:?$usage}
version=${3:?$usage}
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

need() {
    command -v "$1" >/dev/null 2>&1 || fail "'$1' not found; install the package $2 (scripts/test.sh does)"
}
need desktop-file-validate desktop-file-utils
need appstreamcli appstream
need dpkg-shlibdeps dpkg-dev
need file file
need dpkg-deb dpkg
need cpack cmake
[[ -f $build/CPackConfig.cmake ]] || fail "no CPackConfig.cmake in $build; configure it first"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The install rules, into a prefix of our own.
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log" >&2; fail "install failed"; }
binary=$prefix/bin/viramont
entry=$prefix/share/applications/$app_id.desktop
icon=$prefix/share/icons/hicolor/scalable/apps/$app_id.svg
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
for file in "$binary" "$entry" "$icon" "$metainfo"; do
    [[ -f $file ]] || fail "the install has no ${file#"$prefix"/}"
done
[[ -x $binary ]] || fail "bin/viramont is not executable"

# The desktop entry: valid without a single message, and naming the icon
# and the binary that were installed.
report=$(desktop-file-validate "$entry" 2>&1) || { echo "$report" >&2; fail "desktop-file-validate rejects the entry"; }
[[ -z $report ]] || { echo "$report" >&2; fail "desktop-file-validate has messages for the entry"; }
entry_key() {  # key: its value in the [Desktop Entry] group
    sed -n '/^\[Desktop Entry\]/,/^\[/ s/^'"$1"'=//p' "$entry"
}
[[ $(entry_key Icon) == "$app_id" ]] || fail "the entry's Icon is '$(entry_key Icon)', expected '$app_id'"
[[ $(entry_key Exec) == viramont ]] || fail "the entry's Exec is '$(entry_key Exec)', expected 'viramont'"
echo "desktop-file-validate: no messages for ${entry#"$prefix"/}"

# The metainfo: valid (pedantic notes are shown, not failed on), with the
# application id, the binary, the project's version as its newest release
# and the screenshot's size.
report=$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1) || { echo "$report" >&2; fail "appstreamcli rejects the metainfo"; }
echo "appstreamcli validate --no-net --pedantic:"
echo "$report"
first() {  # extended regex with one group: the group's first match in the metainfo
    sed -nE "s|.*$1.*|\\1|p" "$metainfo" | head -n1
}
[[ $(first '<id>([^<]*)</id>') == "$app_id" ]] || fail "the metainfo's id is '$(first '<id>([^<]*)</id>')', expected '$app_id'"
launchable=$(first '<launchable type="desktop-id">([^<]*)</launchable>')
[[ $launchable == "$app_id.desktop" ]] || fail "the metainfo launches '$launchable', expected '$app_id.desktop'"
[[ $(first '<binary>([^<]*)</binary>') == viramont ]] || fail "the metainfo provides no binary viramont"
release=$(first '<release version="([^"]*)"')
[[ $release == "$version" ]] || fail "the metainfo's newest release is '$release', expected the project's version '$version'"
png_size() {  # file: "width height" from the PNG header
    od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}'
}
want_size=$(png_size "$source_dir/docs/screenshot.png")
have_size=$(sed -nE 's|.*<image type="source" width="([0-9]+)" height="([0-9]+)".*|\1 \2|p' "$metainfo" | head -n1)
[[ $have_size == "$want_size" ]] || fail "the metainfo's screenshot is '$have_size', docs/screenshot.png is '$want_size'"

# The Debian package, made where it cannot be mistaken for a release.
arch=$(dpkg --print-architecture)
deb=$work/deb/viramont_${version}_$arch.deb
(cd "$build" && cpack -G DEB -B "$work/deb") >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log" >&2; fail "cpack -G DEB failed"; }
[[ -f $deb ]] || { ls "$work/deb" >&2; fail "cpack made no ${deb##*/}"; }
contents=$(dpkg-deb --contents "$deb")
for path in usr/bin/viramont "usr/share/applications/$app_id.desktop" \
    "usr/share/icons/hicolor/scalable/apps/$app_id.svg" "usr/share/metainfo/$app_id.metainfo.xml"; do
    grep -q " \./$path\$" <<<"$contents" || { echo "$contents" >&2; fail "${deb##*/} has no /$path"; }
done
field() {
    dpkg-deb --field "$deb" "$1"
}
depends=$(field Depends)
# The run-time packages named by hand, and Qt Widgets as dpkg-shlibdeps finds it.
for package in fonts-liberation fonts-dejavu-core qt6-translations-l10n libqt6widgets6; do
    grep -qE "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
done
[[ $(field Section) == education ]] || fail "Section is '$(field Section)', expected 'education'"
[[ $(field Maintainer) == *@* ]] || fail "Maintainer '$(field Maintainer)' has no address"
[[ -n $(field Description) ]] || fail "the package has no Description"
echo "${deb##*/}"
echo "Depends: $depends"
echo "PASS: entry, icon and metainfo carry $app_id; ${deb##*/} holds them and the binary"
