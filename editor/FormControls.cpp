// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FormControls.h"

#include "Controls.h"

#include <stdexcept>

namespace vormo {

QWidget& FormControls::widget(QStringView name) const
{
    auto* w = form_.findChild<QWidget*>(name.toString(), Qt::FindDirectChildrenOnly);
    if (!w)
        throw std::out_of_range("no control named " + name.toString().toStdString());
    return *w;
}

QString FormControls::text(const FieldDef& field) const
{
    return text(QString::fromLatin1(field.name));
}

bool FormControls::isChecked(const FieldDef& field) const
{
    return isChecked(QString::fromLatin1(field.name));
}

bool FormControls::isEnabled(const FieldDef& field) const
{
    return isEnabled(QString::fromLatin1(field.name));
}

QString FormControls::text(QStringView control) const
{
    QWidget& w = widget(control);
    if (auto* edit = qobject_cast<QLineEdit*>(&w))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(&w))
        return combo->currentText();
    return {};
}

void FormControls::setText(QStringView control, const QString& text)
{
    QWidget& w = widget(control);
    if (auto* edit = qobject_cast<QLineEdit*>(&w)) {
        if (edit->text() != text)
            edit->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(&w)) {
        if (combo->currentText() != text)
            combo->setEditText(text);
    }
}

bool FormControls::isChecked(QStringView control) const
{
    auto* box = qobject_cast<QAbstractButton*>(&widget(control));
    return box && box->isChecked();
}

void FormControls::setChecked(QStringView control, bool checked)
{
    if (auto* box = qobject_cast<QAbstractButton*>(&widget(control)))
        box->setChecked(checked);
}

bool FormControls::isEnabled(QStringView control) const
{
    return widget(control).isEnabledTo(&form_);
}

void FormControls::setEnabled(QStringView control, bool enabled)
{
    widget(control).setEnabled(enabled);
}

void FormControls::setHintShown(QStringView label, bool shown)
{
    auto* hinted = qobject_cast<HintLabel*>(&widget(label));
    if (!hinted)
        throw std::out_of_range("not a label: " + label.toString().toStdString());
    hinted->setShowHint(shown);
}

QString FormControls::firstItem(QStringView combo) const
{
    auto* box = qobject_cast<QComboBox*>(&widget(combo));
    return box ? box->itemText(0) : QString();
}

} // namespace vormo
