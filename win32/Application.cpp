// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "win32/Application.h"

#include "FileCommands.h"
#include "WideText.h"
#include "Win32Files.h"
#include "win32/Resources.h"
#include "win32/TAboutBox.h"
#include "win32/TForm1.h"

#include <commctrl.h>
#include <shellapi.h>

#include <memory>

namespace vormo::win {

Application* App = nullptr;

namespace {

constexpr wchar_t kClassName[] = L"VormoWepApplication";

std::unique_ptr<TForm1> editorWindow;
std::unique_ptr<TAboutBox> aboutWindow;

// The window that should take the activation the task-bar entry hands out.
HWND frontWindow()
{
    if (AboutBox && IsWindowVisible(AboutBox->handle()))
        return AboutBox->handle();
    return Form1 ? Form1->handle() : nullptr;
}

} // namespace

Application::Application(HINSTANCE instance) : instance_(instance)
{
    // Loads the common controls, the hint pop-ups among them; with the manifest, version 6.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = programIcon(instance);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass); // fails harmlessly when a second Application registers it

    // No size and no place of its own: only its task-bar entry is ever seen.
    handle_ = CreateWindowExW(0, kClassName, wide(std::u16string(kApplicationTitle)),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                              GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2,
                              0, 0, nullptr, nullptr, instance, nullptr);
    if (!handle_)
        throw VormoError(u"The program's window could not be created");
    App = this;
    ShowWindow(handle_, SW_SHOWNOACTIVATE);
}

Application::~Application()
{
    // Hide everything at once, then take the windows down, the last created first.
    if (AboutBox)
        ShowWindow(AboutBox->handle(), SW_HIDE);
    if (Form1)
        ShowWindow(Form1->handle(), SW_HIDE);
    aboutWindow.reset();
    AboutBox = nullptr;
    editorWindow.reset();
    Form1 = nullptr;
    DestroyWindow(handle_);
    App = nullptr;
}

void Application::createWindows(int show)
{
    // Each global names its window while the window is built, and none once building failed.
    try {
        editorWindow = std::make_unique<TForm1>(*this);
    } catch (...) {
        Form1 = nullptr;
        throw;
    }
    try {
        aboutWindow = std::make_unique<TAboutBox>(*this);
    } catch (...) {
        AboutBox = nullptr;
        throw;
    }
    // The editor, a fixed tool window, cannot be maximised; minimised, the program keeps only
    // its task-bar entry until it is restored.
    if (show == SW_SHOWMINNOACTIVE || show == SW_SHOWMINIMIZED || show == SW_MINIMIZE)
        ShowWindow(handle_, SW_SHOWMINNOACTIVE);
}

void Application::run()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        dispatchMessage(message);
}

void Application::terminate() { PostQuitMessage(0); }

LRESULT CALLBACK Application::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ACTIVATE:
        // Picking the task-bar entry activates this window; the editor takes it over.
        if (LOWORD(wParam) != WA_INACTIVE) {
            if (HWND front = frontWindow(); front && IsWindowVisible(front)) {
                SetActiveWindow(front);
                return 0;
            }
        }
        break;
    case WM_SIZE:
        // Minimised from the task bar, the program's windows go with its entry, and come back.
        if (wParam == SIZE_MINIMIZED || wParam == SIZE_RESTORED)
            ShowOwnedPopups(window, wParam == SIZE_RESTORED);
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            if (Form1)
                PostMessageW(Form1->handle(), WM_CLOSE, 0, 0);
            return 0;
        }
        break;
    case WM_CLOSE:
        // A close given to the task-bar entry closes the editor, which ends the program.
        if (Form1)
            PostMessageW(Form1->handle(), WM_CLOSE, 0, 0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void reportError(std::u16string_view message)
{
    if (HWND capture = GetCapture())
        SendMessageW(capture, WM_CANCELMODE, 0, 0);
    const HWND active = GetActiveWindow();
    const std::u16string text = withFullStop(message);
    // Task-modal without an owner: every window of the program is disabled while it shows.
    MessageBoxW(nullptr, wide(text), wide(std::u16string(kApplicationTitle)),
                MB_OK | MB_ICONSTOP | MB_TASKMODAL | MB_SETFOREGROUND);
    if (active && IsWindow(active) && IsWindowVisible(active))
        SetActiveWindow(active);
}

void dispatchMessage(MSG& message)
{
    if (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST && message.hwnd) {
        const HWND root = GetAncestor(message.hwnd, GA_ROOT);
        const bool ours =
            (Form1 && root == Form1->handle()) || (AboutBox && root == AboutBox->handle());
        if (ours && IsDialogMessageW(root, &message))
            return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

std::optional<std::filesystem::path> pluginFromCommandLine(const wchar_t* commandLine)
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(commandLine, &count);
    if (!arguments)
        return std::nullopt;
    std::optional<std::filesystem::path> plugin;
    // Absolute now: the save dialog may move the working folder before the plugin is saved.
    if (count == 2)
        plugin = winfile::fullPath(arguments[1]);
    LocalFree(arguments);
    if (count > 2)
        throw VormoError(u"VormoWep.exe opens one plugin at a time; none was opened");
    return plugin;
}

int runProgram(HINSTANCE instance, const wchar_t* commandLine, int show)
{
    guarded([&] {
        Application application(instance);
        application.createWindows(show);
        guarded([&] {
            if (const auto plugin = pluginFromCommandLine(commandLine))
                Form1->openFile(*plugin);
        });
        application.run();
    });
    return 0;
}

} // namespace vormo::win
