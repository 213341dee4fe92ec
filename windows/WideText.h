// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The core's UTF-16 text handed to and taken from the wide Win32 calls unchanged.

#include <windows.h>

#include <string>
#include <string_view>

namespace vormo::win {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide text is UTF-16");

inline const wchar_t* wide(const std::u16string& text)
{
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline std::u16string fromWide(const wchar_t* text)
{
    return text ? std::u16string(reinterpret_cast<const char16_t*>(text)) : std::u16string();
}

inline std::u16string windowText(HWND window)
{
    std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(window)), u'\0');
    if (!text.empty()) {
        const int got = GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()),
                                       static_cast<int>(text.size()) + 1);
        text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    }
    return text;
}

} // namespace vormo::win
