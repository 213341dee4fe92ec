// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Whatever the reader accepts must survive a save and a second load unchanged: read, fill a
// weapon, save; read that save, fill, save again; the two saves are the same bytes, but for the
// one case a plugin cannot tell apart. Anything else aborts, and so does any sanitizer report.

#include "Errors.h"
#include "NumberPrefix.h"
#include "PluginReader.h"
#include "SavedPlugin.h"
#include "WeaponValues.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace vormo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::optional<PluginContent> first =
        readPlugin(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!first)
        return 0;
    WeaponValues weapon;
    first->fillInto(weapon);
    std::string once;
    try {
        once = savedPluginBytes(weapon);
    } catch (const VormoError&) {
        return 0; // more than the editor's document holds: it could never be saved
    }

    // A trail in use whose type is "0" followed by other text is saved as "0", which reads back
    // as no trail: its delay then shows the rules' "1". Nothing else may change.
    for (const auto& [type, delay] :
         {std::pair{u"TrailType", u"TrailDelay"}, std::pair{u"ParticleType", u"PartDelay"}})
        if (weapon.isEnabled(field(delay)) && numberPrefix(weapon.text(field(type))) == u"0")
            weapon.setText(delay, u"1");
    const std::string expected = savedPluginBytes(weapon);

    const std::optional<PluginContent> second = readPlugin(once);
    WeaponValues again;
    if (second)
        second->fillInto(again);
    const std::string twice = second ? savedPluginBytes(again) : "(the reader refuses the save)";
    if (twice != expected) {
        std::fprintf(stderr, "round trip mismatch\n--- expected ---\n%s\n--- second save ---\n%s\n",
                     expected.c_str(), twice.c_str());
        std::abort();
    }
    return 0;
}
