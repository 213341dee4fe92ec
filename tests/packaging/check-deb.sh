#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Usage: check-deb.sh CPACK BUILD_DIR CONFIG VERSION APP_ID MIME_ICON
# Builds the Debian package into a scratch folder and checks its files and control fields.
source "$(dirname "$0")/common.sh"
need dpkg-deb dpkg-shlibdeps dpkg-parsechangelog lintian
cpack=$1 build=$2 config=$3 version=$4 id=$5 mime_icon=$6

"$cpack" -G DEB -C "$config" --config "$build/CPackConfig.cmake" -B "$scratch/out" \
    >"$scratch/cpack.log" 2>&1 || { cat "$scratch/cpack.log" >&2; fail "cpack -G DEB"; }
deb=$(echo "$scratch"/out/*.deb)
[ -f "$deb" ] || fail "expected one .deb, got: $deb"

# Exactly the install set under /usr; folders outside it too count as strays.
listing=$(dpkg-deb --contents "$deb") || fail "dpkg-deb --contents"
files=$(awk '$1 !~ /^d/ || $6 !~ /^\.\/(usr\/.*)?$/ { print $6 }' <<<"$listing" | sed 's|^\./usr/||' | LC_ALL=C sort)
same_as_install_set "$(install_set "$id" "$mime_icon")" "$files" "package files"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', expected $version"
for name in Package Maintainer Section Description; do [ -n "$(field "$name")" ] || fail "no $name field"; done
# Computed by dpkg-shlibdeps from the binary; a hand-typed list would name no versions.
depends=$(field Depends)
grep -Eq '(^|, )libqt6widgets6 \(>= [^)]+\)(,|$)' <<<"$depends" ||
    fail "Depends lacks a versioned libqt6widgets6: $depends"

# What a distribution asks of a package; info tags are printed for whoever reads the log.
lintian --info --fail-on error,warning "$deb" || fail "lintian $(basename "$deb")"
# The changelog is made from NEWS.md, whose newest release must be the one being packaged.
dpkg-deb -x "$deb" "$scratch/root" && gzip -d "$scratch/root/usr/share/doc/$(field Package)/changelog.gz"
newest=$(dpkg-parsechangelog -l "$scratch/root/usr/share/doc/$(field Package)/changelog" -S Version)
[ "$newest" = "$version" ] || fail "the changelog's newest release is $newest, not $version"
echo "ok: $(basename "$deb"), Depends: $depends"
