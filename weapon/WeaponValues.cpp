// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WeaponValues.h"

namespace vormo {

WeaponValues::WeaponValues()
{
    for (const FieldDef& def : fields())
        values_.push_back({def.defaultString(), def.defaultChecked, def.enabledAtStart});
}

std::u16string WeaponValues::text(const FieldDef& def) const
{
    return values_[fieldIndex(def)].text;
}
bool WeaponValues::isChecked(const FieldDef& def) const { return values_[fieldIndex(def)].checked; }
bool WeaponValues::isEnabled(const FieldDef& def) const { return values_[fieldIndex(def)].enabled; }

void WeaponValues::setText(std::u16string_view name, const std::u16string& text)
{
    values_[fieldIndex(field(name))].text = text;
}

void WeaponValues::setChecked(std::u16string_view name, bool checked)
{
    values_[fieldIndex(field(name))].checked = checked;
}

void WeaponValues::setEnabled(std::u16string_view name, bool enabled)
{
    values_[fieldIndex(field(name))].enabled = enabled;
}

} // namespace vormo
