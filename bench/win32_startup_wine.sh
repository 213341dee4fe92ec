#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Whole start-ups under one warm Wine session on a private X server: process start to the
# window shown and taking messages, for VormoWep.exe against a plain Win32 window with the same
# controls and against Wine's own notepad.exe, in alternating pairs; the medians and ratios.
# The programs run stripped, as they ship. Then the windows the editor creates, by class.
#   bench/win32_startup_wine.sh BUILD_WINDOWS_DIR [runs]
set -euo pipefail
build=$(cd "$1" && pwd)
runs=${2:-21}
source "$(dirname "$0")/../scripts/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start
stripped="$wine_session_dir/bench"
mkdir -p "$stripped"
for exe in "$build/win32/VormoWep.exe" "$build/bench/bench_win32_plain.exe"; do
    x86_64-w64-mingw32-strip -o "$stripped/$(basename "$exe")" "$exe"
done
windows_path() { echo "Z:${1//\//\\}"; }
# Its output goes through a file: Wine's services may hold a pipe open after it ends.
wine "$build/bench/bench_win32_startup.exe" "$runs" \
    "$(windows_path "$stripped/VormoWep.exe")" \
    "$(windows_path "$stripped/bench_win32_plain.exe")" notepad.exe >"$stripped/figures.txt"
cat "$stripped/figures.txt"
# Where the editor's own part goes: its windows, counted and timed in process.
wine "$build/bench/bench_win32_windows.exe" "$runs" >"$stripped/windows.txt"
cat "$stripped/windows.txt"
