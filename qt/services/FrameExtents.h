// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMargins>

#include <functional>

class QObject;
class QWidget;

namespace vormo {

// The frame the window manager will put around the top-level window, asked for before the
// window is first mapped; none where the platform cannot tell in advance (no window manager,
// one that does not answer, or not X11). Blocks for at most a fifth of a second.
QMargins expectedFrameMargins(QWidget& window);

// Calls framed with the frame the window manager reports around the top-level window each time
// it sets one (X11), for as long as owner lives; never where the platform does not tell.
void watchFrameMargins(QWidget& window, QObject& owner, std::function<void(QMargins)> framed);

} // namespace vormo
