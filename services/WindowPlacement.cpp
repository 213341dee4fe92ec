// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WindowPlacement.h"

#include <algorithm>

namespace vormo {

QPoint centredOnDesktop(const QRect& desktop, const QSize& outerSize)
{
    const int left = std::max(0, (desktop.width() - outerSize.width()) / 2);
    const int top = std::max(0, (desktop.height() - outerSize.height()) / 2);
    return desktop.topLeft() + QPoint(left, top);
}

} // namespace vormo
