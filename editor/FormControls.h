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

    QString text(const FieldDef& field) const override;
    bool isChecked(const FieldDef& field) const override;
    bool isEnabled(const FieldDef& field) const override;

    QString text(QStringView control) const override;
    void setText(QStringView control, const QString& text) override;
    bool isChecked(QStringView control) const override;
    void setChecked(QStringView control, bool checked) override;
    // The control's own state: the whole window being disabled does not count.
    bool isEnabled(QStringView control) const override;
    void setEnabled(QStringView control, bool enabled) override;
    void setHintShown(QStringView label, bool shown) override;
    QString firstItem(QStringView combo) const override;

private:
    QWidget& widget(QStringView name) const; // throws std::out_of_range for an unknown name
    QWidget& form_;
};

} // namespace vormo
