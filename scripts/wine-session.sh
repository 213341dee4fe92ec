# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced: wine_session_start gives the Windows test programs a headless Wine of their own (a
# private Xvfb, a fresh prefix, a persistent wineserver, frames drawn by Wine, the Wine fonts);
# wine_session_stop ends what it started and removes the prefix. Callers trap the stop.

wine_session_dir=
wine_session_xvfb=

# Polls a command for up to $1 tenths of a second.
wine_session_poll() {
    local tries=$1
    shift
    while ! "$@"; do
        tries=$((tries - 1))
        [ "$tries" -le 0 ] && return 1
        sleep 0.1
    done
}

wine_session_start() {
    wine_session_dir=$(mktemp -d)
    Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp \
        3>"$wine_session_dir/display" 2>"$wine_session_dir/xvfb.log" &
    wine_session_xvfb=$!
    if ! wine_session_poll 100 test -s "$wine_session_dir/display"; then
        echo "Xvfb did not start: $(cat "$wine_session_dir/xvfb.log")" >&2
        return 1
    fi
    export DISPLAY=":$(head -n1 "$wine_session_dir/display")"
    # Wine maps Windows file names through the Unix locale's character set: under the C locale
    # of a fresh machine no name outside ASCII could be made. C.UTF-8 is always there on Debian.
    export LC_ALL=C.UTF-8
    export WINEPREFIX="$wine_session_dir/prefix" WINEDEBUG=-all WINEARCH=win64
    # No Mono or Gecko: nothing here needs them, and their installers would ask.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    # Started first, the server and Wine's services stay off the output pipes of the tests;
    # otherwise ctest waits for a service that holds the first test's pipe.
    mkdir -p "$WINEPREFIX"
    wineserver -p >/dev/null 2>&1
    wineboot -i >"$wine_session_dir/wineboot.log" 2>&1 || {
        cat "$wine_session_dir/wineboot.log" >&2
        return 1
    }
    # Without a window manager, Wine's own frames are fast to destroy.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # A program that crashes ends with its status; no dialog of Wine's waits for a click.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    # Debian's Wine does not find its own fonts otherwise, and MS Sans Serif falls back.
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
}

wine_session_stop() {
    [ -n "$wine_session_dir" ] || return 0
    wineserver -k >/dev/null 2>&1 || true
    [ -n "$wine_session_xvfb" ] && kill "$wine_session_xvfb" 2>/dev/null
    rm -rf "$wine_session_dir"
    wine_session_dir=
}
