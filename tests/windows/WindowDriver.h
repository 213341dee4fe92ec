// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Drives the real windows of the program in this process as a player would: keys and clicks
// as messages, and modal loops (message boxes, dialogs, the pop-up menu) answered from a
// thread timer that fires inside them.

#include "Application.h"
#include "DependentRules.h"
#include "FileCommands.h"
#include "TAboutBox.h"
#include "TForm1.h"
#include "WideText.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

namespace vormo::test {

using namespace vormo::win;

inline void pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam)); // kept for whoever checks
            return;
        }
        dispatchMessage(message);
    }
}

inline bool quitPosted()
{
    MSG message;
    return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

// A fresh program: the put-aside values and the current file name as at start.
struct Session {
    Session()
    {
        putAsideValues() = PutAsideValues{};
        app = std::make_unique<Application>(GetModuleHandleW(nullptr));
        app->createWindows();
        pump();
    }
    ~Session()
    {
        app.reset();
        pump();
        quitPosted();
    }
    std::unique_ptr<Application> app;
};

inline HWND control(std::u16string_view name) { return Form1->control(name); }

inline std::string className(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

inline HWND editOf(HWND window)
{
    if (className(window) != "ComboBox")
        return window;
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(window, &info);
    return info.hwndItem;
}

// Posts a key to the focused control and lets the loop take it, dialog keys included.
inline void press(UINT key)
{
    HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
    pump();
}

// Selects the whole text and types text over it, one character at a time.
inline void typeOver(HWND window, const std::u16string& text)
{
    HWND edit = editOf(window);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    if (text.empty())
        SendMessageW(edit, WM_CHAR, VK_BACK, 1);
    for (char16_t c : text)
        SendMessageW(edit, WM_CHAR, c, 1);
    pump();
}

// Picks item of a combo box's list with the arrow keys, as from the keyboard.
inline void pick(HWND combo, int item)
{
    SetFocus(editOf(combo));
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    const bool fromBelow = item + 1 < count;
    SendMessageW(combo, CB_SETCURSEL, fromBelow ? item + 1 : item - 1, 0);
    SendMessageW(editOf(combo), WM_KEYDOWN, fromBelow ? VK_UP : VK_DOWN, 1);
    pump();
}

inline int findItem(HWND combo, const std::u16string& text)
{
    return static_cast<int>(
        SendMessageW(combo, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(wide(text))));
}

inline void click(HWND button)
{
    SendMessageW(button, BM_CLICK, 0, 0);
    pump();
}

inline bool checked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

inline RECT clientRect(HWND window)
{
    RECT area{};
    GetWindowRect(window, &area);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&area), 2);
    return area;
}

// While action runs, the first visible window of the given class that this thread shows is
// handed to answer, inside the modal loop that shows it. A window still up 5 s after its
// answer is cancelled, so that a broken answer fails the test instead of hanging it.
struct ModalAnswer {
    const wchar_t* windowClass;
    std::function<void(HWND)> answer;
    HWND answered = nullptr;
    std::chrono::steady_clock::time_point since;
};
inline ModalAnswer*& currentAnswer()
{
    static ModalAnswer* answer = nullptr;
    return answer;
}

inline BOOL CALLBACK findModal(HWND window, LPARAM found)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (IsWindowVisible(window) && lstrcmpW(name, currentAnswer()->windowClass) == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

inline void CALLBACK answerModal(HWND, UINT, UINT_PTR, DWORD)
{
    ModalAnswer* pending = currentAnswer();
    if (!pending)
        return;
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findModal, reinterpret_cast<LPARAM>(&found));
    if (!found)
        return;
    if (!pending->answered) {
        pending->answered = found;
        pending->since = std::chrono::steady_clock::now();
        pending->answer(found);
    } else if (std::chrono::steady_clock::now() - pending->since > std::chrono::seconds(5)) {
        EndMenu();
        PostMessageW(found, WM_COMMAND, IDCANCEL, 0);
        PostMessageW(found, WM_KEYDOWN, VK_ESCAPE, 1);
    }
}

// Returns whether such a window showed.
inline bool whileShown(const wchar_t* windowClass, std::function<void(HWND)> answer,
                       const std::function<void()>& action)
{
    ModalAnswer pending{windowClass, std::move(answer), nullptr, {}};
    currentAnswer() = &pending;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, answerModal);
    action();
    KillTimer(nullptr, timer);
    currentAnswer() = nullptr;
    pump();
    return pending.answered != nullptr;
}

// A message box's caption and text, read while it shows; then OK.
struct MessageBoxSeen {
    std::u16string caption, text;
    bool editorEnabled = true;
};
inline MessageBoxSeen messageBoxOf(const std::function<void()>& action)
{
    MessageBoxSeen seen;
    const bool shown = whileShown(
        L"#32770",
        [&](HWND box) {
            seen.caption = windowText(box);
            seen.text = windowText(GetDlgItem(box, 0xFFFF));
            seen.editorEnabled = IsWindowEnabled(Form1->handle());
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        },
        action);
    if (!shown)
        seen.caption = u"(none)";
    return seen;
}

// A save dialog whose answer the test gives: a path, or a cancel when empty.
struct ScriptedDialog final : SaveDialogRunner {
    std::filesystem::path answer;
    int runs = 0;
    std::optional<SaveDialogAnswer> run(const SaveDialogSettings& settings) override
    {
        ++runs;
        if (answer.empty())
            return std::nullopt;
        return SaveDialogAnswer{answer, settings.filterIndex};
    }
};

inline std::string contents(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : std::string("(none)");
}

inline std::string fixture(const char* name)
{
    return contents(std::filesystem::path(VORMO_TEST_DATA) / name);
}

// A fresh folder for one test.
struct TempDir {
    TempDir()
    {
        path = std::filesystem::temp_directory_path() /
               ("vormo-win-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(counter()++));
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TempDir()
    {
        std::error_code ignored;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path, ignored))
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        std::filesystem::remove_all(path, ignored);
    }
    static int& counter()
    {
        static int next = 0;
        return next;
    }
    std::filesystem::path operator/(const std::u16string& name) const { return path / name; }
    std::filesystem::path path;
};

} // namespace vormo::test
