# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by run-editor and run-tests: install the Debian packages that are missing, then
# configure and build into build/ (or $BUILD_DIR).
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}

# libxcb1-dev and pkgconf: on X11 the windows ask the window manager for their frame.
BUILD_PACKAGES=(cmake make g++ qt6-base-dev fonts-dejavu-core libxcb1-dev pkgconf)
# The core's tests are doctest suites, on Linux and on Windows.
BUILD_PACKAGES+=(doctest-dev)
# The Windows programs: MinGW-w64 cross-builds them, Wine runs their tests (scripts/build-windows).
WINDOWS_BUILD_PACKAGES=(cmake make g++-mingw-w64-x86-64-posix doctest-dev wine wine64)
# ... and NSIS packs the installer.
WINDOWS_BUILD_PACKAGES+=(nsis)
# The real-window checks, bare and under a window manager (openbox, driven with wmctrl).
TEST_PACKAGES=(xvfb xdotool x11-utils imagemagick openbox wmctrl)
# The same as a Wayland client: weston on Xvfb, and Qt's Wayland platform.
TEST_PACKAGES+=(weston qt6-wayland)
# ... and under GNOME's and KDE's compositors, on X11 and as Wayland compositors, each on a
# session bus of its own.
TEST_PACKAGES+=(mutter kwin-wayland kwin-x11 kwin-style-breeze dbus-daemon)
# Desktop-integration, Debian package and licence checks (tests/packaging).
TEST_PACKAGES+=(desktop-file-utils appstream libxml2-utils shared-mime-info xdg-utils
    libfile-mimeinfo-perl dpkg-dev file libglib2.0-bin lintian reuse)
# The plugin reader's fuzzer (tests/fuzz) builds with clang and its libFuzzer runtime.
TEST_PACKAGES+=(clang libclang-rt-14-dev)
# Storage faults for the save tests: libfiu fails POSIX calls through a preloaded library.
TEST_PACKAGES+=(libfiu-dev fiu-utils)
# The storage suite: doctest, and real file systems on loop devices with ACLs and attributes.
TEST_PACKAGES+=(doctest-dev e2fsprogs btrfs-progs acl attr util-linux)
# The Windows tests under a headless Wine (scripts/wine-session.sh).
TEST_PACKAGES+=("${WINDOWS_BUILD_PACKAGES[@]}" fonts-wine)
# The Windows exe's resources, read back (wrestool); the uninstaller waited for (pgrep).
TEST_PACKAGES+=(icoutils procps)

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

# The "windows" preset: the MinGW-w64 cross build in build-windows/.
build_windows() {
    (cd "$ROOT" && cmake --preset windows "$@" && cmake --build build-windows -j"$(nproc)")
}
