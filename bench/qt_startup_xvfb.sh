#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Whole start-ups on a real X server: process start to the windows shown, for the editor and
# for a plain window with the same widgets, alternating, and the ratio of the medians.
#   bench/qt_startup_xvfb.sh BUILD_DIR [runs]
set -euo pipefail
bench=$1/bench/bench_qt_startup
runs=${2:-21}
exec {fd}<> <(:)
Xvfb -displayfd "$fd" -noreset -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
read -r -u "$fd" display
export DISPLAY=:$display QT_QPA_PLATFORM=xcb

once() {
    local start end
    start=$(date +%s%N)
    "$bench" --once "$1"
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}
median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)] / 1000}'; }

once editor >/dev/null && once plain >/dev/null # fonts and libraries into the cache
editor=() plain=()
for ((i = 0; i < runs; i++)); do
    editor+=("$(once editor)")
    plain+=("$(once plain)")
done
e=$(printf '%s\n' "${editor[@]}" | median)
p=$(printf '%s\n' "${plain[@]}" | median)
echo "runs: $runs (X server, whole processes)"
echo "editor start-up: $e ms (median)"
echo "plain start-up:  $p ms (median)"
awk -v e="$e" -v p="$p" 'BEGIN {printf "ratio: %.2f (target <= 1.10)\n", e / p}'
