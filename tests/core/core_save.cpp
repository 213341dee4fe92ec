// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// New, Save and Save As without a window: which path they write to, when they ask, and the
// bytes that reach the disk.

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "CoreTest.h"

#include "FileCommands.h"
#include "PluginDocument.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace vormo;
using namespace vormo::test;

TEST_CASE("when Save and Save As ask, and the bytes that reach the disk")
{
    TempDir dir;
    ScriptedSaveDialog script;
    SaveDialog dialog{pluginSaveDialogSettings()};
    PluginDocument doc;
    const auto save = [&](const WeaponValues& weapon = {}) { savePlugin(weapon, dialog, doc); };
    const auto saveAs = [&](const WeaponValues& weapon = {}) { savePluginAs(weapon, dialog, doc); };
    newPlugin();
    script.cancel();
    script.accept(dir / "untitled.vwp");
    script.accept(dir / "b.vwp", 2);
    script.cancel();
    script.accept(dir / "weapon", 2);
    save();
    CHECK(dir.listing() == "");   // nothing written
    save();                       // still untitled: asks again
    save(edited(u"Name=Second")); // a file of that name in a folder is named
    CHECK(script.runs().size() == 2);
    CHECK(contents(dir / "untitled.vwp").find("\r\nNAME:Second\r\n") != std::string::npos);

    saveAs(); // always asks; Save then writes to the new path
    CHECK(script.runs()[2].fileName == dir / "untitled.vwp"); // the last path proposed
    save(edited(u"Name=Later"));
    CHECK(contents(dir / "b.vwp").find("\r\nNAME:Later\r\n") != std::string::npos);
    saveAs(); // cancelled: path and file type stay
    CHECK(currentFileName() == dir / "b.vwp");
    CHECK(dialog.FilterIndex() == 2);
    newPlugin(); // untitled again, so Save asks; the dialog remembers
    CHECK(currentFileName() == "untitled.vwp");
#ifndef _WIN32
    const mode_t umaskBefore = ::umask(022);
#endif
    save(editedWeapon());
#ifndef _WIN32
    ::umask(umaskBefore);
    // Written through a temporary file, a new plugin must still be readable by others.
    CHECK((fs::status(dir / "weapon").permissions() & fs::perms::others_read) ==
          fs::perms::others_read);
#endif
    CHECK(script.runs()[4].fileName == dir / "b.vwp");
    CHECK(contents(dir / "weapon") == fixture("edited.vwp"));
    script.accept(dir / "weapon");
    saveAs();
    CHECK(contents(dir / "weapon") == fixture("fresh.vwp"));
    CHECK(dir.listing() == "b.vwp untitled.vwp weapon ");
}
