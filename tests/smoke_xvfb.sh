#!/usr/bin/env bash
# The real program on a real X server: it starts, shows "Vormo Weapon Editor" with a 528 x 350
# client area centred on the screen, shows a hint, and ends with status 0 when Quit is pressed.
#   smoke_xvfb.sh VORMOWEP_EXECUTABLE OUTPUT_DIR
# Exits 77 (skipped) when Xvfb or the X tools are missing.
set -uo pipefail

app=$1
out=$2
for tool in Xvfb xdotool xwininfo import; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool not installed"; exit 77; }
done

work=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Polls a command for up to $1 tenths of a second.
poll() {
    local tries=$1
    shift
    while ! "$@"; do
        tries=$((tries - 1))
        [ "$tries" -le 0 ] && return 1
        sleep 0.1
    done
}

Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
poll 100 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"

export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
env -u QT_QPA_PLATFORM HOME="$work" "$app" >"$work/app.log" 2>&1 &
app_pid=$!

find_window() { wid=$(xdotool search --name '^Vormo Weapon Editor$' 2>/dev/null | head -n1) && [ -n "$wid" ]; }
poll 200 find_window || fail "no window \"Vormo Weapon Editor\": $(cat "$work/app.log")"

info=$(xwininfo -id "$wid")
width=$(sed -n 's/^ *Width: //p' <<<"$info")
height=$(sed -n 's/^ *Height: //p' <<<"$info")
left=$(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$info")
top=$(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$info")
[ "$width" = 528 ] && [ "$height" = 350 ] || fail "client area ${width}x${height}, expected 528x350"
# No window manager draws a frame here, so the outer size is the client size.
[ "$left" = $(((1024 - 528) / 2)) ] && [ "$top" = $(((768 - 350) / 2)) ] ||
    fail "window at $left,$top, expected centred at 248,209"

# Without a window manager nothing is active until we say so, and Qt shows hints only in the
# active window.
xdotool windowfocus "$wid"
focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$wid" ]; }
poll 100 focused || fail "window does not take the focus"

# Rest the pointer on "Delay" (disabled, hint shown) until its hint is up: the program then has
# a second visible window.
xdotool mousemove --window "$wid" 285 158
visible_windows() { xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | wc -l; }
hint_up() { [ "$(visible_windows)" -ge 2 ]; }
poll 50 hint_up || echo "note: no hint window appeared"

import -window root "$out/smoke_xvfb.png" || fail "screenshot failed"

xdotool mousemove --window "$wid" 464 304 click 1
exited() { ! kill -0 "$app_pid" 2>/dev/null; }
poll 100 exited || fail "Quit did not end the program"
wait "$app_pid"
status=$?
app_pid=
[ "$status" = 0 ] || fail "exit status $status: $(cat "$work/app.log")"
echo "PASS: window 528x350 at $left,$top, screenshot $out/smoke_xvfb.png, exit status 0"
