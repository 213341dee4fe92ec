#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command with VORMO_FULL_DIR naming, as Wine sees it, a folder on a tmpfs that is full.
set -eu
dir=$(mktemp -d /tmp/vormo-full.XXXXXX)
cleanup() { umount "$dir" 2>/dev/null || true; rmdir "$dir"; }
trap cleanup EXIT
if ! mount -t tmpfs -o size=64k tmpfs "$dir" 2>/dev/null; then
    echo "cannot mount a tmpfs here: the full-disk save is not checked" >&2
    exit 77
fi
printf 'old bytes' >"$dir/old.vwp"
dd if=/dev/zero of="$dir/filler" bs=4k 2>/dev/null || true
VORMO_FULL_DIR="Z:$(echo "$dir" | tr / '\\')" "$@"
