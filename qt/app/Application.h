// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The program from start to end: the application's title, icon and tooltip timing, creating
// the two windows into their globals, the event loop, and the order of shutdown.

#include <QString>

#include <filesystem>
#include <functional>
#include <new>

namespace vormo {

// Title, version, icon, tooltip timing and the save dialog, on the QApplication that exists.
// No window but Form1 ends the event loop by closing.
void prepareApplication();

// Stores the window in its global before constructing it, so that the global already refers
// to the window while its construction runs. If construction fails, the global goes back to
// nullptr and the error goes on to the caller.
template <typename Form> void createForm(Form*& global)
{
    void* memory = ::operator new(sizeof(Form));
    global = static_cast<Form*>(memory);
    try {
        new (memory) Form();
    } catch (...) {
        global = nullptr;
        ::operator delete(memory);
        throw;
    }
}

// Form1, shown and centred, then AboutBox, hidden. A file named is opened in Form1 before it
// shows, as a dropped plugin is; one that cannot be opened gives its error box and leaves
// Form1 as on a plain start.
void createWindows(const std::filesystem::path& file = {});

// Destroys AboutBox, then Form1.
void destroyWindows();

// Creates the windows and runs the event loop until Form1 closes. An error on the way is
// shown in the error box and ends the program. Returns the exit status, which is always 0.
int runApplication(const std::function<void()>& create = [] { createWindows(); });

} // namespace vormo
