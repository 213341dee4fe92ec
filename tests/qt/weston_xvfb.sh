#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The real program as a Wayland client of weston, GNOME's mutter or KDE's KWin, which runs on an
# X server of its own and is driven there with xdotool; what the compositor draws is read from
# screenshots, what passes between the two from the client's protocol log. Under weston,
# maximising by Qt's title bar (its button, a double-click on the caption) and resizing by hand
# leave the window at its size and connected. Everywhere the pop-up menu opens at (Left + X,
# Top + Y + 16) of the frame, whoever draws it; the about box is a child of the editor and keeps
# the keyboard when the disabled editor is clicked; after its OK the editor takes the keyboard
# again; Save from the menu writes the plugin, also through a save dialog that is a child of the
# editor; closing ends with status 0. KWin runs the program installed into a prefix on
# XDG_DATA_DIRS, and finds the icon of its desktop entry by the program's application id.
#   weston_xvfb.sh VORMOWEP PLUGIN [weston|mutter|kwin BUILD_DIR]
# PLUGIN must be a file the editor itself writes. Exits 77 (skipped) when the compositor cannot
# start.
set -uo pipefail

app=$1 plugin=$2 compositor=${3:-weston} build=${4:-}
wayland=("$compositor")
[ "$compositor" = kwin ] && wayland=(kwin_wayland cmake)
for tool in Xvfb xdotool "${wayland[@]}" import convert; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool not installed"; exit 77; }
done
source "$(dirname "$0")/xvfb_session.sh"

# The compositor's output leaves the X screen's bottom right free: it learns where the X pointer
# is when the pointer enters its window, and counts moves from there. weston gets a plain
# background, no panel and no on-screen keyboard. KWin's file capability keeps it from starting
# as it is installed; a plain copy runs.
printf '[shell]\nbackground-color=0xff204060\npanel-position=none\nlocking=false\n[input-method]\npath=/bin/true\n' >"$work/weston.ini"
if [ "$compositor" = kwin ]; then
    cp "$(command -v kwin_wayland)" "$work/" && cmake --install "$build" --prefix "$work/prefix" >/dev/null || fail "cannot install"
    app=$work/prefix/bin/VormoWep
fi
case $compositor in
weston) weston -c "$work/weston.ini" --backend=x11-backend.so --use-pixman --idle-time=0 --socket=vormo-wl --width=1000 --height=740 ;;
mutter) MUTTER_DEBUG_DUMMY_MODE_SPECS=1000x740 dbus-run-session -- mutter --nested --wayland --wayland-display=vormo-wl ;;
kwin) XDG_DATA_DIRS=$work/prefix/share:/usr/share dbus-run-session -- env -u QT_QPA_PLATFORM "$work/kwin_wayland" --x11-display "$DISPLAY" --width 1000 --height 740 --socket vormo-wl ;;
esac >"$work/compositor.log" 2>&1 &
poll 200 test -S "$XDG_RUNTIME_DIR/vormo-wl" || { echo "SKIP: $compositor cannot start: $(tail -n3 "$work/compositor.log")"; exit 77; }
# weston draws its pointer where it was last, also once the X pointer has left: between uses it
# rests at (px, py), where no window is, masked out of the screenshots.
px=985 py=715
at() { xdotool mousemove 1020 760 mousemove "$@"; }
park() { at $px $py; }
shot() { import -window root "$work/$1.png" && convert "$work/$1.png" -fill '#204060' -draw "rectangle $((px - 6)),$((py - 6)) $((px + 20)),$((py + 30))" "$work/$1.png"; }
# A window is what stands out from the background: weston's plain, mutter's shaded, KWin's black.
box() { convert "$work/$1.png" -crop 1000x740+0+0 +repage -fuzz 30% -format '%@' info: 2>/dev/null; }
# What changed near (x, y), placed relative to it: +0+0 when the change begins there (a text
# cursor blinking elsewhere is no change).
changed() {
    convert "$work/$1.png" "$work/$2.png" -compose difference -composite -crop "200x160+$(($3 - 30))+$(($4 - 30))" +repage \
        -format '%@' info: 2>/dev/null | sed 's/+\([0-9]*\)+\([0-9]*\)$/+$((\1 - 30))+$((\2 - 30))/' | { read -r c; eval echo "$c"; }
}

opened="$work/opened.vwp"
cp "$plugin" "$opened" || fail "cannot copy $plugin"
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
[ "$compositor" = weston ] && {
at $((fx + fw - 40)) $((fy + caption / 2)) click 1
poll 100 eval '[ "$(grep -c unset_maximized "$work/app.log")" = 1 ]' || { alive; fail "maximise was not answered"; }
poll 100 same_frame || fail "after maximise the frame is $(box f), not $frame"
at $((fx + fw / 3)) $((fy + caption / 2)) click --repeat 2 --delay 80 1
at $((fx + fw - 1)) $((fy + fh - 1)) mousedown 1 # the compositor follows the pointer from its answer on
poll 100 eval '[ "$(grep -c "xdg_toplevel@[0-9]*.resize(" "$work/app.log")" = 1 ]' || fail "no resize began"
xdotool mousemove $((fx + fw + 40)) $((fy + fh + 30)) mousemove $((fx + fw + 80)) $((fy + fh + 60)) mouseup 1 && poll 100 eval '[ "$(grep -c "configure([0-9]*, [0-9]*, array\[8\])" "$work/app.log")" -ge 2 ]' || fail "not resized"
poll 100 same_frame || fail "after a resize by hand the frame is $(box f), not $frame"
}

