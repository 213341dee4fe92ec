// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PluginWriter.h"

#include "NumberPrefix.h"
#include "Text.h"

#include <algorithm>
#include <array>

namespace vormo {
namespace {

constexpr char16_t kPromptKey[] = u"PROMPT";
constexpr char16_t kPromptBefore[] = u"This will activate the weapon ";
constexpr char16_t kPromptAfter[] = u".  Do you want to continue?";
constexpr char16_t kSelectedLine[] = u"WEAPON:SELECTED";
constexpr char16_t kLastLine[] = u"SHADOW:1";

std::u16string flag(bool on) { return on ? u"1" : u"0"; }

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
std::u16string pluginValue(const FieldDef& def, const FieldAccess& fields)
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
        return fields.isChecked(def) ? u"-1" : fields.text(field(u"FirstFrame"));
    case ValueRule::None:
        break;
    }
    return {};
}

} // namespace

std::u16string buildPluginText(const FieldAccess& fields)
{
    static const auto order = linesInOrder();
    const FieldDef& name = field(u"Name");

    std::u16string text = ascii(kPluginMarker) + u'\n' + kPromptKey + u':' + kPromptBefore;
    text += fields.text(name);
    text += kPromptAfter;
    text += u'\n';
    text += kSelectedLine;
    for (const FieldDef* def : order) {
        text += u'\n';
        text += ascii(def->key);
        text += u':';
        text += pluginValue(*def, fields);
    }
    text += u'\n';
    text += kLastLine;
    return text;
}

} // namespace vormo
