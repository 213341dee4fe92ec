# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by the packaging checks.
set -euo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }

need() {
    for tool in "$@"; do command -v "$tool" >/dev/null || fail "$tool is not installed (see TEST_PACKAGES in scripts/common.sh)"; done
}

# Files that an install puts under the prefix, relative to it, sorted. Arguments: the
# application id and the MIME icon name.
install_set() {
    printf '%s\n' bin/VormoWep share/man/man1/VormoWep.1.gz "share/applications/$1.desktop" \
        "share/icons/hicolor/32x32/apps/$1.png" "share/icons/hicolor/32x32/mimetypes/$2.png" \
        "share/metainfo/$1.metainfo.xml" "share/mime/packages/$1.xml" \
        share/doc/vormo-weapon-plugin-maker/{changelog.gz,copyright} | LC_ALL=C sort
}

# Fails unless a sorted list of files (the second argument) is the install set (the first).
same_as_install_set() {
    [ "$1" = "$2" ] || { diff <(echo "$1") <(echo "$2") >&2; fail "$3 differ from the install set (< expected, > got)"; }
}

# Runs a validator that reports problems without failing on them: any report fails.
silent() {
    local report
    report=$("$@" 2>&1) && [ -z "$report" ] || { echo "$report" >&2; return 1; }
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
