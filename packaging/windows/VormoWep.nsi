; SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
; SPDX-License-Identifier: GPL-3.0-or-later

; The 64-bit per-user installer: no administrator rights, everything under the user's own
; folders and HKCU, and an uninstaller that takes back exactly what the installer added.
; The build passes PRODUCT (the program's name), VERSION (four numbers), STAGE (the folder
; holding VormoWep.exe, README.txt and LICENSE.txt), ICON and OUTFILE.

Unicode true
; A 32-bit installer would be redirected to the 32-bit registry view and program folders.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define EXE "VormoWep.exe"
!define PROGID "VormoWep.Plugin"
!define CLASSES "Software\Classes"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VormoWep"
!define SHCNE_ASSOCCHANGED 0x08000000

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "The Vormo Weapon Plugin Maker developers"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2002 The Vormo Weapon Plugin Maker developers"

!include MUI2.nsh
!include FileFunc.nsh
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; A running editor keeps its exe: installing or uninstalling now would leave the old program,
; or one without its entry in Apps & Features. The user is asked to close it; a silent run fails
; with exit code 2 before anything is changed.
!macro WaitForEditor UN
Function ${UN}waitForEditor
    retry:
        FindWindow $0 "VormoWepApplication"
        StrCmp $0 0 done
        IfSilent 0 +3
            SetErrorLevel 2
            Quit
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
            "${PRODUCT} is running. Close it, then choose Retry." IDRETRY retry
        SetErrorLevel 1
        Quit
    done:
FunctionEnd
!macroend
!insertmacro WaitForEditor ""
!insertmacro WaitForEditor "un."

Function .onInit
    SetShellVarContext current
    Call waitForEditor
FunctionEnd

Function un.onInit
    SetShellVarContext current
    Call un.waitForEditor
FunctionEnd

Section
    SetOutPath "$INSTDIR"
    File "${STAGE}\${EXE}"
    File "${STAGE}\README.txt"
    File "${STAGE}\LICENSE.txt"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}"

    ; The plugin type: Explorer shows .vwp files with the program icon and opens them in it.
    WriteRegStr HKCU "${CLASSES}\.vwp" "" "${PROGID}"
    WriteRegStr HKCU "${CLASSES}\.vwp\OpenWithProgids" "${PROGID}" ""
    WriteRegStr HKCU "${CLASSES}\${PROGID}" "" "Vormo weapon plugin"
    WriteRegStr HKCU "${CLASSES}\${PROGID}\DefaultIcon" "" "$INSTDIR\${EXE},0"
    WriteRegStr HKCU "${CLASSES}\${PROGID}\shell\open\command" "" '"$INSTDIR\${EXE}" "%1"'

    ; Apps & Features
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Vormo Weapon Plugin Maker developers"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd

Section Uninstall
    ; Still there, it is in use: the rest stays, so that the program can still be uninstalled.
    Delete "$INSTDIR\${EXE}"
    IfFileExists "$INSTDIR\${EXE}" 0 +3
        SetErrorLevel 2
        Abort
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\Uninstall.exe"
    ; Not /r: a folder the user chose may hold files of their own.
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"

    DeleteRegKey HKCU "${CLASSES}\${PROGID}"
    DeleteRegValue HKCU "${CLASSES}\.vwp\OpenWithProgids" "${PROGID}"
    DeleteRegKey /ifempty HKCU "${CLASSES}\.vwp\OpenWithProgids"
    ; Another program may have taken the type over since: leave its association alone.
    ReadRegStr $0 HKCU "${CLASSES}\.vwp" ""
    StrCmp $0 "${PROGID}" 0 +2
        DeleteRegValue HKCU "${CLASSES}\.vwp" ""
    DeleteRegKey /ifempty HKCU "${CLASSES}\.vwp"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd
