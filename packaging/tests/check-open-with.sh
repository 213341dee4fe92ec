#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Usage: check-open-with.sh BUILD_DIR CONFIG APP_ID MIME_TYPE
# Installed into a scratch prefix that is not on the PATH (and has a space in its name), with the
# databases updated as a package's triggers do, GIO (which file managers ask) offers the editor
# for plugins and opens them with it by default, ahead of the system's editors for plain text.
source "$(dirname "$0")/common.sh"
need cmake gio update-desktop-database update-mime-database
build=$1 config=$2 id=$3 mime_type=$4
prefix="$scratch/pre fix"

cmake --install "$build" --config "$config" --prefix "$prefix" >/dev/null || fail "cmake --install"
update-desktop-database "$prefix/share/applications" || fail "update-desktop-database"
update-mime-database "$prefix/share/mime" || fail "update-mime-database"
report=$(env -i LANG=C.UTF-8 PATH="/usr/bin:/bin" HOME="$scratch/home" \
    XDG_DATA_HOME="$scratch/home/.local/share" XDG_DATA_DIRS="$prefix/share:/usr/share" \
    gio mime "$mime_type" 2>/dev/null) || fail "gio mime $mime_type"
grep -q "^Default application for .*: $id\.desktop$" <<<"$report" ||
    fail "the editor does not open $mime_type: $report"
echo "ok: $report"
