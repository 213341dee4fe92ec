// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>

class QWidget;

namespace vormo {

// Where a window of the given outer size stands when centred on the virtual desktop: half of
// the room left over on each axis, truncated, never left of or above the desktop.
QPoint centredOnDesktop(const QRect& desktop, const QSize& outerSize);

// Centres the top-level window by its outer frame on desktop() when it is first shown. A frame
// learnt only once the window manager has framed the window centres it again, until the window
// is moved by anyone else; after that it stays where it is put.
void centreWhenFirstShown(QWidget& window, std::function<QRect()> desktop);

} // namespace vormo
