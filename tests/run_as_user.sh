#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a test as an unprivileged user: root may write read-only files and create files in
# read-only folders, so the checks that depend on permissions skip themselves under root.
# Usage: run_as_user.sh TEST_BINARY DATA_DIR [TEST_ARGS...]. Skipped (77) unless run as root
# with setpriv.
set -euo pipefail
skip() { echo "SKIP: $*"; exit 77; }
[ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null || skip "needs root and setpriv"

# A copy in a folder of its own, since the build tree may sit where nobody else can enter.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$1" "$work/test" && cp -r "$2" "$work/data"
mkdir "$work/tmp" && chmod -R a+rX "$work" && chmod 777 "$work/tmp"
run=(setpriv --reuid=65534 --regid=65534 --clear-groups
    env -i PATH="$PATH" HOME="$work/tmp" TMPDIR="$work/tmp" XDG_RUNTIME_DIR="$work/tmp"
    QT_QPA_PLATFORM=offscreen VORMO_TEST_DATA="$work/data"
    "$work/test" "${@:3}")
"${run[@]}"
