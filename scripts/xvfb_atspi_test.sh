#!/usr/bin/env bash
# The real program as a screen reader reads it: started in a virtual X
# server of its own, on a session bus of its own (dbus-run-session) that
# carries the accessibility bus of at-spi2-core, with Qt's accessibility on
# as a running screen reader turns it on. tests/xvfb/screen_reader.py then
# walks the tree through AT-SPI, checks the roles and names, plots as a
# pupil would, and checks the announcements and the text of both pictures;
# last it presses ВЫХОД, after which the program must end with status 0.
# Every wait has a time limit; the program, the accessibility bus and the X
# server are ended on every way out.
#
#   scripts/xvfb_atspi_test.sh path/to/viramont
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
binary=${1:?"usage: $0 path/to/viramont"}
launcher=/usr/libexec/at-spi-bus-launcher
python=/usr/bin/python3  # Debian's, with its gi
# shellcheck source=scripts/xvfb_server.sh
source "$here/xvfb_server.sh"

if [[ ${2:-} != --on-session-bus ]]; then
    need Xvfb xvfb
    need xwininfo x11-utils
    need xdotool xdotool
    need dbus-run-session dbus-bin
    need timeout coreutils
    [[ -x $binary ]] || fail "no program at $binary"
    [[ -x $launcher ]] || fail "no $launcher; install the package at-spi2-core (scripts/test.sh does)"
    "$python" -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
        fail "no AT-SPI for Python; install the packages python3-gi and gir1.2-atspi-2.0 (scripts/test.sh does)"
    work=$(mktemp -d)
    trap 'stop_xvfb; rm -rf "$work"' EXIT
    start_xvfb 1280x1024 "$work/xvfb.log"
    echo "Xvfb on $DISPLAY"
    dbus-run-session -- "$0" "$binary" --on-session-bus
    exit
fi

# On the session bus: the accessibility bus, then the program, then the reader.
work=$(mktemp -d)
launcher_pid=""
app_pid=""
cleanup() {
    if [[ -n $app_pid ]] && kill -0 "$app_pid" 2>/dev/null; then kill -KILL "$app_pid" 2>/dev/null || true; fi
    if [[ -n $launcher_pid ]] && kill -0 "$launcher_pid" 2>/dev/null; then
        kill -TERM "$launcher_pid" 2>/dev/null || true
        timeout 5 tail --pid="$launcher_pid" -f /dev/null 2>/dev/null || kill -KILL "$launcher_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

"$launcher" --launch-immediately >"$work/bus.log" 2>&1 &
launcher_pid=$!
bus_up() {
    timeout 5 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1
}
wait_for 20 bus_up || { cat "$work/bus.log" >&2; fail "no accessibility bus within 20 s"; }

# A Russian desktop: the decimal comma, Qt's own texts in Russian.
env LC_ALL=ru_RU.UTF-8 LANG=ru_RU.UTF-8 QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    "$binary" >"$work/app.log" 2>&1 &
app_pid=$!
wait_for_window "$app_pid" "$work/app.log"
# With no window manager, the window gets the keyboard once it is told to.
timeout 5 xdotool windowfocus --sync "$window" || fail "could not focus the window"

if ! timeout 120 "$python" "$here/../tests/xvfb/screen_reader.py"; then
    cat "$work/app.log" >&2
    fail "the screen reader's walk failed"
fi
wait_for_end "$app_pid" "$work/app.log"
app_pid=""
echo "PASS: read through AT-SPI as a screen reader reads it; ВЫХОД ended the program"
