// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DependentRules.h"

namespace vormo {
namespace {

void enableLabel(RuleControls& c, std::u16string_view label)
{
    c.setEnabled(label, true);
    c.setHintShown(label, true);
}

void disableLabel(RuleControls& c, std::u16string_view label)
{
    c.setEnabled(label, false);
    c.setHintShown(label, false);
}

// "0" or the list's own first entry, compared whole and case-sensitively.
bool isNoneText(const RuleControls& c, std::u16string_view combo)
{
    const std::u16string text = c.text(combo);
    return text == u"0" || text == c.firstItem(combo);
}

std::u16string& splinterTypeAside(RuleControls& c, PutAsideValues& aside)
{
    if (!aside.splinterTypeTaken) {
        aside.splinterType = c.firstItem(u"SplinterType");
        aside.splinterTypeTaken = true;
    }
    return aside.splinterType;
}

} // namespace

const std::vector<DependentGroup>& dependentGroups()
{
    static const std::vector<DependentGroup> groups{
        {u"SplintCount", {u"SplintCol", u"SplinterType", u"Scatter"}},
        {u"TrailType", {u"TrailDelay"}},
        {u"ParticleType", {u"PartDelay", u"LarpaTrail"}},
        {u"BulletBox", {u"BulletColor", u"FirstFrame", u"NumFrames", u"LoopAnim"}},
    };
    return groups;
}

PutAsideValues& putAsideValues()
{
    static PutAsideValues values;
    return values;
}

void applyBulletAppearance(RuleControls& c, PutAsideValues& aside)
{
    if (c.isChecked(u"BulletBox")) { // a pixel bullet
        enableLabel(c, u"Label40");
        c.setEnabled(u"BulletColor", true);
        c.setText(u"BulletColor", aside.bulletColor);
        disableLabel(c, u"Label41");
        c.setEnabled(u"FirstFrame", false);
        aside.firstFrame = c.text(u"FirstFrame");
        c.setText(u"FirstFrame", u"-1");
        disableLabel(c, u"Label42");
        c.setEnabled(u"NumFrames", false);
        aside.numFrames = c.text(u"NumFrames");
        c.setText(u"NumFrames", u"0");
        aside.loopAnim = c.isChecked(u"LoopAnim");
        c.setChecked(u"LoopAnim", false);
        c.setEnabled(u"LoopAnim", false);
        disableLabel(c, u"Label43");
        c.setEnabled(u"Label46", true);
        c.setEnabled(u"Label49", false);
    } else { // an image bullet
        disableLabel(c, u"Label40");
        c.setEnabled(u"BulletColor", false);
        aside.bulletColor = c.text(u"BulletColor");
        c.setText(u"BulletColor", u"0");
        enableLabel(c, u"Label41");
        c.setEnabled(u"FirstFrame", true);
        c.setText(u"FirstFrame", aside.firstFrame);
        enableLabel(c, u"Label42");
        c.setEnabled(u"NumFrames", true);
        c.setText(u"NumFrames", aside.numFrames);
        enableLabel(c, u"Label43");
        c.setEnabled(u"LoopAnim", true);
        c.setChecked(u"LoopAnim", aside.loopAnim);
        c.setEnabled(u"Label46", false);
        c.setEnabled(u"Label49", true);
    }
}

void applySplinterRule(RuleControls& c, PutAsideValues& aside)
{
    const bool none = c.text(u"SplintCount") == u"0";
    const bool on = c.isEnabled(u"Label45");
    if (none && on) {
        // Switched off, the fields keep showing their values.
        c.setEnabled(u"SplintCol", false);
        aside.splintCol = c.text(u"SplintCol");
        disableLabel(c, u"Label45");
        c.setEnabled(u"SplinterType", false);
        splinterTypeAside(c, aside) = c.text(u"SplinterType");
        disableLabel(c, u"Label30");
        c.setEnabled(u"Scatter", false);
        aside.scatter = c.isChecked(u"Scatter");
        disableLabel(c, u"Label31");
    } else if (!none && !on) {
        c.setEnabled(u"SplintCol", true);
        c.setText(u"SplintCol", aside.splintCol);
        enableLabel(c, u"Label45");
        c.setText(u"SplinterType", splinterTypeAside(c, aside));
        c.setEnabled(u"SplinterType", true);
        enableLabel(c, u"Label30");
        c.setEnabled(u"Scatter", true);
        c.setChecked(u"Scatter", aside.scatter);
        enableLabel(c, u"Label31");
    }
}

void applyObjectTrailRule(RuleControls& c, PutAsideValues& aside)
{
    const bool none = isNoneText(c, u"TrailType");
    const bool on = c.isEnabled(u"Label33");
    if (none && on) {
        disableLabel(c, u"Label33");
        c.setEnabled(u"TrailDelay", false);
        aside.trailDelay = c.text(u"TrailDelay");
        c.setText(u"TrailDelay", u"1");
    } else if (!none && !on) {
        enableLabel(c, u"Label33");
        c.setEnabled(u"TrailDelay", true);
        c.setText(u"TrailDelay", aside.trailDelay);
    }
}

void applyParticleTrailRule(RuleControls& c, PutAsideValues& aside)
{
    const bool none = isNoneText(c, u"ParticleType");
    const bool on = c.isEnabled(u"Label47");
    if (none && on) {
        disableLabel(c, u"Label47");
        disableLabel(c, u"Label35");
        c.setEnabled(u"PartDelay", false);
        c.setEnabled(u"LarpaTrail", false);
        aside.larpaTrail = c.isChecked(u"LarpaTrail");
        aside.partDelay = c.text(u"PartDelay");
        c.setText(u"PartDelay", u"1");
    } else if (!none && !on) {
        enableLabel(c, u"Label47");
        enableLabel(c, u"Label35");
        c.setEnabled(u"LarpaTrail", true);
        c.setChecked(u"LarpaTrail", aside.larpaTrail);
        c.setEnabled(u"PartDelay", true);
        c.setText(u"PartDelay", aside.partDelay);
    }
}

} // namespace vormo
