// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Where the core meets the Windows file system: names in the form the system takes at any
// length, and the calls of a save that another program holding a file can make fail. Tests put
// in calls of their own to play each answer Windows documents; the program uses the system's.

#include <windows.h>

#include <filesystem>

namespace vormo::winfile {

// path resolved against the working folder as Windows does it; "\\?\" names stay as they are.
// path itself where it cannot be resolved.
std::filesystem::path fullPath(const std::filesystem::path& path);

// fullPath, in the "\\?\" form where it is too long for the system's 260 characters, which is
// the only form Windows before 10, and later ones without long paths switched on, accept.
std::filesystem::path systemPath(const std::filesystem::path& path);

struct Calls {
    BOOL(WINAPI* replaceFile)(LPCWSTR, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID) = ::ReplaceFileW;
    BOOL(WINAPI* moveFile)(LPCWSTR, LPCWSTR, DWORD) = ::MoveFileExW;
    void(WINAPI* pause)(DWORD) = ::Sleep;
};
Calls& calls();

} // namespace vormo::winfile
