// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WeaponModel.h"

#include "Text.h"

#include <stdexcept>

namespace vormo {

WeaponModel::WeaponModel()
{
    for (const LabelDef& def : labels())
        labels_.emplace(ascii(def.name), LabelState{def.enabledAtStart, def.hintShownAtStart});
}

std::u16string WeaponModel::text(const FieldDef& def) const { return values_.text(def); }
bool WeaponModel::isChecked(const FieldDef& def) const { return values_.isChecked(def); }
bool WeaponModel::isEnabled(const FieldDef& def) const { return values_.isEnabled(def); }

std::u16string WeaponModel::text(std::u16string_view control) const
{
    return values_.text(field(control));
}

void WeaponModel::setText(std::u16string_view control, const std::u16string& text)
{
    if (values_.text(field(control)) == text)
        return; // an equal text changes nothing and notifies nobody
    values_.setText(control, text);
    changed(control);
}

bool WeaponModel::isChecked(std::u16string_view control) const
{
    return values_.isChecked(field(control));
}

void WeaponModel::setChecked(std::u16string_view control, bool checked)
{
    if (values_.isChecked(field(control)) == checked)
        return;
    values_.setChecked(control, checked);
    changed(control);
}

bool WeaponModel::isEnabled(std::u16string_view control) const
{
    if (const auto it = labels_.find(control); it != labels_.end())
        return it->second.enabled;
    return values_.isEnabled(field(control));
}

void WeaponModel::setEnabled(std::u16string_view control, bool enabled)
{
    if (const auto it = labels_.find(control); it != labels_.end())
        it->second.enabled = enabled;
    else
        values_.setEnabled(control, enabled);
}

void WeaponModel::setHintShown(std::u16string_view label, bool shown)
{
    const auto it = labels_.find(label);
    if (it == labels_.end())
        throw std::out_of_range("not a label: " + toUtf8(label));
    it->second.hintShown = shown;
}

bool WeaponModel::isHintShown(std::u16string_view label) const
{
    const auto it = labels_.find(label);
    return it != labels_.end() && it->second.hintShown;
}

std::u16string WeaponModel::firstItem(std::u16string_view combo) const
{
    const ItemList& items = itemList(field(combo).items);
    return items.empty() ? std::u16string() : items.front();
}

void WeaponModel::changed(std::u16string_view control)
{
    if (control == u"BulletBox")
        applyBulletAppearance(*this, aside_);
    else if (control == u"SplintCount")
        applySplinterRule(*this, aside_);
    else if (control == u"TrailType")
        applyObjectTrailRule(*this, aside_);
    else if (control == u"ParticleType")
        applyParticleTrailRule(*this, aside_);
}

} // namespace vormo
