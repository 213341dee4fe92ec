#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Usage: check-install.sh BUILD_DIR CONFIG APP_ID MIME_TYPE MIME_ICON ICO PLUGIN_FIXTURE
# Installs into a scratch prefix that is not on the PATH (and has a space in its name) and
# checks what a desktop would see there.
source "$(dirname "$0")/common.sh"
need cmake file convert update-mime-database update-desktop-database xdg-mime mimetype gio
build=$1 config=$2 id=$3 mime_type=$4 mime_icon=$5 ico=$6 fixture=$7
prefix="$scratch/pre fix"

cmake --install "$build" --config "$config" --prefix "$prefix" >/dev/null || fail "cmake --install"

# Exactly the install set: a stray file would end up in the package too.
same_as_install_set "$(install_set "$id" "$mime_icon")" \
    "$(cd "$prefix" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)" "installed files"
[ -x "$prefix/bin/VormoWep" ] || fail "bin/VormoWep is not executable"

# Both icons are 32 x 32 PNGs that decode to the ICO's own pixels, transparency included.
# Fully transparent pixels carry no colour, so they are compared as transparent black.
rgba() { convert "$1" -background none -alpha background -depth 8 rgba:-; }
rgba "ico:$ico" >"$scratch/ico.rgba" || fail "cannot decode $ico"
for png in "$prefix/share/icons/hicolor/32x32/apps/$id.png" \
    "$prefix/share/icons/hicolor/32x32/mimetypes/$mime_icon.png"; do
    [[ $(file -b "$png") == "PNG image data, 32 x 32,"* ]] || fail "$png: $(file -b "$png")"
    rgba "png:$png" >"$scratch/png.rgba" || fail "$png does not decode"
    [ "$(stat -c %s "$scratch/png.rgba")" = $((32 * 32 * 4)) ] || fail "$png: wrong pixel count"
    cmp -s "$scratch/ico.rgba" "$scratch/png.rgba" || fail "$png differs from $ico"
done

XDG_DATA_DIRS=$prefix/share update-mime-database "$prefix/share/mime" || fail "update-mime-database"

# A plugin as the editor saves it: every line ends in CR LF.
awk '{ printf "%s\r\n", $0 }' "$fixture" >"$scratch/x.vwp"
cp "$scratch/x.vwp" "$scratch/x.txt"
# The same text without its first line is an ordinary text file.
tail -n +2 "$scratch/x.vwp" >"$scratch/headless.txt"

# xdg-mime outside any desktop session asks File::MimeInfo, which reads the XDG data dirs; GIO
# (file managers) has its own reading, which must agree.
expect() {
    local env=(env -i PATH="$PATH" HOME="$scratch/home" XDG_DATA_HOME="$scratch/home/.local/share" XDG_DATA_DIRS="$1")
    local gio=$("${env[@]}" gio info -a standard::content-type "$2" | sed -n 's/^ *standard::content-type: //p')
    local xdg=$("${env[@]}" xdg-mime query filetype "$2")
    [ "$gio" = "$3" ] && [ "$xdg" = "$3" ] || fail "$(basename "$2") with XDG_DATA_DIRS=$1: GIO $gio, xdg-mime $xdg, expected $3"
}
# Only the installed tree: the type comes from there and nowhere else.
# Then next to the system's types, where *.txt claims text/plain.
for dirs in "$prefix/share" "$prefix/share:/usr/share"; do
    for name in x.vwp x.txt; do expect "$dirs" "$scratch/$name" "$mime_type"; done
done
expect "$prefix/share:/usr/share" "$scratch/headless.txt" text/plain

# With the databases updated as a package's triggers do, GIO (which file managers ask) opens
# plugins with the editor by default, ahead of the system's editors for plain text.
update-desktop-database "$prefix/share/applications" || fail "update-desktop-database"
report=$(env -i LANG=C.UTF-8 PATH="/usr/bin:/bin" HOME="$scratch/home" \
    XDG_DATA_HOME="$scratch/home/.local/share" XDG_DATA_DIRS="$prefix/share:/usr/share" \
    gio mime "$mime_type" 2>/dev/null) || fail "gio mime $mime_type"
grep -q "^Default application for .*: $id\.desktop$" <<<"$report" ||
    fail "the editor does not open $mime_type: $report"
