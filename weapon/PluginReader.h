// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Reading a weapon plugin back into the fields. This is the only code that parses plugins: it
// turns a file's bytes into what each field should show, as a player would have entered it,
// and refuses anything that is not a plugin before a single field is touched.

#include "FieldTable.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vormo {

class RuleControls;
class WeaponValues;

// The editor writes a few kilobytes; anything past this is not one of its plugins.
inline constexpr std::size_t kMaxPluginFileSize = 1024 * 1024;

struct FieldState {
    std::u16string text;  // edit and combo boxes
    bool checked = false; // check boxes
};

// What a plugin puts into each of the 47 fields. A key the file lacks leaves its field at the
// default of a fresh window.
struct PluginContent {
    std::array<FieldState, kFieldCount> fields; // by fieldIndex()

    const FieldState& operator[](const FieldDef& def) const { return fields[fieldIndex(def)]; }
    const FieldState& operator[](std::u16string_view name) const { return (*this)[field(name)]; }

    // BulletBox checked: "ANIMSFRAME" "-1" with "ANIMFRAMES" "0" and "ANIMLOOP" not "1". Then
    // FirstFrame, NumFrames and LoopAnim hold "-1", "0" and unchecked, what the rules show.
    bool pixelBullet() const { return (*this)[u"BulletBox"].checked; }

    // Puts the values into the controls the way a player would, so that the dependent-field
    // rules, run by the controls' own change notifications, decide enabled states, fixed texts
    // and put-aside values: first the fields outside the groups; then for each group, switch
    // it on, set its governed fields and set its governing field last (for the bullet, the
    // image fields while BulletBox is unchecked, BulletColor while it is checked).
    void applyTo(RuleControls& controls) const;

    // Every field as a fresh editor window shows it after applyTo: texts, checked and enabled
    // states, the fixed texts the rules show in place of values they put aside.
    void fillInto(WeaponValues& weapon) const;
};

// The fields a plugin's bytes describe, read as Windows-1252; nullopt when the bytes are not a
// weapon plugin: longer than kMaxPluginFileSize, holding a NUL byte, or with a first line
// other than "VORMOKIT:WEAPONPLUGIN".
std::optional<PluginContent> readPlugin(std::string_view bytes);

// At most kMaxPluginFileSize + 1 bytes of the file at path: enough to tell a file that is too
// long, never more. nullopt when it is no plain file (folders, pipes and devices are refused,
// and a pipe never blocks) or cannot be opened or read.
std::optional<std::string> readPluginBytes(const std::filesystem::path& path);

// Reads and checks the whole file; throws VormoError "Cannot open file <path>" when it cannot
// be opened or read (folders, pipes and devices included: only plain files are read, and a pipe
// never blocks), "<path> is not a Vormo weapon plugin" when readPlugin refuses its content, and
// tooLargeToSave when its weapon would not fit the editor's document.
PluginContent loadPluginFile(const std::filesystem::path& path);

} // namespace vormo
