#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Whole start-ups under Wine on a private X server: process start to the editor window shown
# and taking messages, for VormoWep.exe and for a plain Win32 window with the same controls,
# alternating, and the ratio of the medians.
#   bench/win32_startup_wine.sh BUILD_WINDOWS_DIR [runs]
set -euo pipefail
build=$(cd "$1" && pwd)
runs=${2:-21}
source "$(dirname "$0")/../scripts/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start
windows_path() { echo "Z:${1//\//\\}"; }
wine "$build/bench/bench_win32_startup.exe" "$runs" \
    "$(windows_path "$build/win32/VormoWep.exe")" \
    "$(windows_path "$build/bench/bench_win32_plain.exe")"
