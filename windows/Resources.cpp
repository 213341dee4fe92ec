// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Resources.h"

namespace vormo::win {

HICON programIcon(HINSTANCE instance)
{
    if (HICON icon = LoadIconW(instance, L"MAINICON"))
        return icon;
    return LoadIconW(nullptr, IDI_APPLICATION);
}

HCURSOR dragMultiCursor(HINSTANCE instance)
{
    if (HCURSOR cursor = LoadCursorW(instance, L"DRAGMULTI"))
        return cursor;
    return LoadCursorW(nullptr, IDC_ARROW);
}

std::string programIconBytes() { return std::string(kProgramIconFile, sizeof kProgramIconFile); }

} // namespace vormo::win
