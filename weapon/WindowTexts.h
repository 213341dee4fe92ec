// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The texts and the icon dialog that both front ends' windows show beyond the field table: the
// bullet-types help and the about box.

#include "SaveDialog.h"

#include <span>

namespace vormo {

inline constexpr char16_t kBulletTypesCaption[] = u"Bullet Types...";
inline constexpr char16_t kBulletTypesHelp[] =
    u"Bullet types specifics:\n"
    u" 0)Normal\n"
    u" 1)Direction Type 1:Bitmap is rotated to be aligned with barrel.\n"
    u" 2)Direction Type Steerable:Like Missile, is guided with left/right while weapon is alive\n"
    u"  and that weapon is selected.\n"
    u" 3)Direction Type 2:So far as I can tell, the weapon moves randomly until it detonates.";

inline constexpr char16_t kAboutCaption[] = u"About...";
inline constexpr char16_t kAboutPanelHint[] = u"Quit touching me!";
inline constexpr char16_t kAboutIconHint[] = u"Double click to save this";

// The about box's labels in Panel1, in their order; Comments wraps at kAboutCommentsWidth.
struct AboutLabel {
    const char* name;
    int left, top;
    const char16_t* text;
};
std::span<const AboutLabel> aboutLabels();
inline constexpr int kAboutCommentsWidth = 248;

// The settings of the about box's icon save dialog when the box is created.
SaveDialogSettings iconSaveDialogSettings();

} // namespace vormo
