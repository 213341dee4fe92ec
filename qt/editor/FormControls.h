// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The editor window as the plugin writer and the dependent-field rules see it: fields and
// labels found among the window's children by name. Setting a text or checked state goes
// through the control's own setter, so its change notification fires as if the user had made
// the change, and an equal value changes nothing and notifies nobody.

#include "DependentRules.h"
#include "PluginWriter.h"

class QWidget;

namespace vormo {

class FormControls final : public FieldAccess, public RuleControls {
public:
    explicit FormControls(QWidget& form) : form_(form) {}

    std::u16string text(const FieldDef& field) const override;
    bool isChecked(const FieldDef& field) const override;
    bool isEnabled(const FieldDef& field) const override;

    std::u16string text(std::u16string_view control) const override;
    void setText(std::u16string_view control, const std::u16string& text) override;
    bool isChecked(std::u16string_view control) const override;
    void setChecked(std::u16string_view control, bool checked) override;
    // The control's own state: the whole window being disabled does not count.
    bool isEnabled(std::u16string_view control) const override;
    void setEnabled(std::u16string_view control, bool enabled) override;
    void setHintShown(std::u16string_view label, bool shown) override;
    std::u16string firstItem(std::u16string_view combo) const override;

private:
    QWidget& widget(std::u16string_view name) const; // throws std::out_of_range for an unknown name
    QWidget& form_;
};

} // namespace vormo
