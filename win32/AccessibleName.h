// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Screen readers name a control by the static text before it; a control whose label is painted
// on its window instead is named here. The accessibility libraries are loaded only once a
// screen reader asks, so that a start-up pays nothing for them.

#include <windows.h>

#include <string>

namespace vormo::win {

// The name lives as long as the control.
void nameForScreenReaders(HWND control, const std::u16string& name);

} // namespace vormo::win
