// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The editor window's controls as the core reads and switches them: the plugin writer through
// FieldAccess, the dependent-field rules and the plugin reader through RuleControls.

#include "DependentRules.h"
#include "PluginWriter.h"

namespace vormo::win {

class TForm1;

class FormControls final : public FieldAccess, public RuleControls {
public:
    explicit FormControls(TForm1& form) : form_(form) {}

    std::u16string text(const FieldDef& field) const override;
    bool isChecked(const FieldDef& field) const override;
    bool isEnabled(const FieldDef& field) const override;

    std::u16string text(std::u16string_view control) const override;
    void setText(std::u16string_view control, const std::u16string& text) override;
    bool isChecked(std::u16string_view control) const override;
    void setChecked(std::u16string_view control, bool checked) override;
    bool isEnabled(std::u16string_view control) const override;
    void setEnabled(std::u16string_view control, bool enabled) override;
    void setHintShown(std::u16string_view label, bool shown) override;
    std::u16string firstItem(std::u16string_view combo) const override;

private:
    TForm1& form_;
};

} // namespace vormo::win
