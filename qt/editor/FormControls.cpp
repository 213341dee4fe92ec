// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt/editor/FormControls.h"

#include "Controls.h"
#include "CoreBridge.h"

#include <stdexcept>

namespace vormo {

QWidget& FormControls::widget(std::u16string_view name) const
{
    auto* w = form_.findChild<QWidget*>(toQString(name), Qt::FindDirectChildrenOnly);
    if (!w)
        throw std::out_of_range("no control named " + toUtf8(name));
    return *w;
}

std::u16string FormControls::text(const FieldDef& field) const { return text(ascii(field.name)); }

bool FormControls::isChecked(const FieldDef& field) const { return isChecked(ascii(field.name)); }

bool FormControls::isEnabled(const FieldDef& field) const { return isEnabled(ascii(field.name)); }

std::u16string FormControls::text(std::u16string_view control) const
{
    QWidget& w = widget(control);
    if (auto* edit = qobject_cast<QLineEdit*>(&w))
        return toU16(edit->text());
    if (auto* combo = qobject_cast<QComboBox*>(&w))
        return toU16(combo->currentText());
    return {};
}

void FormControls::setText(std::u16string_view control, const std::u16string& value)
{
    const QString text = toQString(value);
    QWidget& w = widget(control);
    if (auto* edit = qobject_cast<QLineEdit*>(&w)) {
        if (edit->text() != text)
            edit->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(&w)) {
        if (combo->currentText() != text)
            combo->setEditText(text);
    }
}

bool FormControls::isChecked(std::u16string_view control) const
{
    auto* box = qobject_cast<QAbstractButton*>(&widget(control));
    return box && box->isChecked();
}

void FormControls::setChecked(std::u16string_view control, bool checked)
{
    if (auto* box = qobject_cast<QAbstractButton*>(&widget(control)))
        box->setChecked(checked);
}

bool FormControls::isEnabled(std::u16string_view control) const
{
    return widget(control).isEnabledTo(&form_);
}

void FormControls::setEnabled(std::u16string_view control, bool enabled)
{
    widget(control).setEnabled(enabled);
}

void FormControls::setHintShown(std::u16string_view label, bool shown)
{
    auto* hinted = qobject_cast<HintLabel*>(&widget(label));
    if (!hinted)
        throw std::out_of_range("not a label: " + toUtf8(label));
    hinted->setShowHint(shown);
}

std::u16string FormControls::firstItem(std::u16string_view combo) const
{
    auto* box = qobject_cast<QComboBox*>(&widget(combo));
    return box ? toU16(box->itemText(0)) : std::u16string();
}

} // namespace vormo
