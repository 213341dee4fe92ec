// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The plugin writer turns the fields, as they stand, into the 50-line plugin text. It reads
// them through FieldAccess only, so the editor window and a plain WeaponValues serve alike.

#include "FieldTable.h"

#include <string>

namespace vormo {

class FieldAccess {
public:
    virtual ~FieldAccess() = default;
    virtual std::u16string text(const FieldDef& field) const = 0; // edit and combo boxes
    virtual bool isChecked(const FieldDef& field) const = 0;      // check boxes
    virtual bool isEnabled(const FieldDef& field) const = 0;
};

inline constexpr char kPluginMarker[] = "VORMOKIT:WEAPONPLUGIN";
// Lines joined by single line feeds, ending in "SHADOW:1" with nothing after it.
std::u16string buildPluginText(const FieldAccess& fields);

} // namespace vormo
