// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace vormo {

// Where a window of the given outer size stands when centred on the virtual desktop: half of
// the room left over on each axis, truncated, never left of or above the desktop.
QPoint centredOnDesktop(const QRect& desktop, const QSize& outerSize);

} // namespace vormo
