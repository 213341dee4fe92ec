#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Usage: check-mime-package.sh MIME_XML
source "$(dirname "$0")/common.sh"
need xmllint update-mime-database
package=$1

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
echo "ok: $package"
