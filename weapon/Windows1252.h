// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Plugins are 8-bit text in the ANSI code page of the desktop the game runs on, Windows-1252.
// The fields hold Unicode; these are the only conversions between the two.

#include <string>
#include <string_view>

namespace vormo {

// Each character of Windows-1252 becomes its byte; any other character (a surrogate pair
// counts as one) becomes "?", as the system's own conversion does.
std::string toWindows1252(std::u16string_view text);

// Every byte has a character: the five bytes Windows-1252 leaves unassigned (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to the control characters of the same number, so text read this
// way converts back to the same bytes.
std::u16string fromWindows1252(std::string_view bytes);

} // namespace vormo
