# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by run-editor and run-tests: install the Debian packages that are missing, then
# configure and build into build/ (or $BUILD_DIR).
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}

BUILD_PACKAGES=(cmake make g++ qt6-base-dev fonts-dejavu-core)
TEST_PACKAGES=(xvfb xdotool x11-utils imagemagick)
# Desktop-integration, Debian package and licence checks (packaging/tests).
TEST_PACKAGES+=(desktop-file-utils appstream libxml2-utils shared-mime-info xdg-utils
    libfile-mimeinfo-perl dpkg-dev file lintian reuse)
# The plugin reader's fuzzer (tests/fuzz) builds with clang and its libFuzzer runtime.
TEST_PACKAGES+=(clang libclang-rt-14-dev)

install_missing() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

build() {
    cmake -S "$ROOT" -B "$BUILD_DIR" "$@"
    cmake --build "$BUILD_DIR" -j"$(nproc)"
}
