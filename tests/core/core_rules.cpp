// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The dependent-field rules, group by group: after each change of the governing field, every
// field and label of its group as the window would show it, and the values it gives back.

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "CoreTest.h"

#include "WeaponModel.h"

using namespace vormo;
using namespace vormo::test;

namespace {

// "SplintCol=12 on", "Scatter + off", "Label45 hint on": a field's text or check, a label's
// hint, then whether the control is enabled.
std::u16string stateOf(const WeaponModel& model, std::u16string_view control)
{
    std::u16string state(control);
    if (const FieldDef* def = findField(control))
        state += def->kind == FieldKind::Check ? (model.isChecked(control) ? u" +" : u" -")
                                               : u'=' + model.text(control);
    else
        state += model.isHintShown(control) ? u" hint" : u" no hint";
    return state + (model.isEnabled(control) ? u" on" : u" off");
}

// Steps: edits, then the state of each member of the group afterwards, ";" between.
void run(std::initializer_list<std::pair<std::u16string, std::u16string>> steps)
{
    WeaponModel model;
    for (const auto& [edits, group] : steps) {
        applyEdits(model, edits);
        std::u16string shown;
        for (const std::u16string& member : split(group, u';')) {
            const std::u16string_view name = std::u16string_view(member).substr(
                0, std::min(member.find(u'='), member.find(u' ')));
            shown += (shown.empty() ? u"" : u";") + stateOf(model, name);
        }
        CAPTURE(edits);
        CHECK(shown == group);
    }
}

} // namespace

TEST_CASE("each group, switched off and on again")
{
    // Splinters: switched off, the fields keep showing their values.
    run({{u"SplintCount=5", u"SplintCol=0 on;SplinterType=0None on;Scatter - on;"
                            u"Label45 hint on;Label30 hint on;Label31 hint on"},
         {u"SplintCol=12;SplinterType=3:Harmless particles;-Scatter;SplintCount=0",
          u"SplintCol=12 off;SplinterType=3:Harmless particles off;Scatter - off;"
          u"Label45 no hint off;Label30 no hint off;Label31 no hint off"},
         // Switched on, even emptied, the group gets back what it had when switched off.
         {u"SplintCol=99;SplinterType=9;+Scatter;SplintCount=",
          u"SplintCol=12 on;SplinterType=3:Harmless particles on;Scatter - on;"
          u"Label45 hint on;Label30 hint on;Label31 hint on"},
         {u"SplintCount=00", u"SplintCol=12 on;Label45 hint on"}, // only "0" means none
         {u"SplintCount=0", u"SplintCol=12 off;Label45 no hint off"}});
    // Object trail: switched off, its delay shows 1.
    run({{u"TrailType=3:Small Explosion", u"TrailDelay=1 on;Label33 hint on"},
         {u"TrailDelay=8;TrailType=0:None", u"TrailDelay=1 off;Label33 no hint off"},
         {u"TrailType=00", u"TrailDelay=8 on;Label33 hint on"},
         {u"TrailType=0:none", u"TrailDelay=8 on;Label33 hint on"}, // as typed, case counts
         {u"TrailType=0", u"TrailDelay=1 off;Label33 no hint off"},
         {u"TrailType=5:Zimm flash", u"TrailDelay=8 on"}});
    // Particle trail: switched off, its delay shows 1 and the box keeps its tick.
    run({{u"ParticleType=7:Blood",
          u"PartDelay=1 on;LarpaTrail - on;Label47 hint on;Label35 hint on"},
         {u"PartDelay=4;+LarpaTrail;ParticleType=0:None",
          u"PartDelay=1 off;LarpaTrail + off;Label47 no hint off;Label35 no hint off"},
         {u"-LarpaTrail;ParticleType=1:Player 1-colored worm pieces",
          u"PartDelay=4 on;LarpaTrail + on;Label47 hint on;Label35 hint on"}});
    // Bullet: a pixel has a colour, an image has frames.
    const std::u16string pixelLabels =
        u"Label40 hint on;Label41 no hint off;Label42 no hint off;Label43 no hint off;"
        u"Label46 hint on;Label49 hint off";
    const std::u16string imageLabels =
        u"Label40 no hint off;Label41 hint on;Label42 hint on;Label43 hint on;"
        u"Label46 hint off;Label49 hint on";
    run({{u"BulletColor=40;-BulletBox",
          u"BulletColor=0 off;FirstFrame=-1 on;NumFrames=0 on;LoopAnim - on;" + imageLabels},
         {u"FirstFrame=5;NumFrames=3;+LoopAnim;+BulletBox",
          u"BulletColor=40 on;FirstFrame=-1 off;NumFrames=0 off;LoopAnim - off;" + pixelLabels},
         {u"BulletColor=41;-BulletBox",
          u"BulletColor=0 off;FirstFrame=5 on;NumFrames=3 on;LoopAnim + on;" + imageLabels},
         {u"+BulletBox", u"BulletColor=41 on;FirstFrame=-1 off;NumFrames=0 off;LoopAnim - off"}});
}
