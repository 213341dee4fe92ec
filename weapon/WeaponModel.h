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

#include <QHash>

namespace vormo {

class WeaponModel final : public FieldAccess, public RuleControls {
public:
    WeaponModel();

    QString text(const FieldDef& field) const override;
    bool isChecked(const FieldDef& field) const override;
    bool isEnabled(const FieldDef& field) const override;

    // Fields and labels by name. Changing SplintCount, TrailType, ParticleType or BulletBox runs
    // its rule, as the window's change notifications do.
    QString text(QStringView control) const override;
    void setText(QStringView control, const QString& text) override;
    bool isChecked(QStringView control) const override;
    void setChecked(QStringView control, bool checked) override;
    bool isEnabled(QStringView control) const override;
    void setEnabled(QStringView control, bool enabled) override;
    void setHintShown(QStringView label, bool shown) override;
    QString firstItem(QStringView combo) const override;

    bool isHintShown(QStringView label) const;
    const WeaponValues& values() const { return values_; }

private:
    struct LabelState {
        bool enabled;
        bool hintShown;
    };
    void changed(QStringView control);

    WeaponValues values_;
    QHash<QString, LabelState> labels_;
    PutAsideValues aside_;
};

} // namespace vormo
