// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A weapon as the editor window holds it, without the window: every field's value and enabled
// state, every label's enabled state and hint flag, and the dependent-field rules running on
// each change of a governing field, with put-aside values of its own. It starts as a fresh
// window does.

#include "DependentRules.h"
#include "PluginWriter.h"
#include "WeaponValues.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace vormo {

class WeaponModel final : public FieldAccess, public RuleControls {
public:
    WeaponModel();

    std::u16string text(const FieldDef& field) const override;
    bool isChecked(const FieldDef& field) const override;
    bool isEnabled(const FieldDef& field) const override;

    // Fields and labels by name. Changing SplintCount, TrailType, ParticleType or BulletBox runs
    // its rule, as the window's change notifications do.
    std::u16string text(std::u16string_view control) const override;
    void setText(std::u16string_view control, const std::u16string& text) override;
    bool isChecked(std::u16string_view control) const override;
    void setChecked(std::u16string_view control, bool checked) override;
    bool isEnabled(std::u16string_view control) const override;
    void setEnabled(std::u16string_view control, bool enabled) override;
    void setHintShown(std::u16string_view label, bool shown) override;
    std::u16string firstItem(std::u16string_view combo) const override;

    bool isHintShown(std::u16string_view label) const;
    const WeaponValues& values() const { return values_; }

private:
    struct LabelState {
        bool enabled;
        bool hintShown;
    };
    void changed(std::u16string_view control);

    WeaponValues values_;
    std::map<std::u16string, LabelState, std::less<>> labels_;
    PutAsideValues aside_;
};

} // namespace vormo
