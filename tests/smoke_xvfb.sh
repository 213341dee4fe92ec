#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The real program on a real X server: it starts, shows "Vormo Weapon Editor" with a 528 x 350
# client area centred on the screen, shows a hint, opens its pop-up menu on a right-click, shows
# the about box "About..." from it, comes back when Enter presses OK, and ends with status 0
# when Quit is pressed.
#   smoke_xvfb.sh VORMOWEP_EXECUTABLE OUTPUT_DIR
# Exits 77 (skipped) when Xvfb or the X tools are missing.
set -uo pipefail

app=$1
out=$2
for tool in Xvfb xdotool xwininfo import; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool not installed"; exit 77; }
done

source "$(dirname "$0")/xvfb_session.sh"
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

# A right-click on the bare surface opens the pop-up menu at (Left + X, Top + Y + 16); without a
# frame Left and Top are the client's corner.
xdotool mousemove --window "$wid" 100 346 click 3
menu_at="$((left + 100)),$((top + 346 + 16))"
menu_open() {
    local w
    for w in $(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null); do
        xdotool getwindowgeometry "$w" 2>/dev/null | grep -q "Position: $1 " && return 0
    done
    return 1
}
poll 100 menu_open "$menu_at" || fail "no pop-up menu at $menu_at after a right-click"

# "&About" by its letter: the editor goes disabled and the about box shows, centred.
xdotool key a
find_about() { about=$(xdotool search --onlyvisible --name '^About\.\.\.$' 2>/dev/null | head -n1) && [ -n "$about" ]; }
poll 100 find_about || fail "no window \"About...\" after picking About"
info=$(xwininfo -id "$about")
about_left=$(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$info")
about_top=$(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$info")
[ "$about_left" = $(((1024 - 298) / 2)) ] && [ "$about_top" = $(((768 - 213) / 2)) ] ||
    fail "about box at $about_left,$about_top, expected centred at 363,277"
about_focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$about" ]; }
poll 100 about_focused || fail "the about box does not take the focus"
import -window root "$out/smoke_xvfb_about.png" || fail "screenshot failed"

# Enter presses OK: the about box goes away.
xdotool key Return
about_gone() { ! find_about; }
poll 100 about_gone || fail "Enter did not close the about box"

# The editor takes input again: a click puts the focus on a check box, and the menu key opens
# the menu at (Left - 1, Top + 15).
xdotool mousemove --window "$wid" 256 16 click 1
poll 100 focused || fail "the editor does not take the focus back"
xdotool key Menu
key_menu_at="$((left - 1)),$((top + 15))"
poll 100 menu_open "$key_menu_at" || fail "no pop-up menu at $key_menu_at after the menu key"
xdotool key Escape
poll 100 eval '! menu_open "$key_menu_at"' || fail "Escape did not close the menu"

xdotool mousemove --window "$wid" 464 304 click 1
exited() { ! kill -0 "$app_pid" 2>/dev/null; }
poll 100 exited || fail "Quit did not end the program"
wait "$app_pid"
status=$?
app_pid=
[ "$status" = 0 ] || fail "exit status $status: $(cat "$work/app.log")"
echo "PASS: window 528x350 at $left,$top, menus at $menu_at and $key_menu_at," \
    "about box at $about_left,$about_top," \
    "screenshots $out/smoke_xvfb.png and $out/smoke_xvfb_about.png, exit status 0"
