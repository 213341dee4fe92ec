// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The vocabularies offered by the combo boxes. The number before the colon is what a plugin
// records; the rest is a caption for the player.

#include <QStringList>

namespace vormo {

enum class ItemListId {
    None,
    Explosion,
    MapEffect,
    Particle,
    SplinterParticle, // the particle list as SplinterType offers it: "0None" first
    Sound,
    ShellFrequency,
    BulletType,
};

const QStringList& itemList(ItemListId id);

} // namespace vormo
