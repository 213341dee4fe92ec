// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "win32/TAboutBox.h"

#include "Errors.h"
#include "SafeFile.h"
#include "WideText.h"
#include "WindowProc.h"
#include "WindowTexts.h"
#include "win32/Application.h"
#include "win32/Resources.h"
#include "win32/TForm1.h"

#include <windowsx.h>

#include <algorithm>

namespace vormo::win {

TAboutBox* AboutBox = nullptr;

namespace {

constexpr wchar_t kClassName[] = L"TAboutBox";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int kClientWidth = 298, kClientHeight = 213;
constexpr RECT kPanel1{8, 8, 8 + 281, 8 + 161};
constexpr UINT_PTR kPanelHint = 1;

enum ControlId { kProgramIcon = 100, kProductName, kVersion, kNotice, kComments };

// The labels' control identifiers follow kProductName in their order.
int labelId(std::size_t index) { return kProductName + int(index); }

} // namespace

TAboutBox::TAboutBox(Application& owner)
    : IconSaveDlg(iconSaveDialogSettings()), instance_(owner.instance())
{
    AboutBox = this;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = routeMessage<TAboutBox>;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);

    handle_ = CreateWindowExW(kExStyle, kClassName, wide(kAboutCaption), kStyle, 0, 0, 0, 0,
                              owner.handle(), nullptr, instance_, this);
    if (!handle_)
        throw VormoError(u"The about box could not be created");
    hints_ = std::make_unique<Hints>(handle_, instance_);
    dialogRunner_.setOwner(handle_);
    IconSaveDlg.setRunner(&dialogRunner_);

    HWND icon =
        addControl(L"STATIC", u"", WS_VISIBLE | SS_ICON | SS_NOTIFY | SS_CENTERIMAGE, kProgramIcon);
    SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(programIcon(instance_)), 0);
    hints_->add(icon, kAboutIconHint);
    for (std::size_t i = 0; i < aboutLabels().size(); ++i)
        addControl(L"STATIC", aboutLabels()[i].text, WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                   labelId(i));
    addControl(L"BUTTON", u"OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK);
    layOut(screenDpi());
}

