// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The rules that switch dependent fields on and off. Four governing fields (BulletBox,
// SplintCount, TrailType, ParticleType) each decide whether their group is in use; switching
// a group off disables its fields and labels, hides the labels' hints and puts the fields'
// values aside, switching it on gives them back. The splinter and trail groups have no state
// of their own: a group is on exactly when its marker label (Label45, Label33, Label47) is
// enabled.
//
// The rules work on controls by name through RuleControls, so the editor window and a test
// double are driven by the same code. They only ever set governed fields, never a governing
// one, so no rule triggers another.

#include <string>
#include <string_view>
#include <vector>

namespace vormo {

class RuleControls {
public:
    virtual ~RuleControls() = default;
    virtual std::u16string text(std::u16string_view control) const = 0;
    virtual void setText(std::u16string_view control, const std::u16string& text) = 0;
    virtual bool isChecked(std::u16string_view control) const = 0;
    virtual void setChecked(std::u16string_view control, bool checked) = 0;
    virtual bool isEnabled(std::u16string_view control) const = 0;
    virtual void setEnabled(std::u16string_view control, bool enabled) = 0;
    virtual void setHintShown(std::u16string_view label, bool shown) = 0;
    virtual std::u16string firstItem(std::u16string_view combo) const = 0;
};

// Each group's governing field and the fields it switches, in the order the window shows them.
struct DependentGroup {
    std::u16string_view governing;
    std::vector<std::u16string_view> governed;
};
const std::vector<DependentGroup>& dependentGroups();

// The values a switched-off group keeps for its fields, shared by the whole program.
struct PutAsideValues {
    std::u16string firstFrame = u"-1";
    std::u16string numFrames = u"0";
    bool loopAnim = false;
    std::u16string bulletColor = u"0";
    std::u16string splintCol = u"0";
    std::u16string splinterType; // the first item of SplinterType's list, read on first use
    bool splinterTypeTaken = false;
    bool scatter = false;
    std::u16string trailDelay = u"1";
    std::u16string partDelay = u"1";
    bool larpaTrail = false;
};

// The editor's put-aside values, kept for the whole run.
PutAsideValues& putAsideValues();

// The rules, each run when its governing field changes.
void applyBulletAppearance(RuleControls& controls, PutAsideValues& aside);  // BulletBox
void applySplinterRule(RuleControls& controls, PutAsideValues& aside);      // SplintCount
void applyObjectTrailRule(RuleControls& controls, PutAsideValues& aside);   // TrailType
void applyParticleTrailRule(RuleControls& controls, PutAsideValues& aside); // ParticleType

} // namespace vormo
