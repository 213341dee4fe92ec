// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Reading plugins back: saved weapons come back byte for byte, every value lands in its field
// the way a player would have put it there, and files that are not plugins are refused.

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "CoreTest.h"

#include "PluginReader.h"
#include "SavedPlugin.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace vormo;
using namespace vormo::test;

namespace {

const std::string kMarker = "VORMOKIT:WEAPONPLUGIN";

// The marker and lines separated by "|", with CR LF line ends.
std::string pluginOf(std::string lines)
{
    for (std::size_t at; (at = lines.find('|')) != std::string::npos;)
        lines.replace(at, 1, "\r\n");
    return kMarker + "\r\n" + lines + "\r\n";
}

// Every field as text, check and enabled state, to compare whole weapons.
std::u16string described(const WeaponValues& weapon)
{
    std::u16string out;
    for (const FieldDef& def : fields())
        out += ascii(def.name) + u'=' + weapon.text(def) + (weapon.isChecked(def) ? u" +" : u" -") +
               (weapon.isEnabled(def) ? u"*\n" : u"~\n");
    return out;
}

} // namespace

TEST_CASE("saved weapons come back byte for byte")
{
    const std::u16string rows[] = {
        kEveryFieldEdited + u"BulletColor=33", kEveryFieldEdited + kImageBullet,
        u"DetType=13 typed;EffectOnMap=007;DropShells=;FireSnd=abc;SplintCount=1;"
        u"SplinterType=0None;TrailType=-1;TrailDelay=8",
        u"Name=:Fire: Mk 2::\u00dc\u0153\u20ac\u2030\u00ff "};
    for (const std::u16string& edits : rows) {
        CAPTURE(edits);
        const std::string saved = savedPluginBytes(edited(edits));
        WeaponValues weapon = editedWeapon();
        readPlugin(saved).value().fillInto(weapon);
        CHECK(savedPluginBytes(weapon) == saved);
    }
}

TEST_CASE("files become fields")
{
    // A file, and the edits of a fresh weapon that show what a window shows after loading it.
    const std::string name(kMaxPluginFileSize - 30, 'n');
    const std::pair<std::string, std::u16string> rows[] = {
        {pluginOf("CREATEONHIT:3|MAPCHANGE:7|PTRAILPTYPE:13|SPLINTERTYPE:24|SOUNDLAUNCH:30|"
                  "LEAVESHELLS:4|SHOTTYPE:2"), // numbers pick the item of their own list
         u"DetType=3:Small Explosion;EffectOnMap=7:Greenball (Creates dirt);"
         u"ParticleType=13:Napalm-style flaming minibombs;SplinterType=24:Grasshopper 7;"
         u"FireSnd=30:BURNER;DropShells=4:Rarely;BulletType=2:Steer;*PartDelay;*LarpaTrail"},
        {pluginOf("SPLINTERTYPE:0|SHOTTYPE:5|CREATEONHIT:007|MAPCHANGE:|SOUNDEXPLODE:3:RIFLE"),
         u"SplinterType=0None;BulletType=5;DetType=007;EffectOnMap=;DetSnd=3:RIFLE"},
        {pluginOf("SPLINTERAMOUNT:3|SPLINTERCOLOR:12|SPLINTERSTYPE:0|OTRAILTYPE:0|OTRAILDELAY:7"),
         u"SplintCount=3;SplintCol=12;*SplintCol;*SplinterType;*Scatter"},
        {pluginOf("SPLINTERAMOUNT:0|SPLINTERCOLOR:12|SPLINTERTYPE:7|OTRAILTYPE:3|OTRAILDELAY:7|"
                  "PTRAILPTYPE:0|PTRAILDELAY:9|PTRAILTYPE:1"), // groups off keep their values
         u"SplintCol=12;SplinterType=7:Blood;TrailType=3:Small Explosion;TrailDelay=7;"
         u"*TrailDelay;+LarpaTrail"},
        {kMarker + "\rNAME:Cr\rSPEED:4\r", u"Name=Cr;Spd=4"},
        {pluginOf("SPEED:1|COLOUR:7|SPEED:2|speed:5|FirstFrame:9|:5|NAME"), u"Spd=2"},
        {pluginOf("NAME:" + name), u"Name=" + ascii(name)}, // 1 MiB
    };
    for (const auto& [bytes, edits] : rows) {
        CAPTURE(edits);
        WeaponValues weapon = editedWeapon(); // nothing of the weapon shown before may stay
        readPlugin(bytes).value().fillInto(weapon);
        CHECK(described(weapon) == described(edited(edits)));
    }

    const std::string refused[] = {pluginOf("NAME:" + name) + "\n", // 1 MiB and one byte
                                   "", kMarker + " \r\nNAME:x\r\n",
                                   pluginOf(std::string("NAME:a\0b", 8))};
    for (const std::string& bytes : refused)
        CHECK_FALSE(readPlugin(bytes));
}

