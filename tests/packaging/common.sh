# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by the packaging checks.
set -euo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }

need() {
    local tool
    for tool in "$@"; do command -v "$tool" >/dev/null || fail "$tool is not installed (see TEST_PACKAGES in scripts/common.sh)"; done
}

# Files that an install puts under the prefix, relative to it, sorted. Arguments: the
# application id and the MIME icon name.
install_set() {
    printf '%s\n' \
        bin/VormoWep \
        "share/applications/$1.desktop" \
        "share/icons/hicolor/32x32/apps/$1.png" \
        "share/icons/hicolor/32x32/mimetypes/$2.png" \
        "share/metainfo/$1.metainfo.xml" \
        "share/mime/packages/$1.xml" \
        share/doc/vormo-weapon-plugin-maker/{changelog.gz,copyright} \
        share/man/man1/VormoWep.1.gz |
        LC_ALL=C sort
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
