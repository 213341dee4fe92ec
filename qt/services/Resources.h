// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The program's pictures, built into the executable. The program icon is 766 bytes of a
// 32 x 32, 16-colour ICO: the application's icon, the editor's icon, the about box's picture
// and what the icon export writes, byte for byte.

#include <QByteArray>
#include <QCursor>
#include <QIcon>
#include <QImage>

namespace vormo {

QByteArray programIconBytes();
QIcon programIcon();

// The icon's picture with its transparency; a null image for bytes of another layout.
QImage decodeProgramIcon(QByteArrayView ico);

// An arrow over a stack of three pages, its hot spot at the arrow's tip: the cursor file the
// Windows client has too.
QCursor dragMultiCursor();

} // namespace vormo
