// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The bytes a save puts on disk for a weapon, through the same document the editor uses.
// Shared by the reader's test and fuzzer. Throws VormoError when the document cannot hold it.

#include "PluginDocument.h"
#include "PluginWriter.h"

inline std::string savedPluginBytes(const vormo::FieldAccess& weapon)
{
    vormo::PluginDocument document;
    document.setText(vormo::buildPluginText(weapon));
    return document.bytes();
}
