#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Usage: check-windows-exe.sh EXE RESOURCE_DIR VERSION PRODUCT_NAME
# What a player's Windows needs of VormoWep.exe, read back from the built file: a 64-bit exe
# that imports no DLL beyond Windows' own, the program icon and the drag cursor as drawn, the
# version record and the manifest.
source "$(dirname "$0")/common.sh"
need x86_64-w64-mingw32-objdump x86_64-w64-mingw32-windres wrestool convert xmllint
exe=$1 resources=$2 version=$3 product=$4

x86_64-w64-mingw32-objdump -f "$exe" | grep -q 'file format pei-x86-64' || fail "not a 64-bit exe"
# The MinGW runtime (libstdc++, libgcc, winpthread) is linked in, or a player lacks its DLLs.
foreign=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print tolower($3)}' |
    grep -vxE '(kernel32|user32|gdi32|comctl32|comdlg32|shell32|ole32|oleaut32|advapi32|uxtheme|shlwapi|imm32|msvcrt|version|dwmapi|oleacc|uiautomationcore)\.dll') &&
    fail "imports DLLs that Windows does not have: $foreign"

wrestool -l "$exe" | grep -qF -- "--type=14 --name='MAINICON'" || fail "no MAINICON icon"
# The one icon image, unchanged: everything after the .ico file's 22-byte header.
cmp -s <(tail -c +23 "$resources/VormoWep.ico") <(wrestool -x --raw -t 3 "$exe") ||
    fail "the icon is not resources/VormoWep.ico"
wrestool -x -t 12 -n DRAGMULTI "$exe" >"$scratch/drag.cur" || fail "no DRAGMULTI cursor"
rgba() { convert "$1" -depth 8 rgba:-; }
cmp -s <(rgba "$resources/DragMultiCursor.png") <(rgba "$scratch/drag.cur") || fail "DRAGMULTI is not as drawn"
[ "$(od -An -tu2 -j10 -N4 "$scratch/drag.cur" | xargs)" = "0 0" ] ||
    fail "DRAGMULTI's hot spot is not the arrow's tip"

rc=$(x86_64-w64-mingw32-windres -i "$exe" -O rc | sed 's/^ *//')
for line in "FILEVERSION ${version//./, }" "PRODUCTVERSION ${version//./, }" \
    "VALUE \"FileVersion\", \"$version\"" "VALUE \"ProductVersion\", \"$version\"" \
    "VALUE \"FileDescription\", \"$product\"" "VALUE \"ProductName\", \"$product\"" \
    'VALUE "OriginalFilename", "VormoWep.exe"' 'VALUE "InternalName", "VormoWep.exe"'; do
    grep -qxF "$line" <<<"$rc" || fail "no $line in the version record"
done

wrestool -x --raw -t 24 -n 1 "$exe" >"$scratch/manifest.xml" || fail "no manifest as resource 1"
query() { xmllint --xpath "string(//*[local-name()='$1']${2-})" "$scratch/manifest.xml"; }
[ "$(query assemblyIdentity "[@name='Microsoft.Windows.Common-Controls']/@version")" = 6.0.0.0 ] ||
    fail "the manifest does not ask for version 6 of the common controls"
[ "$(query requestedExecutionLevel /@level)" = asInvoker ] || fail "the manifest asks for elevation"
[[ "$(query dpiAwareness)" == PerMonitorV2* ]] || fail "the manifest is not per-monitor DPI aware"
[ "$(query longPathAware)" = true ] || fail "the manifest is not long-path aware"
[ "$(query assemblyIdentity "[not(@publicKeyToken)]/@version")" = "$version" ] || fail "the manifest is not $version"
echo "ok: $exe"
