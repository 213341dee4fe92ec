// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The core's UTF-16 text handed to and taken from the wide Win32 calls unchanged.

#include <windows.h>

#include <string>
#include <string_view>

namespace vormo::win {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide text is UTF-16");

inline const wchar_t* wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
inline const wchar_t* wide(const std::u16string& text) { return wide(text.c_str()); }

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

// The text of a combo box's list item; empty when there is no such item.
inline std::u16string comboItem(HWND combo, LRESULT item)
{
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, item, 0);
    if (length < 0)
        return {};
    std::u16string text(static_cast<std::size_t>(length), u'\0');
    SendMessageW(combo, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text.data()));
    return text;
}

} // namespace vormo::win
