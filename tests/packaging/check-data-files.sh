#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Usage: check-data-files.sh DESKTOP_FILE METAINFO_FILE MIME_XML
# The files desktops read about the program, as their own validators see them.
source "$(dirname "$0")/common.sh"
need desktop-file-validate appstreamcli xmllint update-mime-database
desktop=$1 metainfo=$2 package=$3

# Warnings count as failures too: menus silently drop or misplace entries that have them.
silent desktop-file-validate --no-hints "$desktop" || fail "desktop-file-validate: $desktop"
# The program opens one file: a launcher passes at most one.
grep -qx 'Exec=VormoWep %f' "$desktop" || fail "Exec is not \"VormoWep %f\": $(grep '^Exec' "$desktop")"

# appstreamcli fails on errors and warnings; --no-net keeps the check offline.
appstreamcli validate --no-net --explain "$metainfo" || fail "appstreamcli validate: $metainfo"

ns='http://www.freedesktop.org/standards/shared-mime-info'
# A root in the wrong namespace is skipped by update-mime-database without an error.
roots=$(xmllint --xpath "count(/*[local-name()='mime-info' and namespace-uri()='$ns'])" "$package")
[ "$roots" = 1 ] || fail "$package: root is not <mime-info> in $ns"
# update-mime-database warns about unknown elements and attributes instead of failing. It also
# notes a folder outside the data dirs; that one is the scratch folder's, so it is pointed there.
install -D -m 644 "$package" "$scratch/mime/packages/$(basename "$package")"
XDG_DATA_DIRS=$scratch silent update-mime-database "$scratch/mime" || fail "update-mime-database rejects $package"
echo "ok: $desktop, $metainfo, $package"
