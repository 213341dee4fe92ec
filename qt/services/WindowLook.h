// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The editor window's font: "MS Sans Serif" 8 pt, characters 11 pixels high. Where that font
// is missing, a sans-serif one of the same height stands in, narrowed just enough that every
// label's caption fits the room the layout gives it.

#include <QFont>

class QWidget;

namespace vormo {

inline constexpr int kEditorFontPixelSize = 11;

QFont editorFont();
QFont boldEditorFont();

// The look both windows share: the editor font on the system's button-face colour.
void useWindowLook(QWidget& window);

} // namespace vormo
