// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The about box: names the program and its version, and saves the program icon to a file on
// a double click of the icon. It is created hidden and reused; while it shows, the editor is
// disabled.

#include "Hints.h"
#include "SaveDialog.h"
#include "Scale.h"
#include "Win32SaveDialogRunner.h"

#include <windows.h>

#include <memory>
#include <string_view>

namespace vormo::win {

class Application;

class TAboutBox {
public:
    explicit TAboutBox(Application& owner);
    ~TAboutBox();
    TAboutBox(const TAboutBox&) = delete;
    TAboutBox& operator=(const TAboutBox&) = delete;

    HWND handle() const { return handle_; }
    // "ProgramIcon", "ProductName", "Version", "Notice", "Comments", "OKButton"; nullptr if none.
    HWND control(std::u16string_view name) const;
    const Hints& hints() const { return *hints_; }

    SaveDialog IconSaveDlg;

    void OKButtonClick(HWND Sender);
    void ProgramIconDblClick(HWND Sender);

    // Shows the box without waiting, in front, centred the first time only.
    void showBox();

    // The area of Panel1 in client coordinates.
    RECT panel() const;

private:
    template <class Window> friend LRESULT CALLBACK routeMessage(HWND, UINT, WPARAM, LPARAM);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    HWND addControl(const wchar_t* className, const std::u16string& text, DWORD style, int id);
    // Places and sizes every control, and the box, for dpi.
    void layOut(int dpi);

    HINSTANCE instance_;
    HWND handle_ = nullptr;
    WindowFont font_;
    bool shownBefore_ = false;
    std::unique_ptr<Hints> hints_;
    Win32SaveDialogRunner dialogRunner_;
};

extern TAboutBox* AboutBox;

} // namespace vormo::win
