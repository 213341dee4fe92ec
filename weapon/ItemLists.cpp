// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ItemLists.h"

namespace vormo {
namespace {

ItemList particles(const char16_t* none)
{
    return {none,
            u"1:Player 1-colored worm pieces",
            u"2:Player 2-colored worm pieces",
            u"3:Harmless particles",
            u"4:Light-damage particles",
            u"5:Medium-damage particles",
            u"6:Heavy-damage particles",
            u"7:Blood",
            u"8:Shells",
            u"9:Clusterbomb-style minibombs",
            u"10:Large-Nuke-style minibombs",
            u"11:Hellraider-style minibombs",
            u"12:Small-Nuke-style minibombs",
            u"13:Napalm-style flaming minibombs",
            u"14:Dirt particles",
            u"15:Chiquita-bomb-style minibombs",
            u"16:Grasshopper 1",
            u"17:Grasshopper 2",
            u"18:Grasshopper 3",
            u"19:Grasshopper 4",
            u"20:Grasshopper 5",
            u"21:Player 1 flag",
            u"22:Player 2 flag",
            u"23:Grasshopper 6",
            u"24:Grasshopper 7"};
}

} // namespace

const ItemList& itemList(ItemListId id)
{
    static const ItemList none;
    static const ItemList explosion{u"0:None",
                                    u"1:Large Explosion",
                                    u"2:Medium Explosion",
                                    u"3:Small Explosion",
                                    u"4:Hellraider-style Smoke",
                                    u"5:Zimm flash",
                                    u"6:Nuke-style Smoke",
                                    u"7:Flashing Pixel",
                                    u"8:Teleport Flash [buggy]",
                                    u"9:Small Explosion (silent)"};
    static const ItemList mapEffect{u"0:Default",
                                    u"1:Large hole",
                                    u"2:Medium hole",
                                    u"3:Small hole",
                                    u"4:Small hole (More destruction?)",
                                    u"5:Dirtball (Creates dirt)",
                                    u"6:Small Hole (Super destruction?)",
                                    u"7:Greenball (Creates dirt)"};
    static const ItemList particle = particles(u"0:None");
    static const ItemList splinterParticle = particles(u"0None");
    static const ItemList sound{
        u"0:None",       u"1:SHOTGUN",   u"2:SHOT",    u"3:RIFLE",     u"4:BAZOOKA", u"5:BLASTER",
        u"6:THROW",      u"7:LARPA",     u"8:EXP3A",   u"9:EXP3B",     u"10:EXP2",   u"11:EXP3",
        u"12:EXP4",      u"13:EXP5",     u"14:DIRT",   u"15:BUMP",     u"16:DEATH1", u"17:DEATH2",
        u"18:DEATH3",    u"19:HURT1",    u"20:HURT2",  u"21:HURT3",    u"22:ALIVE",  u"23:BEGIN",
        u"24:DROPSHELL", u"25:RELOADED", u"26:MOVEUP", u"27:MOVEDOWN", u"28:SELECT", u"29:BOING",
        u"30:BURNER"};
    static const ItemList shellFrequency{u"0:Never", u"1:Always", u"2:Usually", u"3:Often",
                                         u"4:Rarely"};
    static const ItemList bulletType{u"0:Normal", u"1:Direct1", u"2:Steer", u"3:Direct3",
                                     u"4:Laser"};

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
