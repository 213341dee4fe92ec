// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A weapon held as plain values, one per field of the table, starting at the defaults of a
// fresh editor window. Serves wherever fields are needed without a window.

#include "PluginWriter.h"

#include <QList>

namespace vormo {

class WeaponValues final : public FieldAccess {
public:
    WeaponValues();

    QString text(const FieldDef& field) const override;
    bool isChecked(const FieldDef& field) const override;
    bool isEnabled(const FieldDef& field) const override;

    void setText(QStringView fieldName, const QString& text);
    void setChecked(QStringView fieldName, bool checked);
    void setEnabled(QStringView fieldName, bool enabled);

private:
    struct Value {
        QString text;
        bool checked = false;
        bool enabled = true;
    };
    QList<Value> values_;
};

} // namespace vormo
