#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs the storage suite on real file systems, as root and then as an unprivileged user: a
# 256 KiB tmpfs, an ext3 image (no fallocate), a small btrfs and a btrfs quota group, each on a
# loop device in a mount namespace of its own, so they go with the test whatever happens.
# Usage: storage_mounts.sh TEST_BINARY DATA_DIR. Skipped (77) unless run as root where loop
# devices and mounts are allowed.
set -euo pipefail
skip() { echo "SKIP: $*"; exit 77; }
[ "$(id -u)" -eq 0 ] || skip "needs root to mount file systems"
for tool in setpriv unshare mkfs.ext3 mkfs.btrfs btrfs setfacl; do
    command -v $tool >/dev/null || skip "needs $tool"
done
unshare --mount true 2>/dev/null || skip "mount namespaces are refused here"

# A copy in a folder of its own, since the build tree may sit where nobody else can enter.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$1" "$work/test" && cp -r "$2" "$work/data"
mkdir "$work/tmp" "$work/m" && chmod -R a+rX "$work" && chmod 777 "$work/tmp"

unshare --mount --propagation private bash -s "$work" <<'EOF'
set -euo pipefail
skip() { echo "SKIP: $*"; exit 77; }
work=$1 m=$1/m
mkdir "$m/tmpfs" "$m/ext3" "$m/btrfs" "$m/quota"
mount -t tmpfs -o size=256k,mode=0777 vormo "$m/tmpfs" || skip "mounting a tmpfs is refused here"
truncate -s 4M "$work/ext3.img" && mkfs.ext3 -q -F "$work/ext3.img"
mount -o loop "$work/ext3.img" "$m/ext3" || skip "loop devices are refused here"
# Mixed block groups let a btrfs be this small.
for fs in btrfs quota; do
    truncate -s 16M "$work/$fs.img" && mkfs.btrfs -q -M "$work/$fs.img" >/dev/null
    mount -o loop "$work/$fs.img" "$m/$fs" || skip "mounting btrfs is refused here"
done
btrfs -q quota enable "$m/quota"
btrfs -q subvolume create "$m/quota/limited"
btrfs -q qgroup limit 1M "$m/quota/limited"
chmod 777 "$m/ext3" "$m/btrfs" "$m/quota/limited"
export VORMO_STORAGE_MOUNTS="tmpfs=$m/tmpfs ext3=$m/ext3 btrfs=$m/btrfs quota=$m/quota/limited"
export VORMO_TEST_DATA=$work/data TMPDIR=$work/tmp
status=0
"$work/test" || status=$?
setpriv --reuid=65534 --regid=65534 --clear-groups \
    env -i PATH="$PATH" HOME="$work/tmp" TMPDIR="$work/tmp" VORMO_TEST_DATA="$work/data" \
    VORMO_STORAGE_MOUNTS="$VORMO_STORAGE_MOUNTS" ${LD_PRELOAD:+LD_PRELOAD="$LD_PRELOAD"} \
    "$work/test" || status=$?
exit $status
EOF
