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

// The program icon as an icon file holds it, rebuilt byte for byte from the icon group
// MAINICON and its images; empty when the executable has none.
std::string programIconBytes(HINSTANCE instance);

} // namespace vormo::win
