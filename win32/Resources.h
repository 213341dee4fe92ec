// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the program takes from its executable's resources. An executable built without them
// still runs, with the system's standard icon and arrow.

#include <windows.h>

#include <string>

namespace vormo::win {

HICON programIcon(HINSTANCE instance);
HCURSOR dragMultiCursor(HINSTANCE instance);

// The program icon file's bytes, as stored: an icon resource keeps neither its directory's
// plane count nor its bit count as the file has them.
extern const char kProgramIconFile[766];
std::string programIconBytes();

} // namespace vormo::win
