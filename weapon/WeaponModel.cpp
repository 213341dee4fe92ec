// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WeaponModel.h"

#include <stdexcept>

namespace vormo {

WeaponModel::WeaponModel()
{
    for (const LabelDef& def : labels())
        labels_.insert(QString::fromLatin1(def.name), {def.enabledAtStart, def.hintShownAtStart});
}

QString WeaponModel::text(const FieldDef& def) const { return values_.text(def); }
bool WeaponModel::isChecked(const FieldDef& def) const { return values_.isChecked(def); }
bool WeaponModel::isEnabled(const FieldDef& def) const { return values_.isEnabled(def); }

QString WeaponModel::text(QStringView control) const { return values_.text(field(control)); }

void WeaponModel::setText(QStringView control, const QString& text)
{
    if (values_.text(field(control)) == text)
        return; // an equal text changes nothing and notifies nobody
    values_.setText(control, text);
    changed(control);
}

bool WeaponModel::isChecked(QStringView control) const { return values_.isChecked(field(control)); }

void WeaponModel::setChecked(QStringView control, bool checked)
{
    if (values_.isChecked(field(control)) == checked)
        return;
    values_.setChecked(control, checked);
    changed(control);
}

bool WeaponModel::isEnabled(QStringView control) const
{
    if (const auto it = labels_.constFind(control.toString()); it != labels_.constEnd())
        return it->enabled;
    return values_.isEnabled(field(control));
}

void WeaponModel::setEnabled(QStringView control, bool enabled)
{
    if (const auto it = labels_.find(control.toString()); it != labels_.end())
        it->enabled = enabled;
    else
        values_.setEnabled(control, enabled);
}

void WeaponModel::setHintShown(QStringView label, bool shown)
{
    const auto it = labels_.find(label.toString());
    if (it == labels_.end())
        throw std::out_of_range("not a label: " + label.toString().toStdString());
    it->hintShown = shown;
}

bool WeaponModel::isHintShown(QStringView label) const
{
    return labels_.value(label.toString()).hintShown;
}

QString WeaponModel::firstItem(QStringView combo) const
{
    return itemList(field(combo).items).value(0);
}

void WeaponModel::changed(QStringView control)
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
