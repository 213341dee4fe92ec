#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Usage: check-version-record.sh RC_FILE VERSION
# The Windows version record is written out by hand; it must follow the project's version.
source "$(dirname "$0")/common.sh"
rc=$1 version=$2
numbers=${version//./,}

grep -Eq "^[[:space:]]*FILEVERSION[[:space:]]+$numbers[[:space:]]*\$" "$rc" ||
    fail "FILEVERSION is not $numbers"
grep -Eq "^[[:space:]]*PRODUCTVERSION[[:space:]]+$numbers[[:space:]]*\$" "$rc" ||
    fail "PRODUCTVERSION is not $numbers"
for key in FileVersion ProductVersion; do
    grep -Fq "VALUE \"$key\", \"$version\"" "$rc" || fail "$key is not \"$version\""
done
grep -Eq '^MAINICON[[:space:]]+ICON[[:space:]]+"VormoWep\.ico"' "$rc" || fail "no MAINICON"
echo "ok: $rc is $version"
