// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The vocabularies offered by the combo boxes. The number before the colon is what a plugin
// records; the rest is a caption for the player.

#include <string>
#include <vector>

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

using ItemList = std::vector<std::u16string>;

const ItemList& itemList(ItemListId id);

} // namespace vormo
