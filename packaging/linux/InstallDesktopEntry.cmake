# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Run by cmake --install: the desktop entry names the program by the path it is installed to,
# known only now. VORMO_DESKTOP_FILE, VORMO_BINDIR, VORMO_DATADIR and VORMO_STAGING come from
# packaging/CMakeLists.txt.
set(program "${CMAKE_INSTALL_PREFIX}/${VORMO_BINDIR}/VormoWep")

# A string value escapes its backslashes; Exec also quotes a path with anything but plain
# characters, escaping ", `, $ and \ inside the quotes.
string(REPLACE "\\" "\\\\" try_exec "${program}")
set(exec "${program}")
if(NOT exec MATCHES "^[A-Za-z0-9/._+-]+$")
    string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" exec "${exec}")
    set(exec "\"${exec}\"")
endif()
string(REPLACE "\\" "\\\\" exec "${exec}")

file(READ "${VORMO_DESKTOP_FILE}" entry)
string(REPLACE "\nExec=VormoWep " "\nExec=${exec} " entry "${entry}")
string(REPLACE "\nTryExec=VormoWep\n" "\nTryExec=${try_exec}\n" entry "${entry}")
get_filename_component(name "${VORMO_DESKTOP_FILE}" NAME)
file(WRITE "${VORMO_STAGING}/${name}" "${entry}")
file(INSTALL "${VORMO_STAGING}/${name}"
     DESTINATION "${CMAKE_INSTALL_PREFIX}/${VORMO_DATADIR}/applications")
