// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FieldTable.h"

#include "Text.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>

namespace vormo {
namespace {

using K = FieldKind;
using R = ValueRule;
using L = ItemListId;

// Rows are 24 pixels apart from y 8; edit and combo boxes are 81 x 21, check boxes 17 x 17.
constexpr int row(int r) { return 8 + 24 * r; }
constexpr Rect box(int x, int r) { return {x, row(r), 81, 21}; }
constexpr Rect tick(int x, int r) { return {x, row(r), 17, 17}; }

// clang-format off
const std::array<FieldDef, kFieldCount> kFields{{
    // name           kind     default      chk    enabled key               rule                  line items                 geometry
    {"Name",          K::Edit,  "NAME",      false, true,  "NAME",            R::Text,              4,  L::None,             box(48, 0)},
    {"Dist",          K::Edit,  "0",         false, true,  "DISTRIBUTION",    R::Text,              15, L::None,             box(48, 1)},
    {"NumFire",       K::Edit,  "0",         false, true,  "NUMOBJECTS",      R::Text,              35, L::None,             box(48, 2)},
    {"Spd",           K::Edit,  "0",         false, true,  "SPEED",           R::Text,              40, L::None,             box(48, 3)},
    {"PlsAcc",        K::Edit,  "0",         false, true,  "ACCADD",          R::Text,              5,  L::None,             box(48, 4)},
    {"MultAcc",       K::Edit,  "100",       false, true,  "ACCMULTIPLY",     R::Text,              41, L::None,             box(48, 5)},
    {"Recoil",        K::Edit,  "0",         false, true,  "RECOIL",          R::Text,              36, L::None,             box(48, 6)},
    {"HitFrc",        K::Edit,  "0",         false, true,  "BLOW",            R::Text,              9,  L::None,             box(48, 7)},
    {"MltBnce",       K::Edit,  "100",       false, true,  "BOUNCE",          R::Text,              42, L::None,             box(48, 8)},
    {"Damage",        K::Edit,  "0",         false, true,  "HITDAMAGE",       R::Text,              22, L::None,             box(48, 9)},
    {"DetType",       K::Combo, "0:None",    false, true,  "CREATEONHIT",     R::Prefix,            23, L::Explosion,        box(48, 10)},
    {"DetTim",        K::Edit,  "0",         false, true,  "TIMETOEXPLODE",   R::Text,              48, L::None,             box(48, 11)},
    {"DetVar",        K::Edit,  "0",         false, true,  "TIMETOEXPLODEV",  R::Text,              49, L::None,             box(48, 12)},
    {"WrmRng",        K::Edit,  "0",         false, true,  "WORMDETECTRANGE", R::Text,              17, L::None,             box(48, 13)},
    {"RemOnHit",      K::Check, nullptr,     false, true,  "WORMREMOVE",      R::Check,             12, L::None,             tick(248, 0)},
    {"DetOnGrnd",     K::Check, nullptr,     false, true,  "GROUNDEXPLODE",   R::Check,             13, L::None,             tick(248, 1)},
    {"DetOnWrm",      K::Check, nullptr,     false, true,  "WORMEXPLODE",     R::Check,             18, L::None,             tick(248, 2)},
    {"Blood",         K::Edit,  "0",         false, true,  "BLOOD",           R::Text,              8,  L::None,             box(184, 3)},
    {"HitObjs",       K::Check, nullptr,     false, true,  "OBJECTCOLLIDE",   R::Check,             14, L::None,             Rect{249, row(4), 16, 17}},
    {"DetsAffect",    K::Check, nullptr,     false, true,  "EXPLODEAFFECT",   R::Check,             16, L::None,             tick(248, 5)},
    {"WrmAffects",    K::Check, nullptr,     false, true,  "WORMAFFECT",      R::Check,             6,  L::None,             tick(248, 6)},
    {"Grav",          K::Edit,  "0",         false, true,  "GRAVITY",         R::Text,              21, L::None,             box(184, 7)},
    {"LoadTime",      K::Edit,  "500",       false, true,  "LOADINGTIME",     R::Text,              31, L::None,             box(184, 8)},
    {"ShotsPer",      K::Edit,  "1",         false, true,  "AMMO",            R::Text,              7,  L::None,             box(184, 9)},
    {"Delay",         K::Edit,  "0",         false, true,  "SHOTDELAY",       R::Text,              11, L::None,             box(184, 10)},
    {"SightOn",       K::Check, nullptr,     false, true,  "LASERSIGHT",      R::Check,             28, L::None,             tick(248, 11)},
    {"DropShells",    K::Combo, "0:Never",   false, true,  "LEAVESHELLS",     R::Prefix,            30, L::ShellFrequency,   box(184, 12)},
    {"FireCone",      K::Edit,  "0",         false, true,  "FIRECONE",        R::Text,              20, L::None,             box(184, 13)},
    {"EffectOnMap",   K::Combo, "0:Default", false, true,  "MAPCHANGE",       R::Prefix,            24, L::MapEffect,        box(312, 0)},
    {"SplintCount",   K::Edit,  "0",         false, true,  "SPLINTERAMOUNT",  R::Text,              43, L::None,             box(312, 1)},
    {"SplintCol",     K::Edit,  "0",         false, false, "SPLINTERCOLOR",   R::Text,              44, L::None,             box(312, 2)},
    {"SplinterType",  K::Combo, "0:None",    false, false, "SPLINTERTYPE",    R::Prefix,            46, L::SplinterParticle, box(312, 3)},
    {"Scatter",       K::Check, nullptr,     true,  false, "SPLINTERSTYPE",   R::InvertedCheck,     45, L::None,             tick(376, 4)},
    {"TrailType",     K::Combo, "0:None",    false, true,  "OTRAILTYPE",      R::Prefix,            39, L::Explosion,        box(312, 5)},
    {"TrailDelay",    K::Edit,  "1",         false, false, "OTRAILDELAY",     R::Text,              38, L::None,             box(312, 6)},
    {"ParticleType",  K::Combo, "0:None",    false, true,  "PTRAILPTYPE",     R::Prefix,            26, L::Particle,         box(312, 7)},
    {"PartDelay",     K::Edit,  "1",         false, false, "PTRAILDELAY",     R::Text,              25, L::None,             box(312, 8)},
    {"LarpaTrail",    K::Check, nullptr,     false, false, "PTRAILTYPE",      R::Check,             27, L::None,             tick(376, 9)},
    {"FireSnd",       K::Combo, "0:None",    false, true,  "SOUNDLAUNCH",     R::Prefix,            29, L::Sound,            box(312, 10)},
    {"ReptFire",      K::Check, nullptr,     false, true,  "SOUNDLOOP",       R::Check,             33, L::None,             tick(376, 11)},
    {"DetSnd",        K::Combo, "0:None",    false, true,  "SOUNDEXPLODE",    R::Prefix,            19, L::Sound,            box(312, 12)},
    {"BulletType",    K::Combo, "0:Normal",  false, true,  "SHOTTYPE",        R::Prefix,            37, L::BulletType,       box(312, 13)},
    {"BulletColor",   K::Edit,  "0",         false, true,  "BULLETCOLOR",     R::Text,              10, L::None,             box(440, 0)},
    {"FirstFrame",    K::Edit,  "-1",        false, false, nullptr,           R::None,              0,  L::None,             box(440, 1)},
    {"NumFrames",     K::Edit,  "0",         false, false, "ANIMFRAMES",      R::Text,              34, L::None,             box(440, 2)},
    {"LoopAnim",      K::Check, nullptr,     false, false, "ANIMLOOP",        R::CheckedAndEnabled, 32, L::None,             tick(504, 3)},
    {"BulletBox",     K::Check, nullptr,     true,  true,  "ANIMSFRAME",      R::BulletFrame,       47, L::None,             Rect{504, 96, 17, 17}},
}};

constexpr Rect caption(int x, int y, int width) { return {x, y, width, 13}; }

const std::array<LabelDef, kLabelCount> kLabels{{
    // name      caption                     field           geometry                       enabled hint   hint text
    {"Label1",  "Name",                     "Name",         caption(0, row(0), 28),    true,  true,  "Weapon name", false},
    {"Label2",  "Distrib",                  "Dist",         caption(0, row(1), 29),    true,  true,  "Distribution", false},
    {"Label3",  "Number",                   "NumFire",      caption(0, row(2), 37),    true,  true,  "Number of Objects to fire at once", false},
    {"Label4",  "Speed",                    "Spd",          caption(0, row(3), 31),    true,  true,  "Initial particle speed", false},
    {"Label5",  "+ Accel",                  "PlsAcc",       caption(0, row(4), 36),    true,  true,  "Speed to add each frame", false},
    {"Label6",  "* Accel",                  "MultAcc",      caption(0, row(5), 34),    true,  true,  "Ratio to multiply speed by each frame", false},
    {"Label7",  "Recoil",                   "Recoil",       caption(0, row(6), 30),    true,  true,  "Force applied to worm when weapon is fired (>=0)", false},
    {"Label8",  "Hit Frce",                 "HitFrc",       caption(0, row(7), 37),    true,  true,  "Force applied to worm when weapon hits it (>=0)", false},
    {"Label9",  "* Bnce",                   "MltBnce",      caption(0, row(8), 32),    true,  true,  "Ratio speed is multiplied by  when it hits dirt (In new direction) (>=0)", false},
    {"Label10", "Damage",                   "Damage",       caption(0, row(9), 40),    true,  true,  "Damage to worm while being hit (>=0)", false},
    {"Label11", "DetTyp",                   "DetType",      caption(0, row(10), 35),   true,  true,  "Explosion bitmap, damage type, and dirt destruction level", false},
    {"Label12", "DetTime",                  "DetTim",       caption(0, row(11), 40),   true,  true,  "Time until explosion (0=Remain until destroyed)", false},
    {"Label13", "DetVar",                   "DetVar",       caption(0, row(12), 33),   true,  true,  "Variation in detonation time", false},
    {"Label14", "Detect",                   "WrmRng",       caption(0, row(13), 32),   true,  true,  "Range at which worms are detected", false},
    {"Label15", "Remove on Worm hit",       "RemOnHit",     caption(136, row(0), 100), true,  true,  "Remove when weapon detects worm (Recommended for weapons that do contact damage)", false},
    {"Label16", "Explode on ground",        "DetOnGrnd",    caption(136, row(1), 89),  true,  true,  "Explode when striking dirt (Only when speed is near 0; bouncing weapons often don't explode due to this)", false},
    {"Label17", "Explode on Worm",          "DetOnWrm",     caption(136, row(2), 84),  true,  true,  "Explode on worm contact", false},
    {"Label18", "Blood",                    "Blood",        caption(136, row(3), 27),  true,  true,  "Blood weapon releases when it hits a worm", false},
    {"Label19", "Collide with other shots", "HitObjs",      caption(136, row(4), 108), true,  true,  "Object collides with all projectiles (Not recommended for weapons firing a lot of shots at once)", false},
    {"Label20", "Affected by explosions",   "DetsAffect",   caption(136, row(5), 106), true,  true,  "Object can be scattered by explosions.", false},
    {"Label21", "Affected by motion",       "WrmAffects",   caption(136, row(6), 88),  true,  true,  "Projectile direction and speed is affected by worm motion at launch", false},
    {"Label22", "Gravity",                  "Grav",         caption(136, row(7), 33),  true,  true,  "Downward (gravitational) acceleration", false},
    {"Label23", "Load",                     "LoadTime",     caption(136, row(8), 24),  true,  true,  "Delay when weapon is reloaded", false},
    {"Label24", "Shots",                    "ShotsPer",     caption(136, row(9), 27),  true,  true,  "Number of shots before a weapon must reload", false},
    {"Label25", "Delay",                    "Delay",        caption(136, row(10), 27), true,  true,  "Delay between individual shots", false},
    {"Label26", "Laser Sight",              "SightOn",      caption(136, row(11), 53), true,  true,  "Rifle-style laser sight", false},
    {"Label27", "Shells",                   "DropShells",   caption(136, row(12), 28), true,  true,  "How often shells are dropped", false},
    {"Label28", "Firecone",                 "FireCone",     caption(136, row(13), 41), true,  true,  "How long the firecone bitmap is attached to the barrel", false},
    {"Label29", "MapHit",                   "EffectOnMap",  caption(272, row(0), 34),  true,  true,  "Action performed when projectile dies", false},
    {"Label30", "Splinter",                 "SplinterType", caption(272, row(3), 35),  false, false, "Particle type to use as splinters", false},
    {"Label31", "Scatter",                  "Scatter",      caption(272, row(4), 34),  false, false, "When checked, splinters scatter randomly; otherwise, splinters travel in the direction the weapon was headed with small velocity", false},
    {"Label32", "Trail",                    "TrailType",    caption(272, row(5), 20),  true,  true,  "Type of explosions to create at timed intervals", false},
    {"Label33", "Delay",                    "TrailDelay",   caption(272, row(6), 27),  false, true,  "Time between explosions", false},
    {"Label34", "Parts",                    "ParticleType", caption(272, row(7), 24),  true,  true,  "Particle type to leave at intervals", false},
    {"Label35", "Larpa-style Trail",        "LarpaTrail",   caption(272, row(9), 74),  false, true,  "When unchecked, trailing particles are thrown at random angles, rather than a neat, 'Larpa'-style trail", false},
    {"Label36", "FireSnd",                  "FireSnd",      caption(272, row(10), 36), true,  true,  "Sound when weapon is fired", false},
    {"Label37", "Repeat",                   "ReptFire",     caption(272, row(11), 35), true,  true,  "Loop sound as long as trigger is pressed", false},
    {"Label38", "DetSnd",                   "DetSnd",       caption(272, row(12), 36), true,  true,  "Sound to play when object explodes", false},
    {"Label39", "BltType",                  "BulletType",   caption(272, row(13), 36), true,  true,  "Double click for full text...", false},
    {"Label40", "BltCol",                   "BulletColor",  caption(400, row(0), 27),  true,  true,  "Color of pixel-style bullets", false},
    {"Label41", "1stFrm",                   "FirstFrame",   caption(400, row(1), 31),  false, false, "First frame in animation sequence (From .chr file)", false},
    {"Label42", "Frames",                   "NumFrames",    caption(400, row(2), 34),  false, false, "Number of frames in the animation sequence", false},
    {"Label43", "Loop Anim",                "LoopAnim",     caption(400, row(3), 50),  false, false, "Loop animation after a complete cycle", false},
    {"Label44", "Splinters",                "SplintCount",  caption(272, row(1), 40),  true,  true,  "Number of 'splinter' particles released on explosion (Set at 0 if not using splinters, or side-effects!)", false},
    {"Label45", "Color",                    "SplintCol",    caption(272, row(2), 24),  false, false, "Color of splinter particles (From palette)", false},
    {"Label46", "Pixel",                    "BulletBox",    caption(400, 96, 22),      true,  true,  "Bullet is represented by a colored pixel", false},
    {"Label47", "Delay",                    "PartDelay",    caption(272, row(8), 27),  false, true,  "Time between particle drops", false},
    {"Label48", "or",                       "BulletBox",    caption(432, 96, 12),      true,  false, nullptr, true},
    {"Label49", "image",                    "BulletBox",    caption(448, 96, 28),      false, true,  "Bullet is represented by a bitmap from the .chr file", false},
}};
// clang-format on

} // namespace

std::span<const FieldDef> fields() { return kFields; }
std::span<const LabelDef> labels() { return kLabels; }

const FieldDef* findField(std::u16string_view name)
{
    for (const FieldDef& def : kFields) {
        if (std::equal(name.begin(), name.end(), def.name, def.name + std::strlen(def.name)))
            return &def;
    }
    return nullptr;
}

const FieldDef& field(std::u16string_view name)
{
    if (const FieldDef* def = findField(name))
        return *def;
    throw std::out_of_range("unknown weapon field: " + toUtf8(name));
}

int fieldIndex(const FieldDef& def) { return static_cast<int>(&def - kFields.data()); }

} // namespace vormo
