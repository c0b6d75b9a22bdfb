#!/usr/bin/env bash
# Starts the real program in a virtual X server of its own and checks that
# its window "Viramont" appears with a client area of 1144 x 830; then, as a
# pupil would, picks Sin(X), types A, k, b, C, presses ВЫБОР and ПОСТРОИТЬ
# ГРАФИКИ ФУНКЦИЙ and checks that blue and red graph pixels appear on the
# graph canvas; finally ends it with a click on ВЫХОД (Command3) and expects
# a clean exit.
#
#   scripts/xvfb_window_test.sh path/to/viramont path/to/grab_window [screenshot.png]
#
# grab_window (built with the tests) reads the window's pixels; with a third
# argument it also saves the window after the plot as a PNG. With
# VIRAMONT_DESKTOP_ENTRY naming the desktop entry, the window's class must be
# the entry's StartupWMClass, by which X11 desktops match the two. Every
# wait has a time limit; the X server and the program are ended on every way
# out.
#
# The screen is 1280 x 1024 unless VIRAMONT_XVFB_SCREEN says otherwise
# (1366x768, say); VIRAMONT_XVFB_SCALE is then the scale at which the form
# must be laid out to fit, and every size and place checked or clicked here
# is scaled by it, as the program scales them. The window must open at the
# screen's top-left corner and lie inside the screen.
set -euo pipefail

usage="usage: $0 path/to/viramont path/to/grab_window [screenshot.png]"
binary=${1:?$usage}
grab=${2:?$usage}
screenshot=${3:-}
screen=${VIRAMONT_XVFB_SCREEN:-1280x1024}
scale=${VIRAMONT_XVFB_SCALE:-1}
# A length of the form in pixels, at the scale: rounded as the program does.
sc() { awk -v v="$1" -v s="$scale" 'BEGIN { printf "%d", v * s + 0.5 }'; }
# The extent from `start` over `length`: scaled edges, as the program does.
ext() { echo $(($(sc $(($1 + $2))) - $(sc "$1"))); }
want_width=$(sc 1144)
want_height=$(sc 830)

# shellcheck source=scripts/xvfb_server.sh
source "$(dirname "${BASH_SOURCE[0]}")/xvfb_server.sh"
need Xvfb xvfb
need xwininfo x11-utils
need xprop x11-utils
need xdotool xdotool
need timeout coreutils
[[ -x $binary ]] || fail "no program at $binary"
[[ -x $grab ]] || fail "no grab_window at $grab"

work=$(mktemp -d)
app_pid=""
cleanup() {
    if [[ -n $app_pid ]] && kill -0 "$app_pid" 2>/dev/null; then kill -KILL "$app_pid" 2>/dev/null || true; fi
    stop_xvfb
    rm -rf "$work"
}
trap cleanup EXIT

start_xvfb "$screen" "$work/xvfb.log"
echo "Xvfb on $DISPLAY, screen $screen, expected scale $scale"

# The program on the X server, whatever platform the tests around it use.
env QT_QPA_PLATFORM=xcb "$binary" >"$work/app.log" 2>&1 &
app_pid=$!

wait_for_window "$app_pid" "$work/app.log"
echo "window $window"

# The client area: with no window manager the window is its client area.
size_is_right() {
    info=$(timeout 5 xwininfo -id "$window") || return 1
    width=$(awk '/^ *Width:/ {print $2}' <<<"$info")
    height=$(awk '/^ *Height:/ {print $2}' <<<"$info")
    [[ $width == "$want_width" && $height == "$want_height" ]]
}
if ! wait_for 10 size_is_right; then
    fail "client area ${width:-?} x ${height:-?}, expected $want_width x $want_height"
fi
left=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")
top=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")
[[ $left == 0 && $top == 0 ]] || fail "window at $left, $top, expected the screen's top-left corner"
((width <= ${screen%x*} && height <= ${screen#*x})) || fail "window $width x $height does not fit the screen $screen"
title=$(timeout 5 xdotool getwindowname "$window")
[[ $title == "Viramont" ]] || fail "title '$title', expected 'Viramont'"
echo "title '$title', client area $width x $height"
if [[ -n ${VIRAMONT_DESKTOP_ENTRY:-} ]]; then
    want_class=$(sed -n 's/^StartupWMClass=//p' "$VIRAMONT_DESKTOP_ENTRY")
    wm_class=$(timeout 5 xprop -id "$window" WM_CLASS)
    [[ -n $want_class && $wm_class == *", \"$want_class\"" ]] ||
        fail "$wm_class, while the desktop entry says StartupWMClass=$want_class"
    echo "$wm_class matches the desktop entry"
fi

# The typical use: Sin(X) picked with the arrow key, A = 2, k = 3, b = 1,
# C = 4 typed, then ВЫБОР and ПОСТРОИТЬ ГРАФИКИ ФУНКЦИЙ pressed.
type_into() {  # x y text
    timeout 5 xdotool mousemove --window "$window" "$1" "$2" click 1 key ctrl+a type "$3"
}
timeout 5 xdotool windowfocus --sync "$window" || fail "could not focus the window"
timeout 5 xdotool mousemove --window "$window" "$(sc 100)" "$(sc 136)" click 1 key Down
type_into "$(sc 776)" "$(sc 112)" 2
type_into "$(sc 776)" "$(sc 160)" 3
type_into "$(sc 1080)" "$(sc 112)" 1
type_into "$(sc 1080)" "$(sc 160)" 4
timeout 5 xdotool mousemove --window "$window" "$(sc 988)" "$(sc 268)" click 1
timeout 5 xdotool mousemove --window "$window" "$(sc 988)" "$(sc 372)" click 1 mousemove --window "$window" "$(sc 700)" "$(sc 20)"

# The graph canvas Picture1 lies at 0, 248 with a size of 825 x 521 (at
# scale 1), wholly inside the window and so inside the screen. Both graphs
# of 4 + 2 sin(3x + 1) on 0 to 10 cross it many times: each leaves thousands
# of pure blue or pure red pixels there.
min_pixels=2000
canvas=("$(sc 0)" "$(sc 248)" "$(ext 0 825)" "$(ext 248 521)")
((canvas[1] + canvas[3] <= height)) || fail "Picture1 ends below the window"
graphs_drawn() {
    counts=$(timeout 20 "$grab" "$window" "${canvas[@]}" ${screenshot:+"$screenshot"}) || return 1
    read -r _ blue _ red <<<"$counts"
    ((blue >= min_pixels && red >= min_pixels))
}
if ! wait_for 20 graphs_drawn; then
    cat "$work/app.log" >&2
    fail "after the plot the graph canvas holds ${blue:-?} blue and ${red:-?} red pixels, expected at least $min_pixels of each"
fi
echo "graph canvas: $blue blue and $red red pixels"
[[ -z $screenshot ]] || echo "screenshot $screenshot"

# ВЫХОД (Command3) lies at 920, 440 with a size of 137 x 41.
timeout 5 xdotool mousemove --window "$window" "$(sc 988)" "$(sc 460)" click 1 || fail "xdotool could not click ВЫХОД"
wait_for_end "$app_pid" "$work/app.log"
app_pid=""
echo "PASS: window Viramont $width x $height; the plot drew both graphs; ВЫХОД ended the program"
