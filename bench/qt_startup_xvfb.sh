#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Whole start-ups on an X server of their own, process start to window mapped, for the editor
# and for a plain Qt program with the same widgets, in turn, with each one's peak RSS.
#   bench/qt_startup_xvfb.sh BUILD_DIR [rounds [OTHER_EDITOR...]]
set -euo pipefail
build=$1
rounds=${2:-25}
exec {fd}<> <(:)
Xvfb -displayfd "$fd" -noreset -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
scratch=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null; rm -rf "$scratch"' EXIT
read -r -u "$fd" display
mkdir -m 700 "$scratch/runtime"
export DISPLAY=:$display QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$scratch/runtime
bench=("$build/bench/bench_qt_startup" "$rounds" "$build/bench/bench_qt_plain"
    "$build/qt/app/VormoWep" "${@:3}")
# A desktop has a session bus; without one, the programs' accessibility bridges start one. The
# bus's own complaints (about fd limits, as root) are not the bench's.
if command -v dbus-run-session >/dev/null; then
    exec 3>&2
    dbus-run-session -- bash -c 'exec "$@" 2>&3' bench "${bench[@]}" 2>/dev/null
else
    "${bench[@]}"
fi