TEST_CASE("a check box is checked by the text 1 alone, Scatter by 0 alone")
{
    const char* const texts[] = {"1", "0", "", "01", "10", "1 ", " 1", "true", "-1", "2", "\xb9"};
    for (const FieldDef& def : fields()) {
        if (def.kind != FieldKind::Check || !def.key || def.rule == ValueRule::BulletFrame)
            continue;
        const std::string checking = def.rule == ValueRule::InvertedCheck ? "0" : "1";
        for (const char* text : texts) {
            INFO(def.key, " = ", text);
            const auto content = readPlugin(pluginOf(std::string(def.key) + ':' + text));
            CHECK(content.value()[def].checked == (text == checking));
        }
        // Without its line a box keeps the fresh window's state.
        CHECK(readPlugin(pluginOf("NAME:x")).value()[def].checked == def.defaultChecked);
    }
}

TEST_CASE("a pixel bullet needs each of its three lines at the pixel's value")
{
    const std::vector<std::string> pixelThenImage[] = {
        {"NAME:x", "ANIMSFRAME:-1|ANIMFRAMES:0|ANIMLOOP:0", "ANIMLOOP:true"},
        {"ANIMSFRAME:7|ANIMFRAMES:0|ANIMLOOP:0", "ANIMSFRAME:-1|ANIMFRAMES:3",
         "ANIMSFRAME:-1|ANIMLOOP:1", "ANIMFRAMES:00", "ANIMSFRAME:-01", "ANIMSFRAME:"}};
    for (const bool pixel : {true, false})
        for (const std::string& lines : pixelThenImage[!pixel]) {
            CAPTURE(lines);
            const PluginContent content = readPlugin(pluginOf(lines)).value();
            CHECK(content.pixelBullet() == pixel);
            WeaponValues weapon;
            content.fillInto(weapon);
            CHECK(weapon.isChecked(field(u"BulletBox")) == pixel);
        }
}

TEST_CASE("loading files")
{
    WeaponValues weapon;
    loadPluginFile(fs::path(VORMO_TEST_DATA) / "foreign-plugin.vwp").fillInto(weapon);
    CHECK(savedPluginBytes(weapon) == fixture("foreign-plugin-resaved.vwp"));

    // Errors show the path as given, never read as a format.
    const auto load = [](const fs::path& p) { return errorOf([&] { loadPluginFile(p); }); };
    TempDir dir;
    const fs::path text = dir / u"text %1 %s \u00fc\u20ac.vwp";
    std::vector<fs::path> unreadable{dir / "missing.vwp", dir.path(), dir / "no/such.vwp"};
#ifndef _WIN32
    // A pipe with no writer is refused, not waited on; so is a device.
    unreadable.push_back(dir / "pipe %1 %s.vwp");
    REQUIRE(::mkfifo(unreadable.back().c_str(), 0600) == 0);
    unreadable.push_back("/dev/zero");
#endif
    for (const fs::path& path : unreadable)
        CHECK(load(path) == u"Cannot open file " + pathText(path));
    // A NUL would end the name early and open some other file.
    REQUIRE(writeFile(dir / "a", pluginOf("NAME:a")));
    CHECK(load((dir / "a").native() + fs::path::string_type{0, 'b'}) ==
          u"Cannot open file " + pathText(dir / "a%00b"));

    REQUIRE(writeFile(text, "text"));
    CHECK(load(text) == pathText(text) + u" is not a Vormo weapon plugin");
    // Its name, in the prompt too, would overflow the document Save writes through.
    REQUIRE(writeFile(text, pluginOf("NAME:" + std::string(33000, 'n'))));
    CHECK(load(text) == pathText(text) + u" is too large for the editor: a weapon it saves holds "
                                         u"at most 65535 characters");

    // A long file is read one byte past the limit, no further.
    REQUIRE(writeFile(text, std::string(kMaxPluginFileSize + 4096, 'x')));
    CHECK(readPluginBytes(text).value().size() == kMaxPluginFileSize + 1);
#ifndef _WIN32
    // The name's bytes reach the system as they are, whatever they would decode to.
    const fs::path raw = dir / "\xff\xfe weapon.vwp";
    REQUIRE(writeFile(raw, fixture("foreign-plugin.vwp")));
    CHECK(load(raw) == u"");
#endif
}
