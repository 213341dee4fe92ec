// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Opening a plugin by dropping its file onto the editor window. The window takes every drag
// over it, over its fields too, and accepts exactly one local file, and only while it is
// enabled: several files, text, remote addresses and drags that could only move the file are
// refused by the cursor.

#include <filesystem>
#include <optional>

class QDropEvent;
class QMimeData;
class QWidget;

namespace vormo {

class TForm1;

// The path of the one local file that data carries, as the bytes its address spells out
// (%FC is the byte 0xFC, whatever text that makes); nullopt for anything else, an empty list
// of addresses, a relative "file:" address and one spelling out a NUL included.
std::optional<std::filesystem::path> droppedPluginPath(const QMimeData& data);

// The file a drag or drop over form would open; nullopt when form refuses it.
std::optional<std::filesystem::path> acceptedPluginDrop(const QWidget& form,
                                                        const QDropEvent& event);

// From now on a drop of a plugin file anywhere on form opens it.
void acceptPluginDrops(TForm1& form);

// What a drop runs: reads the whole plugin at path and puts it into form's fields; Save then
// writes back to path. An error goes to the error box with nothing changed.
void openDroppedPlugin(TForm1& form, const std::filesystem::path& path);

} // namespace vormo
