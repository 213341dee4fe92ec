// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The windows are laid out in pixels at 96 dpi. At another setting the font grows with the
// setting, and every size and place with the font's text height against 13 pixels.

#include <windows.h>

namespace vormo::win {

struct Scale {
    int numerator = 1;
    int denominator = 1;
    int operator()(int value) const { return MulDiv(value, numerator, denominator); }
    RECT rect(int left, int top, int width, int height) const
    {
        return RECT{(*this)(left), (*this)(top), (*this)(left) + (*this)(width),
                    (*this)(top) + (*this)(height)};
    }
};

// "MS Sans Serif" 8 pt at dpi, and the scale that goes with it.
struct WindowFont {
    HFONT regular = nullptr;
    HFONT bold = nullptr;
    Scale scale;
};
WindowFont createWindowFont(int dpi);
int screenDpi();
void deleteWindowFont(WindowFont& font);

int textWidth(HFONT font, const wchar_t* text);

} // namespace vormo::win
