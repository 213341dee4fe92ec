// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PluginWriter.h"

#include "NumberPrefix.h"

#include <algorithm>
#include <array>

namespace vormo {
namespace {

constexpr char kPromptKey[] = "PROMPT";
constexpr char kPromptBefore[] = "This will activate the weapon ";
constexpr char kPromptAfter[] = ".  Do you want to continue?";
constexpr char kSelectedLine[] = "WEAPON:SELECTED";
constexpr char kLastLine[] = "SHADOW:1";

QString flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

// Keyed fields in the order of their plugin lines.
std::array<const FieldDef*, kPluginLineCount - 4> linesInOrder()
{
    std::array<const FieldDef*, kPluginLineCount - 4> order{};
    for (const FieldDef& def : fields()) {
        if (def.line > 0)
            order[def.line - 4] = &def;
    }
    return order;
}

// The value a field's rule gives; BulletFrame reads FirstFrame only for an image bullet.
QString pluginValue(const FieldDef& def, const FieldAccess& fields)
{
    switch (def.rule) {
    case ValueRule::Text:
        return fields.text(def);
    case ValueRule::Check:
        return flag(fields.isChecked(def));
    case ValueRule::Prefix:
        return numberPrefix(fields.text(def));
    case ValueRule::InvertedCheck:
        return flag(!fields.isChecked(def));
    case ValueRule::CheckedAndEnabled:
        return flag(fields.isChecked(def) && fields.isEnabled(def));
    case ValueRule::BulletFrame:
        return fields.isChecked(def) ? QStringLiteral("-1") : fields.text(field(u"FirstFrame"));
    case ValueRule::None:
        break;
    }
    return {};
}

} // namespace

QString buildPluginText(const FieldAccess& fields)
{
    static const auto order = linesInOrder();
    const FieldDef& name = field(u"Name");

    QString text = QLatin1StringView(kPluginMarker) + u'\n' + QLatin1StringView(kPromptKey) + u':' +
                   QLatin1StringView(kPromptBefore);
    text += fields.text(name);
    text += QLatin1StringView(kPromptAfter) + u'\n' + QLatin1StringView(kSelectedLine);
    for (const FieldDef* def : order) {
        text += u'\n';
        text += QLatin1StringView(def->key);
        text += u':';
        text += pluginValue(*def, fields);
    }
    text += u'\n' + QLatin1StringView(kLastLine);
    return text;
}

} // namespace vormo
