# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The storage suite (Linux only): libfiu's faults on the save itself, then again on real full
# and copy-on-write file systems, as root and as an ordinary user (storage_mounts.sh).
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    add_executable(tst_storage ${CMAKE_CURRENT_LIST_DIR}/tst_storage.cpp)
    set_target_properties(tst_storage PROPERTIES AUTOMOC OFF)
    target_include_directories(tst_storage SYSTEM PRIVATE ${DOCTEST_INCLUDE_DIR})
    target_include_directories(tst_storage PRIVATE ${CMAKE_CURRENT_LIST_DIR}
                                                   ${CMAKE_CURRENT_LIST_DIR}/../support)
    target_link_libraries(tst_storage PRIVATE vormo_weapon ${CMAKE_DL_LIBS} vormo_warnings)
    target_compile_definitions(tst_storage PRIVATE
        VORMO_TEST_DATA="${CMAKE_CURRENT_LIST_DIR}/../data")
    add_test(NAME tst_storage COMMAND tst_storage)
    set_tests_properties(tst_storage PROPERTIES TIMEOUT 120)
    add_test(NAME tst_storage_mounts
        COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/storage_mounts.sh $<TARGET_FILE:tst_storage>
                ${CMAKE_CURRENT_LIST_DIR}/../data)
    set_tests_properties(tst_storage_mounts PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
    if(FIU_POSIX_PRELOAD)
        set_property(TEST tst_storage tst_storage_mounts APPEND PROPERTY ENVIRONMENT
                     LD_PRELOAD=${FIU_POSIX_PRELOAD})
    endif()
endif()
