// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The weapon being edited has no object of its own: it is the 47 value fields of the editor
// window. This table describes each of them once (control name, kind, default, starting
// state, plugin key and how the value is written, place on the window) together with the
// labels beside them. The window is built from it, the plugin writer and reader walk it, and
// the tests read it; nothing else restates these facts.

#include "ItemLists.h"

#include <span>
#include <string>
#include <string_view>

namespace vormo {

// A place on the window's client area, in pixels at 96 dpi.
struct Rect {
    int left, top, width, height;
    constexpr bool operator==(const Rect&) const = default;
};

enum class FieldKind { Edit, Combo, Check };

// How a field becomes the value after its key in a plugin line.
enum class ValueRule {
    Text,              // the text exactly as typed
    Check,             // "1" checked, "0" unchecked
    Prefix,            // leading ASCII digits of the text
    InvertedCheck,     // "0" checked, "1" unchecked (Scatter)
    CheckedAndEnabled, // "1" only while checked and enabled (LoopAnim)
    BulletFrame,       // "-1" for a pixel bullet, else FirstFrame's text (BulletBox)
    None,              // no line of its own (FirstFrame is written through BulletBox)
};

struct FieldDef {
    const char* name; // the control's name, also its object name on the window
    FieldKind kind;
    const char* defaultText; // edit and combo boxes; nullptr for check boxes
    bool defaultChecked;     // check boxes only
    bool enabledAtStart;
    const char* key; // plugin key; nullptr for a field without a line of its own
    ValueRule rule;
    int line; // 1-based line of the plugin text, 0 when the field has none
    ItemListId items;
    Rect geometry;

    std::u16string defaultString() const
    {
        return defaultText
                   ? std::u16string(defaultText,
                                    defaultText + std::char_traits<char>::length(defaultText))
                   : std::u16string();
    }
};

struct LabelDef {
    const char* name;    // "Label1" ...
    const char* caption; // what the label shows
    const char* field;   // the field the label names
    Rect geometry;
    bool enabledAtStart;
    bool hintShownAtStart;
    const char* hint; // nullptr: the label has no hint
    bool bold;
};

// Fields in the window's order, which is also the tab order.
std::span<const FieldDef> fields();
// Labels in the order the window declares them.
std::span<const LabelDef> labels();

constexpr int kFieldCount = 47;
constexpr int kLabelCount = 49;
constexpr int kPluginLineCount = 50;

const FieldDef* findField(std::u16string_view name);
const FieldDef& field(std::u16string_view name); // throws std::out_of_range for an unknown name
int fieldIndex(const FieldDef& def);

} // namespace vormo