void TAboutBox::layOut(int dpi)
{
    WindowFont font = createWindowFont(dpi);
    const Scale sized = font.scale;
    const auto place = [&](HWND control, RECT area) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.regular), FALSE);
        SetWindowPos(control, nullptr, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    const auto inPanel = [&](int left, int top, int width, int height) {
        return sized.rect(kPanel1.left + left, kPanel1.top + top, width, height);
    };
    place(control(u"ProgramIcon"), inPanel(8, 8, 32, 32));
    for (std::size_t i = 0; i < aboutLabels().size(); ++i) {
        const AboutLabel& label = aboutLabels()[i];
        const bool wraps = labelId(i) == kComments;
        RECT area = inPanel(label.left, label.top, wraps ? kAboutCommentsWidth : 0, 13);
        if (wraps) {
            // Three lines of 13 pixels at the design size: as many as the text takes.
            HDC dc = GetDC(handle_);
            HGDIOBJ old = SelectObject(dc, font.regular);
            RECT measured = area;
            DrawTextW(dc, wide(label.text), -1, &measured,
                      DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
            SelectObject(dc, old);
            ReleaseDC(handle_, dc);
            area.bottom = measured.bottom;
        } else {
            area.right = area.left + textWidth(font.regular, wide(std::u16string(label.text)));
        }
        place(GetDlgItem(handle_, labelId(i)), area);
    }
    place(control(u"OKButton"), sized.rect(111, 180, 75, 25));
    deleteWindowFont(font_);
    font_ = font;

    // The labels let the mouse through to the box, which shows the panel's hint and cursor.
    hints_->remove(kPanelHint);
    hints_->add(kPanelHint, panel(), kAboutPanelHint);
    RECT frame{0, 0, sized(kClientWidth), sized(kClientHeight)};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    SetWindowPos(handle_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(handle_, nullptr, TRUE);
}

TAboutBox::~TAboutBox()
{
    hints_.reset();
    if (handle_)
        DestroyWindow(handle_);
    deleteWindowFont(font_);
    if (AboutBox == this)
        AboutBox = nullptr;
}

HWND TAboutBox::addControl(const wchar_t* className, const std::u16string& text, DWORD style,
                           int id)
{
    HWND control = CreateWindowExW(0, className, wide(text), WS_CHILD | style, 0, 0, 0, 0, handle_,
                                   reinterpret_cast<HMENU>(INT_PTR(id)), instance_, nullptr);
    if (!control)
        throw VormoError(u"The about box could not be created");
    return control;
}

HWND TAboutBox::control(std::u16string_view name) const
{
    if (name == u"ProgramIcon")
        return GetDlgItem(handle_, kProgramIcon);
    if (name == u"OKButton")
        return GetDlgItem(handle_, IDOK);
    for (std::size_t i = 0; i < aboutLabels().size(); ++i) {
        if (name == ascii(aboutLabels()[i].name))
            return GetDlgItem(handle_, labelId(i));
    }
    return nullptr;
}

RECT TAboutBox::panel() const
{
    return font_.scale.rect(kPanel1.left, kPanel1.top, kPanel1.right - kPanel1.left,
                            kPanel1.bottom - kPanel1.top);
}

void TAboutBox::showBox()
{
    if (!shownBefore_) {
        // Centred on the screen the first time; later it comes back where it was left.
        RECT frame{};
        GetWindowRect(handle_, &frame);
        const int left =
            std::max<int>(0, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2);
        const int top =
            std::max<int>(0, (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2);
        SetWindowPos(handle_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        shownBefore_ = true;
    }
    ShowWindow(handle_, SW_SHOW);
    SetForegroundWindow(handle_);
    SetActiveWindow(handle_);
    SetFocus(control(u"OKButton"));
}

void TAboutBox::OKButtonClick(HWND)
{
    if (Form1)
        EnableWindow(Form1->handle(), TRUE);
    ShowWindow(handle_, SW_HIDE);
    if (Form1 && IsWindowVisible(Form1->handle()))
        SetActiveWindow(Form1->handle());
}

void TAboutBox::ProgramIconDblClick(HWND)
{
    if (!IconSaveDlg.Execute())
        return;
    const std::string icon = programIconBytes();
    // The file it replaces stays whole until every byte is written.
    saveFileSafely(IconSaveDlg.FileName(), icon, messages::streamWriteError());
}

LRESULT TAboutBox::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        // Enter and the OK button; Escape (IDCANCEL) does nothing.
        if (LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED)
            guarded([&] { OKButtonClick(control(u"OKButton")); });
        else if (LOWORD(wParam) == kProgramIcon && HIWORD(wParam) == STN_DBLCLK)
            guarded([&] { ProgramIconDblClick(reinterpret_cast<HWND>(lParam)); });
        return 0;
    case WM_SETCURSOR: {
        HWND under = reinterpret_cast<HWND>(wParam);
        if (under == control(u"ProgramIcon")) {
            SetCursor(LoadCursorW(nullptr, IDC_HELP));
            return TRUE;
        }
        POINT at{};
        GetCursorPos(&at);
        ScreenToClient(handle_, &at);
        const RECT area = panel();
        if (under == handle_ && LOWORD(lParam) == HTCLIENT && PtInRect(&area, at)) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            SetFocus(control(u"OKButton"));
            return 0;
        }
        break;
    case WM_DPICHANGED: {
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        layOut(HIWORD(wParam));
        SetWindowPos(handle_, nullptr, suggested.left, suggested.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(handle_, &paint);
        RECT area = panel();
        DrawEdge(dc, &area, BDR_SUNKENOUTER, BF_RECT);
        EndPaint(handle_, &paint);
        return 0;
    }
    case WM_CLOSE:
        // No caption buttons, no Escape: only OK takes the box away.
        return 0;
    default:
        break;
    }
    return DefWindowProcW(handle_, message, wParam, lParam);
}

} // namespace vormo::win
