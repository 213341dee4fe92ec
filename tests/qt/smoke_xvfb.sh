#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The real program on a real X server, with no window manager or under the one named last.
# Its command line works without a display. Started with a plugin, it shows "Vormo Weapon
# Editor" as an ordinary window of the desktop entry's class, 528 x 350, its frame centred on
# the screen; it opens its pop-up menu on a right-click, shows the about box "About..." centred
# from it, which keeps the keyboard when the disabled editor is clicked, comes back when Enter
# presses OK, writes the plugin back byte for byte on Save, also through a save dialog kept
# above it, and ends with status 0 on Quit, or on openbox's close request (GNOME and KDE send
# none to a window without a close function).
#   smoke_xvfb.sh VORMOWEP OUTPUT_DIR PLUGIN DESKTOP_FILE [openbox|mutter|kwin_x11]
# PLUGIN must be a file the editor itself writes. Exits 77 (skipped) when a tool is missing.
set -uo pipefail

app=$1 out=$2 plugin=$3 desktop=$4 wm=${5:-}
for tool in Xvfb xdotool xwininfo xprop import ${wm:+"$wm" wmctrl}; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool not installed"; exit 77; }
done

source "$(dirname "$0")/xvfb_session.sh"
[[ $(env -u DISPLAY "$app" --version) == *" 1.3.1.2" ]] || fail "--version without a display"
env -u DISPLAY "$app" --help | grep -q '\[FILE\]' || fail "--help names no FILE"
env -u DISPLAY "$app" --version >/dev/full 2>"$work/full" && fail "--version: a failed write reported success"
grep -q "write error" "$work/full" || fail "--version: a failed write not reported"
env -u DISPLAY "$app" a.vwp b.vwp 2>"$work/usage"
[ $? = 2 ] && grep -q '^Usage:' "$work/usage" || fail "two FILEs: no usage and status 2"

opened="$work/opened weapon.vwp"
cp "$plugin" "$opened" && touch -d @978307200 "$opened" || fail "cannot copy $plugin"
env -u QT_QPA_PLATFORM HOME="$work" "$app" "$opened" >"$work/app.log" 2>&1 &
app_pid=$!
find_window() { wid=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) && [ -n "$wid" ]; }
poll 200 find_window 'Vormo Weapon Editor' || fail "no editor window: $(cat "$work/app.log")"
editor=$wid

props=$(xprop -id "$editor" _NET_WM_WINDOW_TYPE WM_TRANSIENT_FOR WM_CLASS _NET_WM_ICON_NAME)
wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
for want in "= _NET_WM_WINDOW_TYPE_NORMAL" "WM_TRANSIENT_FOR:  not found." ", \"$wm_class\"" \
    '_NET_WM_ICON_NAME(UTF8_STRING) = "Vormo Weapon Plugin Maker"'; do
    grep -qF -- "$want" <<<"$props" || fail "no '$want' in: $props"
done
[ -z "$wm" ] || xprop -root _NET_CLIENT_LIST | grep -q "$(printf '0x%x\\b' "$editor")" ||
    fail "the editor is not in the window manager's client list"

