// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The baseline for bench_win32_startup: a plain Win32 window with the editor's controls (the
// same kinds, places, texts, item lists, font and tooltips, read from the field table) and a
// hidden second window, but none of the editor's own code: no rules, scaling or commands.

#include "FieldTable.h"
#include "ItemLists.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace {

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE && GetWindow(window, GW_OWNER) == nullptr) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

std::wstring wide(const char* text)
{
    return text ? std::wstring(text, text + std::char_traits<char>::length(text)) : L"";
}

const wchar_t* wide(const std::u16string& text)
{
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    INITCOMMONCONTROLSEX common = {sizeof common, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&common);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = L"PlainWindow";
    RegisterClassW(&windowClass);

    RECT frame = {0, 0, 528, 350};
    AdjustWindowRectEx(&frame, WS_CAPTION, FALSE, WS_EX_TOOLWINDOW);
    HWND window =
        CreateWindowExW(WS_EX_TOOLWINDOW, L"PlainWindow", L"Vormo Weapon Editor", WS_CAPTION,
                        CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                        frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH, L"MS Sans Serif");
    auto add = [&](HWND parent, const wchar_t* kind, const wchar_t* text, DWORD style,
                   vormo::Rect place) {
        HWND control =
            CreateWindowExW(0, kind, text, WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                            place.width, place.height, parent, nullptr, instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return control;
    };

    for (const vormo::FieldDef& def : vormo::fields()) {
        vormo::Rect place = def.geometry;
        switch (def.kind) {
        case vormo::FieldKind::Edit:
            add(window, WC_EDITW, wide(def.defaultText).c_str(),
                WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, place);
            break;
        case vormo::FieldKind::Combo: {
            place.height *= 9; // the box and a list of eight items
            HWND combo =
                add(window, WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN, place);
            for (const std::u16string& item : vormo::itemList(def.items))
                SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(item)));
            SetWindowTextW(combo, wide(def.defaultText).c_str());
            break;
        }
        case vormo::FieldKind::Check:
            add(window, WC_BUTTONW, L"", WS_TABSTOP | BS_AUTOCHECKBOX, place);
            break;
        }
    }
    HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP, 0, 0, 0, 0,
                                window, nullptr, instance, nullptr);
    for (const vormo::LabelDef& def : vormo::labels()) {
        HWND label = add(window, WC_STATICW, wide(def.caption).c_str(), SS_NOTIFY, def.geometry);
        if (!def.hint)
            continue;
        std::wstring hint = wide(def.hint);
        TOOLINFOW tool = {};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window;
        tool.uId = reinterpret_cast<UINT_PTR>(label);
        tool.lpszText = hint.data();
        SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    HWND outer = add(window, WC_STATICW, L"", SS_ETCHEDFRAME, {400, 120, 121, 225});
    HWND inner = add(outer, WC_STATICW, L"", SS_ETCHEDFRAME, {32, 8, 65, 209});
    for (int i = 0; i < 4; ++i)
        add(inner, WC_BUTTONW, L"Button", WS_TABSTOP | BS_PUSHBUTTON, {8, 8 + 48 * i, 49, 49});
    HMENU menu = CreatePopupMenu();
    for (int i = 0; i < 4; ++i)
        AppendMenuW(menu, MF_STRING, UINT_PTR(i + 1), L"&Item");
    // The second window, created hidden as the about box is.
    CreateWindowExW(WS_EX_DLGMODALFRAME, L"PlainWindow", L"About...", WS_CAPTION, 0, 0, 306, 240,
                    window, nullptr, instance, nullptr);

    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    DestroyMenu(menu);
    DestroyWindow(window);
    DeleteObject(font);
    return 0;
}
