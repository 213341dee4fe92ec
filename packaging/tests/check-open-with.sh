#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Usage: check-open-with.sh BUILD_DIR CONFIG APP_ID MIME_TYPE PLUGIN
# Installed into a scratch prefix that is not on the PATH (and has a space in its name), with the
# databases updated as a package's triggers do, GIO (which file managers ask) offers the editor
# for plugins and opens them with it by default, ahead of the system's editors for plain text,
# and types a plugin by its content whatever its name.
source "$(dirname "$0")/common.sh"
need cmake gio update-desktop-database update-mime-database
build=$1 config=$2 id=$3 mime_type=$4 plugin=$5
prefix="$scratch/pre fix"

cmake --install "$build" --config "$config" --prefix "$prefix" >/dev/null || fail "cmake --install"
update-desktop-database "$prefix/share/applications" || fail "update-desktop-database"
update-mime-database "$prefix/share/mime" || fail "update-mime-database"
gio_() {
    env -i LANG=C.UTF-8 PATH="/usr/bin:/bin" HOME="$scratch/home" \
        XDG_DATA_HOME="$scratch/home/.local/share" XDG_DATA_DIRS="$prefix/share:/usr/share" gio "$@"
}
report=$(gio_ mime "$mime_type" 2>/dev/null) || fail "gio mime $mime_type"
grep -q "^Default application for .*: $id\.desktop$" <<<"$report" ||
    fail "the editor does not open $mime_type: $report"
cp "$plugin" "$scratch/b.txt" && echo "plain words" >"$scratch/notes.txt"
for file_type in "b.txt $mime_type" "notes.txt text/plain"; do
    got=$(gio_ info -a standard::content-type "$scratch/${file_type% *}" | sed -n 's/^ *standard::content-type: //p')
    [ "$got" = "${file_type#* }" ] || fail "${file_type% *} is typed $got, not ${file_type#* }"
done
echo "ok: $report"
