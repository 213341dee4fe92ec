// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Scale.h"

namespace vormo::win {
namespace {

constexpr int kDesignDpi = 96, kDesignTextHeight = 13;

HFONT font(int dpi, bool bold)
{
    return CreateFontW(-MulDiv(8, dpi, 72), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                       FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif");
}

int textHeight(HFONT font)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight;
}

} // namespace

int screenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

WindowFont createWindowFont(int dpi)
{
    WindowFont result{font(dpi, false), font(dpi, true), Scale{}};
    // At the design setting nothing moves, whatever face stands in for the named one.
    if (dpi != kDesignDpi)
        result.scale = Scale{textHeight(result.regular), kDesignTextHeight};
    return result;
}

void deleteWindowFont(WindowFont& font)
{
    DeleteObject(font.regular);
    DeleteObject(font.bold);
    font = WindowFont{};
}

int textWidth(HFONT font, const wchar_t* text)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size.cx;
}

} // namespace vormo::win
