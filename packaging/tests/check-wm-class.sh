#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Usage: check-wm-class.sh VORMOWEP DESKTOP_FILE
# Task bars group a window with its menu entry by WM_CLASS; the entry's StartupWMClass must
# match what the running program sets. Skips (77) without Xvfb/xprop or without a window.
source "$(dirname "$0")/common.sh"
app=$1 desktop=$2
for tool in Xvfb xprop xwininfo; do
    command -v "$tool" >/dev/null || { echo "skip: no $tool"; exit 77; }
done
wanted=$(sed -n 's/^StartupWMClass=//p' "$desktop")
[ -n "$wanted" ] || fail "$desktop has no StartupWMClass"

pids=()
cleanup()
{
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

Xvfb -displayfd 3 -noreset -nolisten tcp 3>"$scratch/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do
    [ -s "$scratch/display" ] && break
    sleep 0.1
done
display=$(head -n 1 "$scratch/display")
[ -n "$display" ] || fail "Xvfb did not start"
export DISPLAY=:$display QT_QPA_PLATFORM=xcb

"$app" >"$scratch/app.log" 2>&1 &
app_pid=$!
pids+=($app_pid)
# The first mapped top-level window that carries a WM_CLASS is the program's.
wm_class=
for _ in $(seq 50); do
    for window in $(xwininfo -root -children | awk '/^ +0x/ { print $1 }'); do
        xwininfo -id "$window" | grep -q 'Map State: IsViewable' || continue
        wm_class=$(xprop -id "$window" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = //p')
        [ -n "$wm_class" ] && break 2
    done
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$wm_class" ]; then
    echo "skip: $(basename "$app") showed no window"
    exit 77
fi

# WM_CLASS holds the instance name and then the class; StartupWMClass names the class.
class=$(sed -n 's/^"[^"]*", "\(.*\)"$/\1/p' <<<"$wm_class")
[ "$class" = "$wanted" ] || fail "WM_CLASS is $wm_class; StartupWMClass is \"$wanted\""
echo "ok: WM_CLASS $wm_class"
