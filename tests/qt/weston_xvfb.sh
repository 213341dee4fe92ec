#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The real program as a Wayland client of weston, which runs on an X server of its own and is
# driven there with xdotool; what the compositor draws is read from screenshots, what passes
# between the two from the client's protocol log. Maximising by Qt's title bar (its button, a
# double-click on the caption) and resizing by hand leave the window at its size and connected;
# the pop-up menu opens at (Left + X, Top + Y + 16) of the frame; the about box is a child of
# the editor, and after its OK the editor takes the keyboard again; Save from the menu writes
# the plugin; closing ends with status 0.
#   weston_xvfb.sh VORMOWEP PLUGIN
# PLUGIN must be a file the editor itself writes. Exits 77 (skipped) when weston cannot start.
set -uo pipefail

app=$1 plugin=$2
for tool in Xvfb xdotool weston import convert; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool not installed"; exit 77; }
done
source "$(dirname "$0")/xvfb_session.sh"
compositor_pid=
trap 'kill $compositor_pid 2>/dev/null; cleanup' EXIT

# A plain background, no panel and no on-screen keyboard: a window is what is not background.
# weston's output leaves the X screen's bottom right free: weston learns where the X pointer is
# when it enters weston's window, and counts moves from there.
printf '[shell]\nbackground-color=0xff204060\npanel-position=none\nlocking=false\n[input-method]\npath=/bin/true\n' >"$work/weston.ini"
weston -c "$work/weston.ini" --backend=x11-backend.so --use-pixman --idle-time=0 --socket=vormo-wl --width=1000 --height=740 >"$work/weston.log" 2>&1 &
compositor_pid=$! && disown
poll 100 test -S "$XDG_RUNTIME_DIR/vormo-wl" || { echo "SKIP: weston cannot start: $(tail -n3 "$work/weston.log")"; exit 77; }
# weston draws its pointer where it was last, also once the X pointer has left: between uses it
# rests at (px, py), where no window is, masked out of the screenshots.
px=985 py=715
at() { xdotool mousemove 1020 760 mousemove "$@"; }
park() { at $px $py; }
shot() { import -window root "$work/$1.png" && convert "$work/$1.png" -fill '#204060' -draw "rectangle $((px - 6)),$((py - 6)) $((px + 20)),$((py + 30))" "$work/$1.png"; }
box() { convert "$work/$1.png" -crop 1000x740+0+0 +repage -format '%@' info: 2>/dev/null; }
# What changed near (x, y), placed relative to it: +0+0 when the change begins there (a text
# cursor blinking elsewhere is no change).
changed() {
    convert "$work/$1.png" "$work/$2.png" -compose difference -composite -crop "200x160+$(($3 - 30))+$(($4 - 30))" +repage \
        -format '%@' info: 2>/dev/null | sed 's/+\([0-9]*\)+\([0-9]*\)$/+$((\1 - 30))+$((\2 - 30))/' | { read -r c; eval echo "$c"; }
}

opened="$work/opened.vwp"
cp "$plugin" "$opened" && touch -d @978307200 "$opened" || fail "cannot copy $plugin"
env -u DISPLAY WAYLAND_DISPLAY=vormo-wl QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client "$app" "$opened" >"$work/app.log" 2>&1 &
app_pid=$!
alive() { kill -0 "$app_pid" 2>/dev/null || fail "the editor ended: $(grep -m3 -i error "$work/app.log")"; }
steady() { park && shot f1 && b1=$(box f1) && shot f2 && [ "$b1" = "$(box f2)" ] && [[ $b1 == 5[0-9][0-9]x[34]* ]]; }
poll 100 steady && frame=$b1 || fail "no editor window drawn: $b1 $(tail -n3 "$work/app.log")"
IFS='x+' read -r fw fh fx fy <<<"$frame"
((fx + fw + 9 < px || fy + fh + 9 < py)) || fail "the editor covers the pointer's corner: $frame"
# Qt draws the frame: equal borders left, right and bottom, the caption above.
border=$(((fw - 528) / 2)) caption=$((fh - 350 - (fw - 528) / 2)) mx=$((fx + 132)) my=$((fy + 116))
same_frame() { alive && park && shot f && [ "$(box f)" = "$frame" ]; }

