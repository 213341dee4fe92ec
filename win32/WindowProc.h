// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The window procedure of a window class whose windows are C++ objects: the object comes in as
// the creation parameter, learns its handle at WM_NCCREATE and forgets it at WM_NCDESTROY; in
// between, its handleMessage answers. Each window class befriends routeMessage.

#include <windows.h>

namespace vormo::win {

template <class Window>
LRESULT CALLBACK routeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* object =
            static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        object->handle_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    }
    auto* object = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!object)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        object->handle_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return object->handleMessage(message, wParam, lParam);
}

} // namespace vormo::win
