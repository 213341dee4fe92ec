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

namespace {

struct Session {
    TempDir dir;
    ScriptedSaveDialog script;
    SaveDialog dialog{pluginSaveDialogSettings()};
    PluginDocument doc;
    Session() { newPlugin(); }
    void save(const WeaponValues& weapon = {}) { savePlugin(weapon, dialog, doc); }
    void saveAs(const WeaponValues& weapon = {}) { savePluginAs(weapon, dialog, doc); }
};

} // namespace

TEST_CASE("saved bytes match the fixtures, in a file others may read")
{
    Session s;
    const fs::path file = s.dir / "weapon";
    s.script.accept(file);
#ifndef _WIN32
    const mode_t umaskBefore = ::umask(022);
#endif
    s.save(editedWeapon());
#ifndef _WIN32
    ::umask(umaskBefore);
    // Written through a temporary file, a new plugin must still be readable by others.
    CHECK((fs::status(file).permissions() & fs::perms::others_read) == fs::perms::others_read);
#endif
    CHECK(contents(file) == fixture("edited.vwp"));
    s.script.accept(file);
    s.saveAs();
    CHECK(contents(file) == fixture("fresh.vwp"));
    CHECK(s.dir.listing() == "weapon ");
}

TEST_CASE("when Save and Save As ask")
{
    Session s;
    s.script.cancel();
    s.script.accept(s.dir / "untitled.vwp");
    s.script.accept(s.dir / "b.vwp", 2);
    s.script.cancel();
    s.script.accept(s.dir / "b.vwp", 2);
    s.save();
    CHECK(s.dir.listing() == "");   // nothing written
    s.save();                       // still untitled: asks again
    s.save(edited(u"Name=Second")); // a file of that name in a folder is named
    CHECK(s.script.runs().size() == 2);
    CHECK(contents(s.dir / "untitled.vwp").find("\r\nNAME:Second\r\n") != std::string::npos);

    s.saveAs(); // always asks; Save then writes to the new path
    CHECK(s.script.runs()[2].fileName == s.dir / "untitled.vwp"); // the last path proposed
    s.save(edited(u"Name=Later"));
    CHECK(contents(s.dir / "b.vwp").find("\r\nNAME:Later\r\n") != std::string::npos);
    s.saveAs(); // cancelled: path and file type stay
    CHECK(currentFileName() == s.dir / "b.vwp");
    CHECK(s.dialog.FilterIndex() == 2);
    newPlugin(); // untitled again, so Save asks; the dialog remembers
    CHECK(currentFileName() == "untitled.vwp");
    s.save();
    CHECK(s.script.runs()[4].fileName == s.dir / "b.vwp");
}
