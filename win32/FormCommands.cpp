// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The editor window's commands beyond its buttons: the pop-up menu, where it opens and what its
// items do, the About command, the bullet-types help and opening a dropped plugin.

#include "WideText.h"
#include "WindowTexts.h"
#include "win32/Application.h"
#include "win32/TAboutBox.h"
#include "win32/TForm1.h"

#include <shellapi.h>

#include <optional>
#include <string>

namespace vormo::win {
namespace {

// The menu opens this far below the point it is given.
constexpr int kMenuDrop = 16;

} // namespace

void TForm1::New1Click(HWND Sender) { NewBtnClick(Sender); }
void TForm1::Save1Click(HWND Sender) { SaveBtnClick(Sender); }
void TForm1::Quit1Click(HWND Sender) { QuitBtnClick(Sender); }

void TForm1::About1Click(HWND)
{
    if (!AboutBox)
        return;
    if (HWND focus = GetFocus(); focus && IsChild(handle_, focus))
        focusBeforeDeactivation_ = focus;
    EnableWindow(handle_, FALSE);
    AboutBox->showBox();
}

void TForm1::Label39DblClick(HWND)
{
    // No owner: the editor stays usable, and further boxes can be opened beside this one.
    MessageBoxW(nullptr, wide(kBulletTypesHelp), wide(kBulletTypesCaption),
                MB_OK | MB_ICONINFORMATION);
}

void TForm1::FormMouseDown(HWND, MouseButton Button, WPARAM, int X, int Y)
{
    if (Button != MouseButton::Right)
        return;
    RECT frame{};
    GetWindowRect(handle_, &frame);
    popUpMenu(POINT{frame.left + X, frame.top + Y + kMenuDrop});
}

void TForm1::FormContextPopup(HWND, POINT MousePos, bool& Handled)
{
    Handled = true;
    RECT frame{};
    GetWindowRect(handle_, &frame);
    popUpMenu(POINT{frame.left + MousePos.x, frame.top + MousePos.y + kMenuDrop});
}

void TForm1::popUpMenu(POINT at)
{
    const UINT picked = static_cast<UINT>(TrackPopupMenuEx(
        PopupMenu1,
        TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_VERPOSANIMATION, at.x,
        at.y, handle_, nullptr));
    if (picked)
        PostMessageW(handle_, kRunMenuItem, picked, 0);
}

void TForm1::dropFiles(HDROP drop)
{
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    std::optional<std::filesystem::path> path;
    if (count == 1) {
        const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
        std::wstring name(length + 1, L'\0');
        DragQueryFileW(drop, 0, name.data(), length + 1);
        name.resize(length);
        path = std::filesystem::path(name);
    }
    DragFinish(drop);
    // While the about box is up the editor takes no input, dropped files included.
    if (!IsWindowEnabled(handle_))
        return;
    guarded([&] {
        if (!path)
            throw VormoError(u"Drop one plugin file at a time: nothing was opened");
        openFile(*path);
    });
}

} // namespace vormo::win
