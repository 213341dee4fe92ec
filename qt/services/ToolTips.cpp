// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ToolTips.h"

#include <QApplication>

namespace vormo {

int ToolTipStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const
{
    switch (hint) {
    case SH_ToolTip_WakeUpDelay:
        return kToolTipWakeUpMs;
    case SH_ToolTip_FallAsleepDelay:
        return kToolTipFallAsleepMs;
    default:
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
}

void applyToolTipTiming()
{
    if (!qobject_cast<ToolTipStyle*>(QApplication::style()))
        QApplication::setStyle(new ToolTipStyle(QApplication::style()->name()));
}

} // namespace vormo
