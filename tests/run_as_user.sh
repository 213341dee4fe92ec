#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a test as an unprivileged user: root may write read-only files and create files in
# read-only folders, so the checks that depend on permissions skip themselves under root.
# With --full-disk the test also gets a 64 KiB tmpfs to fill, named by VORMO_FULL_DISK.
# Usage: run_as_user.sh [--full-disk] TEST_BINARY DATA_DIR [TEST_ARGS...]. Skipped (77) unless
# run as root with setpriv, and with --full-disk where mounting is refused.
set -euo pipefail
skip() { echo "SKIP: $*"; exit 77; }
[ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null || skip "needs root and setpriv"
[ "$1" = --full-disk ] && shift && full=1 || full=

# A copy in a folder of its own, since the build tree may sit where nobody else can enter.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$1" "$work/test" && cp -r "$2" "$work/data"
mkdir "$work/tmp" "$work/disk" && chmod -R a+rX "$work" && chmod 777 "$work/tmp"
run=(setpriv --reuid=65534 --regid=65534 --clear-groups
    env -i PATH="$PATH" HOME="$work/tmp" TMPDIR="$work/tmp" XDG_RUNTIME_DIR="$work/tmp"
    QT_QPA_PLATFORM=offscreen VORMO_TEST_DATA="$work/data" VORMO_FULL_DISK="${full:+$work/disk}"
    "$work/test" "${@:3}")
[ -z "$full" ] && { "${run[@]}"; exit; }
# In a mount namespace of its own, the file system goes with the test, whatever happens.
unshare --mount true 2>/dev/null || skip "mounting is refused here"
unshare --mount bash -c 'mount -t tmpfs -o size=64k,mode=0777 vormo "$0" ||
    { echo "SKIP: mounting a tmpfs is refused here"; exit 77; }; "$@"' "$work/disk" "${run[@]}"
