// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// New, Save, Save As and opening a plugin, and the current file name they share. The editor
// window calls these. Saving reads the fields through FieldAccess and writes through the
// window's SaveDialog and PluginDocument; opening fills them through RuleControls. Failures are
// thrown as VormoError.

#include <filesystem>

namespace vormo {

class FieldAccess;
class PluginDocument;
class RuleControls;
class SaveDialog;
struct SaveDialogSettings;

inline constexpr char kUntitled[] = "untitled.vwp";

// "untitled.vwp" while no path has been chosen, else the path Save writes to.
const std::filesystem::path& currentFileName();

void newPlugin();
void savePlugin(const FieldAccess& fields, SaveDialog& dialog, PluginDocument& document);
void savePluginAs(const FieldAccess& fields, SaveDialog& dialog, PluginDocument& document);

// Reads and checks the whole plugin file at path, puts its values into the controls the way a
// player would, then names the plugin after the file: Save writes back to it without asking,
// and the save dialog proposes it. Throws VormoError before anything changes when the file
// cannot be opened or is not a plugin.
void openPlugin(const std::filesystem::path& path, RuleControls& controls, SaveDialog& dialog);

// The settings of the plugin save dialog when the window is created.
SaveDialogSettings pluginSaveDialogSettings();

} // namespace vormo
