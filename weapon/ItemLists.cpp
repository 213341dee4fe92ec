// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ItemLists.h"

namespace vormo {
namespace {

QStringList particles(const char* none)
{
    return {QString::fromLatin1(none),
            "1:Player 1-colored worm pieces",
            "2:Player 2-colored worm pieces",
            "3:Harmless particles",
            "4:Light-damage particles",
            "5:Medium-damage particles",
            "6:Heavy-damage particles",
            "7:Blood",
            "8:Shells",
            "9:Clusterbomb-style minibombs",
            "10:Large-Nuke-style minibombs",
            "11:Hellraider-style minibombs",
            "12:Small-Nuke-style minibombs",
            "13:Napalm-style flaming minibombs",
            "14:Dirt particles",
            "15:Chiquita-bomb-style minibombs",
            "16:Grasshopper 1",
            "17:Grasshopper 2",
            "18:Grasshopper 3",
            "19:Grasshopper 4",
            "20:Grasshopper 5",
            "21:Player 1 flag",
            "22:Player 2 flag",
            "23:Grasshopper 6",
            "24:Grasshopper 7"};
}

} // namespace

const QStringList& itemList(ItemListId id)
{
    static const QStringList none;
    static const QStringList explosion{"0:None",
                                       "1:Large Explosion",
                                       "2:Medium Explosion",
                                       "3:Small Explosion",
                                       "4:Hellraider-style Smoke",
                                       "5:Zimm flash",
                                       "6:Nuke-style Smoke",
                                       "7:Flashing Pixel",
                                       "8:Teleport Flash [buggy]",
                                       "9:Small Explosion (silent)"};
    static const QStringList mapEffect{"0:Default",
                                       "1:Large hole",
                                       "2:Medium hole",
                                       "3:Small hole",
                                       "4:Small hole (More destruction?)",
                                       "5:Dirtball (Creates dirt)",
                                       "6:Small Hole (Super destruction?)",
                                       "7:Greenball (Creates dirt)"};
    static const QStringList particle = particles("0:None");
    static const QStringList splinterParticle = particles("0None");
    static const QStringList sound{
        "0:None",       "1:SHOTGUN",   "2:SHOT",    "3:RIFLE",     "4:BAZOOKA", "5:BLASTER",
        "6:THROW",      "7:LARPA",     "8:EXP3A",   "9:EXP3B",     "10:EXP2",   "11:EXP3",
        "12:EXP4",      "13:EXP5",     "14:DIRT",   "15:BUMP",     "16:DEATH1", "17:DEATH2",
        "18:DEATH3",    "19:HURT1",    "20:HURT2",  "21:HURT3",    "22:ALIVE",  "23:BEGIN",
        "24:DROPSHELL", "25:RELOADED", "26:MOVEUP", "27:MOVEDOWN", "28:SELECT", "29:BOING",
        "30:BURNER"};
    static const QStringList shellFrequency{"0:Never", "1:Always", "2:Usually", "3:Often",
                                            "4:Rarely"};
    static const QStringList bulletType{"0:Normal", "1:Direct1", "2:Steer", "3:Direct3", "4:Laser"};

    switch (id) {
    case ItemListId::None:
        return none;
    case ItemListId::Explosion:
        return explosion;
    case ItemListId::MapEffect:
        return mapEffect;
    case ItemListId::Particle:
        return particle;
    case ItemListId::SplinterParticle:
        return splinterParticle;
    case ItemListId::Sound:
        return sound;
    case ItemListId::ShellFrequency:
        return shellFrequency;
    case ItemListId::BulletType:
        return bulletType;
    }
    return none;
}

} // namespace vormo
