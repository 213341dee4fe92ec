# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The Windows resources: the program icon "MAINICON", the drag cursor "DRAGMULTI", the version
# record and the manifest (resource 1). Include this file from anywhere, then call
#   vormo_windows_resources(TARGET)
# for VormoWep.exe and for any program that must look and behave like it (tests, benchmarks).
include_guard(GLOBAL)
enable_language(RC)

function(vormo_windows_resource_files)
    set(out ${PROJECT_BINARY_DIR}/resources)
    set(dotted "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
    set(numbers "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR}")
    foreach(part PATCH TWEAK)
        set(n "${PROJECT_VERSION_${part}}")
        if(n STREQUAL "")
            set(n 0)
        endif()
        string(APPEND dotted ".${n}")
        string(APPEND numbers ",${n}")
    endforeach()
    file(CONFIGURE OUTPUT ${out}/VormoWepVersion.h CONTENT [[
#define VORMO_VERSION_NUMBERS @numbers@
#define VORMO_VERSION_TEXT "@dotted@"
#define VORMO_PRODUCT_NAME "@PROJECT_DESCRIPTION@"
]] @ONLY)
    set(VORMO_VERSION_DOTTED ${dotted})
    configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/VormoWep.manifest.in
        ${out}/VormoWep.manifest @ONLY)
endfunction()
vormo_windows_resource_files()

# Calling it again for the same target does nothing.
function(vormo_windows_resources target)
    get_target_property(added ${target} VORMO_WINDOWS_RESOURCES)
    if(added)
        return()
    endif()
    set_target_properties(${target} PROPERTIES VORMO_WINDOWS_RESOURCES ON)
    set(script ${PROJECT_SOURCE_DIR}/win32/VormoWep.rc)
    set(generated ${PROJECT_BINARY_DIR}/resources)
    target_sources(${target} PRIVATE ${script})
    # windres looks for the files that the script names in its include folders.
    target_include_directories(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:RC>:${generated}> $<$<COMPILE_LANGUAGE:RC>:${PROJECT_SOURCE_DIR}/resources>)
    set_property(SOURCE ${script} TARGET_DIRECTORY ${target} APPEND PROPERTY OBJECT_DEPENDS
        ${generated}/VormoWepVersion.h ${generated}/VormoWep.manifest
        ${PROJECT_SOURCE_DIR}/resources/VormoWep.ico
        ${PROJECT_SOURCE_DIR}/resources/DragMultiCursor.cur)
endfunction()
