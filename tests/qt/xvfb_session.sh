# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by the Xvfb checks: a private X server in a scratch folder, under the window manager
# named in $wm if one is (openbox, or GNOME's mutter or KDE's kwin_x11 with a session bus), torn
# down on exit with every program the check started. Sets work and DISPLAY; the check puts the
# pid of the program it starts in app_pid so that it is ended too.

work=$(mktemp -d)
xvfb_pid= app_pid= wm_pid=
# Programs started on the way carry the private runtime folder in their environment: the session
# bus, what it starts (kglobalaccel5 lingers after kwin_x11), a compositor's Xwayland.
started() { grep -lsz "^XDG_RUNTIME_DIR=$work/runtime\$" /proc/[0-9]*/environ | cut -d/ -f3; }
cleanup() { kill $app_pid $wm_pid $(started) $xvfb_pid 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Polls a command for up to $1 tenths of a second.
poll() {
    local tries=$1
    shift
    until "$@"; do [ $((--tries)) -le 0 ] && return 1 || sleep 0.1; done
}

# -noreset: the server must outlive each program that connects and leaves.
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
poll 100 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work"
mkdir -m 700 "$XDG_RUNTIME_DIR"
if [ -n "${wm:-}" ]; then
    start=("$wm") && [ "$wm" != openbox ] && start=(dbus-run-session -- env -u QT_QPA_PLATFORM "$wm" --replace)
    [ "$wm" = mutter ] && start+=(--x11)
    "${start[@]}" >"$work/wm.log" 2>&1 &
    wm_pid=$!
    poll 200 eval 'wmctrl -m >/dev/null 2>&1' || { echo "SKIP: $wm cannot start: $(tail -n3 "$work/wm.log")"; exit 77; }
fi
