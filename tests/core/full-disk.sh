#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Usage: full-disk.sh PROGRAM [ARGS...]. Runs PROGRAM with VORMO_FULL_DISK naming an empty
# 64 KiB tmpfs. Under Wine the wineserver opens the files, so the file system is mounted where
# it sees it, not in a namespace of the test's own; it is unmounted on the way out. Skipped (77)
# where mounting is refused.
set -u
skip() { echo "SKIP: $*"; exit 77; }
[ "$(id -u)" -eq 0 ] || skip "needs root to mount a file system"
disk=$(mktemp -d)
mount -t tmpfs -o size=64k vormo "$disk" 2>/dev/null || { rmdir "$disk"; skip "mounting is refused here"; }
trap 'umount -l "$disk" && rmdir "$disk"' EXIT
VORMO_FULL_DISK=$disk "$@"
