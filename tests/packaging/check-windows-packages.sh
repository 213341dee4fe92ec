#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Usage: check-windows-packages.sh ZIP SETUP STAGE VERSION PRODUCT_NAME
# The zip holds exactly the staged files. The installer, run silently under the Wine session's
# prefix, installs them for the user alone with a Start-menu entry, the .vwp type and an entry in
# Apps & Features, and its uninstaller takes all of that back. Run twice: the second time another
# program has taken .vwp over, and the user has saved a plugin in the program's folder, before
# the uninstall; both must stay. The first time, neither may change anything while the editor
# runs.
source "$(dirname "$0")/common.sh"
need cmake wine winepath wrestool xmllint pgrep
zip=$1 setup=$2 stage=$3 version=$4 product=$5
[ -n "${WINEPREFIX:-}" ] || fail "run inside the Wine session (scripts/wine-session.sh)"

(mkdir "$scratch/zip" && cd "$scratch/zip" && cmake -E tar xf "$zip") && diff -r "$stage" "$scratch/zip" ||
    fail "the zip does not hold exactly VormoWep.exe, README.txt and LICENSE.txt"
[ "$(wrestool -x --raw -t 24 "$setup" | xmllint --xpath "string(//*[local-name()='requestedExecutionLevel']/@level)" -)" = asInvoker ] ||
    fail "the installer asks for administrator rights"

winvar() { winepath -u "$(wine cmd /c echo "%$1%" | tr -d '\r')"; }
dir=$(winvar LOCALAPPDATA)/Programs/$product
link=$(winvar APPDATA)/Microsoft/Windows/Start\ Menu/Programs/$product.lnk
exe=$(winepath -w "$dir")\\VormoWep.exe
classes='HKCU\Software\Classes'
uninstall='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\VormoWep'
value() { wine reg query "$1" $([ -n "$2" ] && echo /v "$2" || echo /ve) 2>/dev/null | tr -d '\r' |
    awk -F '    ' 'NF >= 4 {print $4}'; }
expect() { [ "$(value "$1" "$2")" = "$3" ] || fail "$1 ${2:-(default)} is '$(value "$1" "$2")', not '$3'"; }
absent() { ! wine reg query "$1" >/dev/null 2>&1 || fail "uninstall left $1"; }

for other in "" Other.Plugin; do
    wine "$setup" /S || fail "setup exited with $?"
    diff -r -x Uninstall.exe "$stage" "$dir" && [ -f "$dir/Uninstall.exe" ] || fail "installed files are not the zip's and Uninstall.exe"
    grep -aqF "$exe" "$link" || fail "no Start-menu entry for $exe"
    expect "$classes\\.vwp" "" VormoWep.Plugin
    expect "$classes\\.vwp\\OpenWithProgids" VormoWep.Plugin ""
    expect "$classes\\VormoWep.Plugin\\DefaultIcon" "" "$exe,0"
    # Wine 8's HKEY_CLASSES_ROOT leaves out the user's classes, so a double-click under Wine finds
    # no program; Windows merges them in. The Open command is therefore checked as text.
    expect "$classes\\VormoWep.Plugin\\shell\\open\\command" "" "\"$exe\" \"%1\""
    expect "$uninstall" DisplayName "$product" && expect "$uninstall" DisplayVersion "$version"
    expect "$uninstall" UninstallString "\"$(winepath -w "$dir")\\Uninstall.exe\""
    if [ -z "$other" ]; then
        wine "$dir/VormoWep.exe" &>/dev/null &
        for _ in {1..100}; do status=0; wine "$setup" /S || status=$?; [ $status = 0 ] || break; sleep 0.1; done
        wine "$dir/Uninstall.exe" /S && for _ in {1..100}; do pgrep -f '~nsu' >/dev/null || break; sleep 0.1; done
        [ $status = 2 ] && [ -e "$dir/VormoWep.exe" ] && expect "$uninstall" DisplayVersion "$version" ||
            fail "while the editor ran, setup exited with $status or the uninstaller took it away"
        wine taskkill /im VormoWep.exe >/dev/null && wait
    fi

    [ -z "$other" ] || { wine reg add "$classes\\.vwp" /ve /d "$other" /f >/dev/null && echo "NAME:mine" >"$dir/mine.vwp"; }
    wine "$dir/Uninstall.exe" /S || fail "the uninstaller exited with $?"
    # It copies itself away and works from there, so the command returns before it is done;
    # dropping its Apps & Features entry is the last thing it does.
    for _ in {1..100}; do wine reg query "$uninstall" &>/dev/null || break; sleep 0.1; done
    [ "$(ls -A "$dir" 2>/dev/null | xargs)" = "${other:+mine.vwp}" ] ||
        fail "after uninstall, $dir holds: $(ls -A "$dir" 2>&1 | xargs)"
    [ -n "$other" ] || [ ! -e "$dir" ] || fail "uninstall left the empty $dir"
    [ ! -e "$link" ] || fail "uninstall left the Start-menu entry"
    absent "$classes\\VormoWep.Plugin" && absent "$uninstall"
    if [ -z "$other" ]; then absent "$classes\\.vwp"; else expect "$classes\\.vwp" "" "$other"; fi
done
wine reg delete "$classes\\.vwp" /f >/dev/null
rm -r "$dir"
echo "ok: $(basename "$zip") and $(basename "$setup")"
