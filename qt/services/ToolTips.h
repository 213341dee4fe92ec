// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Tooltip timing for every window of the program: a hint shows once the pointer has rested
// for half a second, and is taken down after two and a half.

#include <QProxyStyle>

namespace vormo {

inline constexpr int kToolTipWakeUpMs = 500;
inline constexpr int kToolTipDisplayMs = 2500;

// Qt shows the next tip 20 ms after moving to another control while one is up, as long as
// the previous tip was shown less than this long ago.
inline constexpr int kToolTipFallAsleepMs = kToolTipDisplayMs;

class ToolTipStyle final : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;
};

// Wraps the application's style in a ToolTipStyle (once).
void applyToolTipTiming();

} // namespace vormo