# Maximise from the title bar's button, by a double-click on the caption and by dragging the
# corner: each request answered, the window back to its size, where it was.
at $((fx + fw - 40)) $((fy + caption / 2)) click 1
poll 100 eval '[ "$(grep -c unset_maximized "$work/app.log")" = 1 ]' || { alive; fail "maximise was not answered"; }
poll 100 same_frame || fail "after maximise the frame is $(box f), not $frame"
at $((fx + fw / 3)) $((fy + caption / 2)) click --repeat 2 --delay 80 1
at $((fx + fw - 1)) $((fy + fh - 1)) mousedown 1 # the compositor follows the pointer from its answer on
poll 100 eval '[ "$(grep -c "xdg_toplevel@[0-9]*.resize(" "$work/app.log")" = 1 ]' || fail "no resize began"
xdotool mousemove $((fx + fw + 40)) $((fy + fh + 30)) mousemove $((fx + fw + 80)) $((fy + fh + 60)) mouseup 1 && poll 100 eval '[ "$(grep -c "configure([0-9]*, [0-9]*, array\[8\])" "$work/app.log")" -ge 2 ]' || fail "not resized"
poll 100 same_frame || fail "after a resize by hand the frame is $(box f), not $frame"

# A right press on the bare surface at (132, 100) opens the menu 16 pixels below it.
still() { shot s && shot before && [[ $(changed s before "$@") == 0x0* ]]; }
menu_at() { shot after && [[ $(changed before after "$@") == 1[0-9][0-9]x[0-9]*+0+0 ]]; }
open_menu() { at $((mx + border)) $((my + caption - 16)) && poll 50 still $mx $my && xdotool click 3 && poll 50 menu_at $mx $my; }
open_menu || fail "the menu is $(changed before after $mx $my) from Left + 132, Top + 116"

# About: a child window of the editor. After OK the editor's surface, which had the keyboard
# first, has it again: what is typed goes into Name, and Save from the menu writes it.
editor=$(grep -o 'xdg_toplevel@[0-9]*.set_title("Vormo Weapon Editor")' "$work/app.log" | head -n1)
xdotool key a
poll 100 eval 'grep -q "set_parent(${editor%%.*})" "$work/app.log"' || fail "the about box has no parent"
xdotool key Return
keyboard() { grep -o 'wl_keyboard@[0-9]*.\(enter\|leave\)([0-9]*, [a-z_@0-9]*' "$work/app.log" | sed 's/.*, //'; }
poll 100 eval '[ "$(keyboard | tail -n1)" = "$(keyboard | head -n1)" ] && [ "$(keyboard | wc -l)" -gt 3 ]' ||
    fail "the editor does not get the keyboard back after OK"
xdotool key ctrl+a type Wayland
open_menu && xdotool key s || fail "no menu for Save"
poll 100 eval '[ "$(stat -c %Y "$opened")" != 978307200 ]' || fail "Save from the menu wrote nothing"
LC_ALL=C sed "s/Hand-made: Blaster $(printf '\334')/Wayland/" "$plugin" | cmp - "$opened" ||
    fail "the plugin saved is not the one opened with Name \"Wayland\""

# Closing from the title bar ends the program with status 0.
at $((fx + fw - 17)) $((fy + caption / 2)) && poll 50 still $((fx + fw - 40)) $((fy + caption / 2)) && xdotool click 1
poll 100 eval '! kill -0 "$app_pid" 2>/dev/null' && { wait "$app_pid"; st=$?; } && [ $st = 0 ] && app_pid= || fail "the editor did not end with status 0: ${st:-running}"
echo "PASS: frame $frame under weston, saved, status 0"
