// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "win32/Resources.h"

namespace vormo::win {

HICON programIcon(HINSTANCE instance)
{
    if (HICON icon = LoadIconW(instance, L"MAINICON"))
        return icon;
    // Without the resource, the same image from the icon file compiled in: its one entry says
    // where the image lies and how long it is.
    static const HICON compiledIn = [] {
        const auto field = [](int at) {
            DWORD value = 0;
            for (int i = 3; i >= 0; --i)
                value = value << 8 | static_cast<unsigned char>(kProgramIconFile[at + i]);
            return value;
        };
        const DWORD size = field(14), offset = field(18);
        if (offset + size > sizeof kProgramIconFile)
            return HICON(nullptr);
        auto* image = reinterpret_cast<BYTE*>(const_cast<char*>(kProgramIconFile + offset));
        return CreateIconFromResourceEx(image, size, TRUE, 0x00030000, 32, 32, LR_DEFAULTCOLOR);
    }();
    return compiledIn ? compiledIn : LoadIconW(nullptr, IDI_APPLICATION);
}

HCURSOR dragMultiCursor(HINSTANCE instance)
{
    if (HCURSOR cursor = LoadCursorW(instance, L"DRAGMULTI"))
        return cursor;
    return LoadCursorW(nullptr, IDC_ARROW);
}

std::string programIconBytes() { return std::string(kProgramIconFile, sizeof kProgramIconFile); }

} // namespace vormo::win
