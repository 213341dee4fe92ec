// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Hints.h"

#include "WideText.h"

#include <commctrl.h>

namespace vormo::win {
namespace {

// The size comctl32 5 and 6 both take: the larger one of the headers is refused by version 5.
TTTOOLINFOW toolInfo(HWND window, UINT_PTR id)
{
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = window;
    info.uId = id;
    return info;
}

} // namespace

Hints::Hints(HWND window, HINSTANCE instance) : window_(window)
{
    tooltip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, instance, nullptr);
    if (!tooltip_)
        return;
    SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(kHintShowMs, 0));
    SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_RESHOW, MAKELPARAM(kHintReshowMs, 0));
    SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(kHintUpMs, 0));
    // Long hints wrap rather than run across the screen.
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
}

Hints::~Hints()
{
    if (tooltip_)
        DestroyWindow(tooltip_);
}

void Hints::add(UINT_PTR id, const RECT& area, const std::u16string& text)
{
    if (!tooltip_ || has(id))
        return;
    TTTOOLINFOW info = toolInfo(window_, id);
    info.uFlags = TTF_SUBCLASS;
    info.rect = area;
    info.lpszText = const_cast<wchar_t*>(wide(text));
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void Hints::add(HWND control, const std::u16string& text)
{
    const auto id = reinterpret_cast<UINT_PTR>(control);
    if (!tooltip_ || has(id))
        return;
    TTTOOLINFOW info = toolInfo(window_, id);
    info.uFlags = TTF_SUBCLASS | TTF_IDISHWND;
    info.lpszText = const_cast<wchar_t*>(wide(text));
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void Hints::remove(UINT_PTR id)
{
    if (!tooltip_)
        return;
    TTTOOLINFOW info = toolInfo(window_, id);
    SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

bool Hints::has(UINT_PTR id) const
{
    TTTOOLINFOW info = toolInfo(window_, id);
    return tooltip_ && SendMessageW(tooltip_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info));
}

} // namespace vormo::win