# A right press on the bare surface at (132, 100) opens the menu 16 pixels below it.
still() { shot s && shot before && [[ $(changed s before "$@") == 0x0* ]]; }
menu_at() { shot after && [[ $(changed before after "$@") == 1[0-9][0-9]x[0-9]*+0+0 ]]; }
# Under KWin, which draws the title bar, the menu opens that much lower: a Wayland client cannot
# learn the bar's height, and Qt places the menu from the client area.
drop=0 && [ "$compositor" = kwin ] && drop=$caption
open_menu() { at $((mx + border)) $((my + caption - 16)) && poll 50 still $mx $((my + drop)) && xdotool click 3 && poll 50 menu_at $mx $((my + drop)); }
open_menu || fail "the menu is $(changed before after $mx $my) from Left + 132, Top + 116"

# New, then Save from the menu, the first dialog of a fresh start: a child of the editor.
editor=$(grep -o 'xdg_toplevel@[0-9]*.set_title("Vormo Weapon Editor")' "$work/app.log" | head -n1)
parented() { [ "$(grep -c "set_parent(${editor%%.*})" "$work/app.log")" -ge "$1" ]; }
enters() { grep -o 'wl_keyboard@[0-9]*.enter([0-9]*, wl_surface@[0-9]*' "$work/app.log" | sed 's/.*, //'; }
# The keyboard has entered surfaces $2 times or more, the last time the window titled $1.
keyboard() {
    local top xdg
    top=$(grep -o "xdg_toplevel@[0-9]*.set_title(\"$1\")" "$work/app.log" | tail -n1)
    xdg=$(grep -o "xdg_surface@[0-9]*.get_toplevel(new id ${top%%.*})" "$work/app.log" | tail -n1)
    [ "$(enters | wc -l)" -ge "$2" ] && grep -q "get_xdg_surface(new id ${xdg%%.*}, $(enters | tail -n1))" "$work/app.log"
}
xdotool key n && open_menu && xdotool key s || fail "no menu for New and Save"
poll 100 parented 1 && poll 100 keyboard 'Save Vormo Weapon...' 0 || fail "no save dialog with the editor as its parent"
xdotool key ctrl+a type typed.vwp && xdotool key Return # where the plugin opened is
poll 100 cmp -s "$work/typed.vwp" "$plugin" || fail "the save dialog did not write the plugin"

# About: a child window of the editor, which takes the keyboard and keeps it when the disabled
# editor is clicked: Enter presses its OK. Then the editor has it again: what is typed goes into
# Name, and Save from the menu writes it.
# KWin may leave the keyboard with no window once the menu is gone, this box's included.
shown() { about=$(grep -o 'xdg_toplevel@[0-9]*.set_title("About...")' "$work/app.log" | tail -n1) && sed -n "/$about/,\$p" "$work/app.log" | grep -q "${about%%.*}.configure("; }
open_menu && xdotool key a && poll 100 parented 2 && poll 100 shown || fail "the about box has no parent, or does not show"
# The click has arrived once the program has its button's release (and any new keyboard focus).
clicks() { [ "$(grep -c 'wl_pointer@[0-9]*.button(' "$work/app.log")" -ge "$1" ]; }
n=$(grep -c 'wl_pointer@[0-9]*.button(' "$work/app.log")
at $((fx + border + 510)) $((fy + caption + 340)) click 1 && poll 100 clicks $((n + 2)) && xdotool key Return
poll 100 grep -q "${about%%.*}.destroy()" "$work/app.log" || fail "Enter after a click on the disabled editor did not close the about box"
poll 100 keyboard 'Vormo Weapon Editor' 0 || fail "the editor does not get the keyboard back after OK"
xdotool key ctrl+a type Wayland
open_menu && xdotool key s || fail "no menu for Save"
poll 100 eval '! cmp -s "$work/typed.vwp" "$plugin"' || fail "Save from the menu wrote nothing"
LC_ALL=C sed "s/Hand-made: Blaster $(printf '\334')/Wayland/" "$plugin" | cmp - "$work/typed.vwp" ||
    fail "the plugin saved is not the one opened with Name \"Wayland\""
if [ "$compositor" = kwin ]; then
    id=$(grep -o -m1 'set_app_id("[^"]*' "$work/app.log" | cut -d'"' -f2)
    [ -f "$work/prefix/share/applications/$id.desktop" ] || fail "the application id \"$id\" names no installed desktop entry"
    [ "$(convert "$work/f1.png" -crop 20x20+$((fx + 7))+$((fy + 7)) -format %k info:)" -gt 4 ] || fail "no icon in the title bar"
fi

# Closing from the title bar ends the program with status 0.
at $((fx + fw - 17)) $((fy + caption / 2)) && poll 50 still $((fx + fw - 40)) $((fy + caption / 2)) && xdotool click 1
poll 100 eval '! kill -0 "$app_pid" 2>/dev/null' && { wait "$app_pid"; st=$?; } && [ $st = 0 ] && app_pid= || fail "the editor did not end with status 0: ${st:-running}"
echo "PASS: frame $frame under $compositor, saved, status 0"