# The frame's corner (left, top) is centred on the 1024 x 768 screen; without a window manager
# the frame is the client area. Sets left, top (the frame's) and client.
centred() {
    local info extents ext_l ext_r ext_t ext_b
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.* = //p' | tr -d ' ')
    [ -n "$wm" ] && [ -z "$extents" ] && return 1
    IFS=, read -r ext_l ext_r ext_t ext_b <<<"${extents:-0,0,0,0}"
    info=$(xwininfo -id "$1")
    client="$(sed -n 's/^ *Width: //p' <<<"$info")x$(sed -n 's/^ *Height: //p' <<<"$info")"
    left=$(($(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$info") - ext_l))
    top=$(($(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$info") - ext_t))
    [ "$client" = "$2x$3" ] && [ "$left" = $(((1024 - $2 - ext_l - ext_r) / 2)) ] &&
        [ "$top" = $(((768 - $3 - ext_t - ext_b) / 2)) ]
}
poll 50 centred "$editor" 528 350 || fail "editor $client with its frame at $left,$top, not centred"
editor_left=$left editor_top=$top
import -window root "$out/smoke_xvfb${wm:+_$wm}.png" || fail "screenshot failed"

# Save: named after the plugin it opened, the editor writes back to it without asking.
xdotool mousemove --window "$editor" 464 208 click 1
poll 100 eval '[ "$(stat -c %Y "$opened")" != 978307200 ]' || fail "Save did not write $opened"
cmp "$opened" "$plugin" || fail "the file saved again differs from the plugin opened"
# Save As asks; its dialog, cancelled, hands the keyboard back even where nothing else would.
focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
xdotool mousemove --window "$editor" 464 256 click 1
poll 100 find_window 'Save Vormo Weapon\.\.\.' && xdotool key Escape && poll 100 focused "$editor" ||
    fail "the editor did not get the keyboard back from its save dialog"

# A right-click on the bare surface opens the pop-up menu at (Left + X, Top + Y + 16), Left and
# Top being the frame's corner.
menu_open() {
    grep -q "Position: $1 " < <(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null |
        xargs -r -n1 xdotool getwindowgeometry 2>/dev/null)
}
menu_at="$((editor_left + 100)),$((editor_top + 346 + 16))"
# Under a window manager a secondary window is transient for the window it belongs to, and stays
# above it also when that one is clicked.
hex() { printf '0x%x' "$1"; }
secondary() { # WID OWNER
    [ -z "$wm" ] && return
    [[ $(xprop -id "$1" WM_TRANSIENT_FOR) == *"# $(hex "$2")" ]] && [ "$(xprop -root _NET_CLIENT_LIST_STACKING |
        grep -o '0x[0-9a-f]*' | grep -x -e "$(hex "$1")" -e "$(hex "$2")" | tail -n1)" = "$(hex "$1")" ]
}
# New, then Save from the menu: through the save dialog, kept above the editor.
menu() { xdotool mousemove --window "$editor" 100 346 click 3 && poll 100 menu_open "$menu_at" && xdotool key "$1" && poll 100 eval '! menu_open "$menu_at"'; }
menu n && menu s || fail "no menu for New and Save"
poll 100 find_window 'Save Vormo Weapon\.\.\.' && poll 50 secondary "$wid" "$editor" || fail "no save dialog above the editor"
xdotool key ctrl+a type "$work/saved.vwp" && xdotool key Return
poll 100 cmp -s "$work/saved.vwp" "$plugin" || fail "the save dialog did not write the plugin"
xdotool mousemove --window "$editor" 100 346 click 3
poll 100 menu_open "$menu_at" || fail "no pop-up menu at $menu_at after a right-click"

# "&About" by its letter: the editor goes disabled and the about box shows, centred.
xdotool key a
poll 100 find_window 'About\.\.\.' || fail "no window \"About...\" after picking About"
about=$wid
poll 50 centred "$about" 298 213 || fail "about box $client with its frame at $left,$top, not centred"
poll 100 focused "$about" || fail "the about box does not take the focus"
# The about box keeps the keyboard when the disabled editor is clicked. The icon export's dialogs
# hand the focus back, also where no window manager would.
xdotool mousemove --window "$editor" 100 346 click 1
poll 50 secondary "$about" "$editor" && poll 100 focused "$about" || fail "the about box is not kept above the editor, with the keyboard"
xdotool mousemove --window "$about" 32 32 click --repeat 2 --delay 50 1
poll 100 find_window 'Save Vormo Weapon icon as\.\.\.' && dialog=$wid && poll 50 secondary "$wid" "$about" ||
    fail "no icon dialog above the about box"
xdotool key ctrl+a type "$work/exported"
xdotool key Return # asks before creating the file
asked() { wid=$(xdotool search --onlyvisible --name '^Save Vormo Weapon icon as' | grep -vx "$dialog"); }
poll 100 asked && secondary "$wid" "$dialog" && xdotool key y || fail "no question above the dialog"
poll 100 eval '[ "$(stat -c %s "$work/exported.ico" 2>/dev/null)" = 766 ]' || fail "no icon exported"
poll 100 focused "$about" || fail "the focus did not come back to the about box"
xdotool key Return
poll 100 eval '! find_window "About\.\.\."' || fail "Enter did not close the about box"

# The editor takes input again: a click puts the focus on a check box, and the menu key opens
# the menu at (Left - 1, Top + 15).
xdotool mousemove --window "$editor" 256 16 click 1
poll 100 focused "$editor" || fail "the editor does not take the focus back"
xdotool key Menu
key_menu_at="$((editor_left - 1)),$((editor_top + 15))"
poll 100 menu_open "$key_menu_at" || fail "no pop-up menu at $key_menu_at after the menu key"
xdotool key Escape
poll 100 eval '! menu_open "$key_menu_at"' || fail "Escape did not close the menu"
if [ -n "$wm" ]; then
    xdotool mousemove --window "$editor" 290 326 click --repeat 2 --delay 50 1
    poll 100 find_window 'Bullet Types\.\.\.' && poll 50 secondary "$wid" "$editor" && xdotool key Return ||
        fail "no bullet-types help above the editor"
fi

if [ "$wm" = openbox ]; then wmctrl -i -c "$editor"; else xdotool mousemove --window "$editor" 464 304 click 1; fi
poll 100 eval '! kill -0 "$app_pid" 2>/dev/null' || fail "the editor did not end"
wait "$app_pid" || fail "exit status $?: $(cat "$work/app.log")"
app_pid=

# A FILE that cannot be opened: its error box, a window of its own, shows before the editor, and
# closing it leaves the program running, with the editor shown.
env -u QT_QPA_PLATFORM HOME="$work" "$app" "$work/missing.vwp" >"$work/app.log" 2>&1 &
app_pid=$!
poll 200 find_window 'Vormo Weapon Plugin Maker' || fail "no error box for a missing FILE"
[[ $(xprop -id "$wid" WM_TRANSIENT_FOR _NET_WM_STATE) =~ window\ id\ #|SKIP_TASKBAR ]] || fail "the error box is in the task bar"
xdotool key --window "$wid" Return
poll 100 find_window 'Vormo Weapon Editor' && kill -0 "$app_pid" || fail "the program ended with its error box"
xdotool mousemove --window "$wid" 464 304 click 1
poll 100 eval '! kill -0 "$app_pid" 2>/dev/null' && wait "$app_pid" && app_pid= || fail "status $? after an error box"
echo "PASS${wm:+ under $wm}: editor frame at $editor_left,$editor_top, saved back, status 0"
