// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DocumentControl.h"

namespace vormo {

DocumentControl::DocumentControl(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setVisible(false);
}

} // namespace vormo
