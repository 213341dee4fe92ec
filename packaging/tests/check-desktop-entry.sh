#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Usage: check-desktop-entry.sh DESKTOP_FILE
source "$(dirname "$0")/common.sh"
need desktop-file-validate
desktop=$1

# Warnings count as failures too: menus silently drop or misplace entries that have them.
if ! report=$(desktop-file-validate --no-hints "$desktop" 2>&1) || [ -n "$report" ]; then
    echo "$report" >&2
    fail "desktop-file-validate: $desktop"
fi
# The program opens one file: a launcher passes at most one.
exec_line=$(grep '^Exec=' "$desktop") || fail "no Exec line"
[ "$exec_line" = "Exec=VormoWep %f" ] || fail "Exec is not \"VormoWep %f\": $exec_line"
echo "ok: $desktop"
