#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# A real X drag and drop: a saved plugin is dragged from a separate program onto a field of the
# running editor, which opens it; Save then writes it back to the same path without a dialog,
# byte for byte.
#   drop_xvfb.sh VORMOWEP_EXECUTABLE DRAG_SOURCE_EXECUTABLE PLUGIN
# PLUGIN must be a file the editor itself writes, so that saving it again gives the same bytes.
# Exits 77 (skipped) when Xvfb or xdotool is missing.
set -uo pipefail

app=$1
source_app=$2
plugin=$3
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool not installed"; exit 77; }
done

source "$(dirname "$0")/xvfb_session.sh"

# A space in the name: the path travels as a file URL.
dropped="$work/dropped weapon.vwp"
cp "$plugin" "$dropped" || fail "cannot copy $plugin"
touch -d @978307200 "$dropped"

env -u QT_QPA_PLATFORM HOME="$work" "$app" >"$work/app.log" 2>&1 &
app_pid=$!
find_editor() { editor=$(xdotool search --onlyvisible --name '^Vormo Weapon Editor$' 2>/dev/null | head -n1) && [ -n "$editor" ]; }
poll 200 find_editor || fail "no editor window: $(cat "$work/app.log")"

# The source sits in the top left corner, clear of the centred editor.
env -u QT_QPA_PLATFORM "$source_app" "$dropped" >"$work/source.log" 2>&1 &
source_pid=$!
find_source() { source_window=$(xdotool search --onlyvisible --name '^Vormo drag source$' 2>/dev/null | head -n1) && [ -n "$source_window" ]; }
poll 200 find_source || fail "no drag source window: $(cat "$work/source.log")"

said() { grep -qx "$1" "$work/source.log"; }

# Press on the source, move onto the editor's Name field once the drag runs, and let go only
# once the editor has taken the drag as a copy.
xdotool mousemove --window "$source_window" 80 60 mousedown 1
poll 100 said "dragging" || fail "the drag did not start: $(cat "$work/source.log")"
xdotool mousemove 200 140 mousemove --window "$editor" 88 18
poll 100 said "action copy" || fail "the editor did not take the drag: $(cat "$work/source.log")"
xdotool mouseup 1
poll 100 said "done copy" || fail "the drag did not end as a copy: $(cat "$work/source.log")"
# The source hears the editor has handled the drop.
poll 100 said "finished" || fail "the editor did not finish the drop: $(cat "$work/source.log")"

# Save: named after the dropped file now, the editor writes back to it without asking.
xdotool mousemove --window "$editor" 464 208 click 1
poll 100 eval '[ "$(stat -c %Y "$dropped")" != 978307200 ]' ||
    fail "Save did not write the dropped file (asking for a path instead?): $(cat "$work/app.log")"
# Written through a temporary file and renamed: once the new file is in place it is whole.
cmp "$dropped" "$plugin" || fail "the file saved again differs from the dropped plugin"
echo "PASS: dropped $(basename "$plugin") onto the editor, saved it back byte for byte"
