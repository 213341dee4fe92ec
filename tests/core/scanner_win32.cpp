// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Plays a virus scanner for the save tests, until it is ended: "scanner_win32 EVENT FOLDER MS"
// opens each file made or changed in FOLDER for MS ms, sharing read only as scanners do, and
// sets the named EVENT once it is in place.

#include <windows.h>

#include <string>
#include <thread>

int wmain(int argc, wchar_t** argv)
{
    const HANDLE ready = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[1]);
    const std::wstring path = argv[2];
    const DWORD hold = argc == 4 ? std::stoul(argv[3]) : 0;
    const HANDLE folder = ::CreateFileW(
        path.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
    OVERLAPPED pending{};
    pending.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    alignas(DWORD) static char buffer[1 << 16];
    constexpr DWORD kChanges =
        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE;
    // The first request starts the watch: only then is the scanner in place.
    for (DWORD got = 0; ::ReadDirectoryChangesW(folder, buffer, sizeof buffer, FALSE, kChanges,
                                                nullptr, &pending, nullptr) &&
                        ::SetEvent(ready) && ::GetOverlappedResult(folder, &pending, &got, TRUE);) {
        for (DWORD at = 0, next = got; next != 0; at += next) {
            const auto* change = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(buffer + at);
            const std::wstring file =
                path + L'\\' + std::wstring(change->FileName, change->FileNameLength / 2);
            if (change->Action != FILE_ACTION_REMOVED &&
                change->Action != FILE_ACTION_RENAMED_OLD_NAME)
                std::thread([=] {
                    const HANDLE held = ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                      nullptr, OPEN_EXISTING, 0, nullptr);
                    ::Sleep(hold);
                    ::CloseHandle(held);
                }).detach();
            next = change->NextEntryOffset;
        }
    }
    return 1;
}
