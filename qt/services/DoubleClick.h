// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Double clicks on controls that have no signal for them (labels, pictures).

#include <functional>

class QWidget;

namespace vormo {

// Runs handler when widget, enabled, is double-clicked with the left button. The double click
// goes no further; a single click is left alone.
void onDoubleClick(QWidget* widget, std::function<void()> handler);

} // namespace vormo
