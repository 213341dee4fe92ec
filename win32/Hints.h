// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The hint pop-ups of one window, with the program's timing: a hint shows once the pointer has
// rested 500 ms, at once when the pointer moves on to the next while one is up, and goes after
// 2,500 ms. Each hint covers an area of the window rather than a control, because the system
// hands the mouse over a disabled control to its window: a disabled label keeps its hint.

#include <windows.h>

#include <string>

namespace vormo::win {

inline constexpr int kHintShowMs = 500;
inline constexpr int kHintReshowMs = 0;
inline constexpr int kHintUpMs = 2500;

class Hints {
public:
    Hints(HWND window, HINSTANCE instance);
    ~Hints();
    Hints(const Hints&) = delete;
    Hints& operator=(const Hints&) = delete;

    // area is in window's client coordinates; a control that takes the mouse itself (one with
    // SS_NOTIFY, a button) gets its hint through add(control, text) instead.
    void add(UINT_PTR id, const RECT& area, const std::u16string& text);
    void add(HWND control, const std::u16string& text);
    void remove(UINT_PTR id);
    bool has(UINT_PTR id) const;

    HWND handle() const { return tooltip_; }

private:
    HWND window_;
    HWND tooltip_;
};

} // namespace vormo::win
