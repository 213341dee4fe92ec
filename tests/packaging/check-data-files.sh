#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Usage: check-data-files.sh DESKTOP_FILE METAINFO_FILE MIME_XML
# The files desktops read about the program, as their own validators see them.
source "$(dirname "$0")/common.sh"
need desktop-file-validate appstreamcli xmllint update-mime-database
desktop=$1 metainfo=$2 package=$3

# Warnings count as failures too: menus silently drop or misplace entries that have them.
if ! report=$(desktop-file-validate --no-hints "$desktop" 2>&1) || [ -n "$report" ]; then
    echo "$report" >&2
    fail "desktop-file-validate: $desktop"
fi
# The program opens one file: a launcher passes at most one.
exec_line=$(grep '^Exec=' "$desktop") || fail "no Exec line"
[ "$exec_line" = "Exec=VormoWep %f" ] || fail "Exec is not \"VormoWep %f\": $exec_line"

# appstreamcli fails on errors and warnings; --no-net keeps the check offline.
appstreamcli validate --no-net --explain "$metainfo" || fail "appstreamcli validate: $metainfo"

xmllint --noout "$package" || fail "xmllint: $package"
ns='http://www.freedesktop.org/standards/shared-mime-info'
# A root in the wrong namespace is skipped by update-mime-database without an error.
roots=$(xmllint --xpath "count(/*[local-name()='mime-info' and namespace-uri()='$ns'])" "$package")
[ "$roots" = 1 ] || fail "$package: root is not <mime-info> in $ns"
# update-mime-database warns about unknown elements and attributes instead of failing. It also
# notes a folder outside the data dirs; that one is the scratch folder's, so it is pointed there.
mkdir -p "$scratch/mime/packages"
cp "$package" "$scratch/mime/packages/"
if ! report=$(XDG_DATA_DIRS=$scratch update-mime-database "$scratch/mime" 2>&1) || [ -n "$report" ]; then
    echo "$report" >&2
    fail "update-mime-database rejects $package"
fi
echo "ok: $desktop, $metainfo, $package"
