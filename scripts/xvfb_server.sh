# shellcheck shell=bash
# Sourced by the tests that run the real program in a virtual X server of
# their own (xvfb_window_test.sh, xvfb_atspi_test.sh):
#
#   fail MESSAGE          prints it and exits 1
#   need COMMAND PACKAGE  fails unless the command is there
#   wait_for LIMIT CMD..  polls CMD every 0.2 s for at most LIMIT seconds
#   start_xvfb SCREEN LOG an X server of SCREEN (e.g. 1280x1024) on a free
#                         display, exported as DISPLAY; its pid in xvfb_pid
#   stop_xvfb             ends that server (for the caller's EXIT trap)
#   wait_for_window PID LOG  waits up to 60 s for the window "Viramont" of
#                         the program PID (its output in LOG), in `window`
#   wait_for_end PID LOG  waits up to 30 s for the program PID to end after
#                         ВЫХОД, and fails unless it ended with status 0

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

need() {
    command -v "$1" >/dev/null 2>&1 || fail "'$1' not found; install the package $2 (scripts/test.sh does)"
}

# Polls `$@` every 0.2 s until it succeeds or `limit` seconds have passed.
wait_for() {
    local limit=$1
    shift
    local deadline=$((SECONDS + limit))
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

xvfb_pid=""

# An X server of our own on a free display. Displays are tried from a
# random start so that test runs started at the same moment rarely meet; a
# display counts as ours once its lock file names our server and the server
# answers. A server that finds its display taken exits, and the next is tried.
# -noreset: by default the server resets when its last client leaves, and a
# client that connects during the reset (the program, right after the probe
# above) is refused.
xvfb_ready() {  # display number
    local deadline=$((SECONDS + 15))
    while ((SECONDS < deadline)); do
        kill -0 "$xvfb_pid" 2>/dev/null || return 1
        if [[ -r /tmp/.X$1-lock && $(tr -d ' \n' <"/tmp/.X$1-lock") == "$xvfb_pid" ]] &&
            DISPLAY=":$1" timeout 5 xwininfo -root >/dev/null 2>&1; then
            return 0
        fi
        sleep 0.2
    done
    return 1
}

start_xvfb() {  # screen, log file
    local first=$((100 + RANDOM % 800)) n
    for ((n = first; n < first + 20; n++)); do
        [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
        Xvfb ":$n" -screen 0 "$1x24" -nolisten tcp -noreset 2>"$2" &
        xvfb_pid=$!
        if xvfb_ready "$n"; then
            export DISPLAY=":$n"
            return 0
        fi
        kill -KILL "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    done
    cat "$2" >&2
    fail "could not start an X server on any of :$first to :$((n - 1))"
}

stop_xvfb() {
    if [[ -n $xvfb_pid ]] && kill -0 "$xvfb_pid" 2>/dev/null; then
        kill -TERM "$xvfb_pid" 2>/dev/null || true
        timeout 5 tail --pid="$xvfb_pid" -f /dev/null 2>/dev/null || kill -KILL "$xvfb_pid" 2>/dev/null || true
    fi
}

window=""
# The program's window, once it shows; fails with the program's output when
# it ends first or no window appears within 60 s.
wait_for_window() {  # program pid, its log
    local pid=$1 log=$2
    find_window() {
        kill -0 "$pid" 2>/dev/null || { cat "$log" >&2; fail "the program ended before its window appeared"; }
        window=$(timeout 5 xdotool search --onlyvisible --name '^Viramont$' 2>/dev/null | head -n1) && [[ -n $window ]]
    }
    wait_for 60 find_window || { cat "$log" >&2; fail "no window titled Viramont within 60 s"; }
}

# The program's end after ВЫХОД: within 30 s and with status 0, else a
# failure with its output.
wait_for_end() {  # program pid, its log
    local pid=$1 log=$2 status=0
    if ! timeout 30 tail --pid="$pid" -f /dev/null; then
        cat "$log" >&2
        fail "the program did not end within 30 s of ВЫХОД"
    fi
    wait "$pid" || status=$?
    ((status == 0)) || { cat "$log" >&2; fail "the program ended with status $status"; }
}
