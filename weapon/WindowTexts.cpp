// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WindowTexts.h"

namespace vormo {

std::span<const AboutLabel> aboutLabels()
{
    static constexpr AboutLabel labels[] = {
        {"ProductName", 88, 16, u"Vormo Weapon Editor"},
        {"Version", 88, 40, u"Version 1.3"},
        {"Notice", 48, 72, u"Copyright \u00a9 2002 The Vormo Toolworks"},
        // The address has no slashes: Qt would wrap the line after one of them.
        {"Comments", 8, 88,
         u"Interface derived from VormoM8 toolkit.  Visit www.vormo.example.org For use with "
         u"VormoKit and VormoM8, versions 1.6 +"},
    };
    return labels;
}

SaveDialogSettings iconSaveDialogSettings()
{
    SaveDialogSettings settings;
    settings.title = u"Save Vormo Weapon icon as...";
    settings.filters = {{u"Icon Files", u"*.ico"}, {u"All Files", u"*.*"}};
    settings.filterIndex = 1;
    settings.defaultExt = u"ico";
    settings.initialDir = ".";
    settings.fileName = "VormoWeapon.ico";
    settings.confirmOverwrite = true;
    settings.confirmCreate = true;
    return settings;
}

} // namespace vormo
