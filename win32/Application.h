// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The program's shell: the application window that names the task-bar entry, the two windows,
// the message loop, and the error box every failed command ends in.

#include "Errors.h"

#include <windows.h>

#include <filesystem>
#include <new>
#include <optional>
#include <string_view>

namespace vormo::win {

class TForm1;
class TAboutBox;

// The application's own top-level window is never seen itself: it carries the task-bar entry
// under the application title and owns the program's windows, as the editor is a tool window.
class Application {
public:
    explicit Application(HINSTANCE instance);
    ~Application(); // the about box first, then the editor, then this window
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    HINSTANCE instance() const { return instance_; }
    HWND handle() const { return handle_; }

    // Form1, shown, then AboutBox, hidden. A minimised start leaves the program in the task bar.
    void createWindows(int show = SW_SHOWNORMAL);
    // Until the editor window closes.
    void run();
    // Posts the quit message the loop ends on.
    void terminate();

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    HWND handle_ = nullptr;
};

extern Application* App;

// Shows message in the error box: full-stop rule, application title, stop icon, one OK button,
// every other window of the program disabled until it is dismissed.
void reportError(std::u16string_view message);

// Runs a command; whatever it throws ends the command in the error box, never in the loop.
template <typename Command> void guarded(Command&& command) noexcept
{
    try {
        command();
    } catch (const VormoError& error) {
        reportError(error.message());
    } catch (const std::bad_alloc&) {
        reportError(u"There is not enough memory to finish this command");
    } catch (const std::exception& error) {
        reportError(fromUtf8(error.what()));
    } catch (...) {
        reportError(u"The command failed for an unknown reason");
    }
}

// Tab, the arrow keys, Enter and Escape as a dialog takes them, in either of the program's
// windows; then the usual translation and dispatch.
void dispatchMessage(MSG& message);

// The plugin VormoWep.exe was started with: none, or the one path after the program's name.
// Throws VormoError when more than one is given.
std::optional<std::filesystem::path> pluginFromCommandLine(const wchar_t* commandLine);

// The whole run of the program, as wWinMain hands it over; always 0.
int runProgram(HINSTANCE instance, const wchar_t* commandLine, int show = SW_SHOWNORMAL);

} // namespace vormo::win
