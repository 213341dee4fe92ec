// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What a player does to a fresh editor window, and what the dependent-field rules must make of
// it; every front end's window suite plays these.
//
// edits: space-separated, each "Field=text" typed over the whole text (or picked, when the text
// is an item of the field's list), or "!Field" clicked; "_" stands for a space. changed: the
// controls no longer as they started ("Label33:e": its enabled state alone, ":h": its hint flag
// alone). values: the fields no longer at their defaults, check boxes as "1" or "0".

namespace vormo::test {

struct RuleScenario {
    const char* edits;
    const char* changed;
    const char* values;
};

#define VORMO_SPLINTERS "SplintCol SplinterType Scatter Label30 Label31 Label45"
#define VORMO_TRAILS "TrailDelay PartDelay LarpaTrail Label33:e Label35:e Label47:e"
#define VORMO_IMAGE                                                                                \
    "BulletColor FirstFrame NumFrames LoopAnim Label40 Label41 Label42 Label43 Label46:e "         \
    "Label49:e"
#define VORMO_TRAILS_OFF                                                                           \
    "TrailType=3:Small_Explosion TrailDelay=4 ParticleType=7:Blood PartDelay=6 !LarpaTrail "       \
    "TrailType=0 ParticleType=0:None"
#define VORMO_BULLET "BulletColor=40 !BulletBox FirstFrame=5 !LoopAnim !BulletBox"

inline constexpr RuleScenario kRuleScenarios[] = {
    {"SplintCount=", VORMO_SPLINTERS, "SplintCount= SplinterType=0None Scatter=0"},
    {"SplintCount=2 SplintCol=12 SplinterType=7:Blood !Scatter SplintCount=0", "",
     "SplintCol=12 SplinterType=7:Blood"}, // still shown while off
    {"SplintCount=2 SplintCol=12 SplintCount=0 SplintCount=5", VORMO_SPLINTERS,
     "SplintCount=5 SplintCol=12 SplinterType=0None Scatter=0"},
    {"TrailType=0:none ParticleType=", VORMO_TRAILS, "TrailType=0:none ParticleType="},
    {VORMO_TRAILS_OFF, "Label33:h Label35:h Label47:h", "TrailType=0 LarpaTrail=1"},
    {VORMO_TRAILS_OFF " TrailType=5:Zimm_flash ParticleType=8:Shells", VORMO_TRAILS,
     "TrailType=5:Zimm flash TrailDelay=4 ParticleType=8:Shells PartDelay=6 LarpaTrail=1"},
    {"BulletColor=40 !BulletBox", VORMO_IMAGE, "BulletBox=0"},
    {VORMO_BULLET, "", "BulletColor=40"},
    {VORMO_BULLET " !BulletBox", VORMO_IMAGE, "FirstFrame=5 LoopAnim=1 BulletBox=0"},
    // "@file": a plugin from tests/data opened, which switches every group on at once.
    {"@groups-on.vwp",
     "SplintCol SplinterType Scatter TrailDelay PartDelay LarpaTrail BulletColor FirstFrame "
     "NumFrames LoopAnim Label30 Label31 Label33:e Label35:e Label40 Label41 Label42 Label43 "
     "Label45 Label46:e Label47:e Label49:e",
     "Name=All groups on SplintCount=3 TrailType=2:Medium Explosion "
     "ParticleType=5:Medium-damage particles FirstFrame=5 BulletBox=0"},
};

#undef VORMO_SPLINTERS
#undef VORMO_TRAILS
#undef VORMO_IMAGE
#undef VORMO_TRAILS_OFF
#undef VORMO_BULLET

} // namespace vormo::test
