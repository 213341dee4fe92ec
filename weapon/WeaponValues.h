// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A weapon held as plain values, one per field of the table, starting at the defaults of a
// fresh editor window. Serves wherever fields are needed without a window.

#include "PluginWriter.h"

#include <string>
#include <string_view>
#include <vector>

namespace vormo {

class WeaponValues final : public FieldAccess {
public:
    WeaponValues();

    std::u16string text(const FieldDef& field) const override;
    bool isChecked(const FieldDef& field) const override;
    bool isEnabled(const FieldDef& field) const override;

    void setText(std::u16string_view fieldName, const std::u16string& text);
    void setChecked(std::u16string_view fieldName, bool checked);
    void setEnabled(std::u16string_view fieldName, bool enabled);

private:
    struct Value {
        std::u16string text;
        bool checked = false;
        bool enabled = true;
    };
    std::vector<Value> values_;
};

} // namespace vormo
