// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Reading plugins back: saved weapons come back byte for byte, every value lands in its field
// the way a player would have put it there, and files that are not plugins are refused.

#include "PluginReader.h"
#include "SavedPlugin.h"
#include "TestSupport.h"

#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace vormo;
using namespace vormo::test;

const QByteArray kMarker = "VORMOKIT:WEAPONPLUGIN";

// The marker and lines separated by "|", with CR LF line ends.
static QByteArray pluginOf(const QByteArray& lines)
{
    return kMarker + "\r\n" + QByteArray(lines).replace('|', "\r\n") + "\r\n";
}

// A file and what a fresh window shows after loading it: edits of a fresh weapon separated by
// "|", or a null QByteArray when the file is refused.
static void addRow(const char* name, const QByteArray& bytes, const QByteArray& expected)
{
    QTest::newRow(name) << bytes << !expected.isNull()
                        << QString::fromUtf8(expected).split(u'|', Qt::SkipEmptyParts);
}

// Every field as text, check and enabled state, to compare whole weapons.
static QStringList described(const WeaponValues& weapon)
{
    QStringList out;
    for (const FieldDef& def : fields())
        out += QLatin1StringView(def.name) + u'=' + weapon.text(def) + u' ' +
               QChar(weapon.isChecked(def) ? u'+' : u'-') +
               QChar(weapon.isEnabled(def) ? u'*' : u'~');
    return out;
}

class PluginReaderTest : public QObject {
    Q_OBJECT
private slots:
    void savedWeaponsComeBackByteForByte_data()
    {
        QTest::addColumn<QStringList>("edits");
        QTest::newRow("every field edited, pixel bullet")
            << kEveryFieldEdited + QStringList{"BulletColor=33"};
        QTest::newRow("every field edited, image bullet") << kEveryFieldEdited + kImageBullet;
        QTest::newRow("typed combo texts") << QStringList{
            "DetType=13 typed", "EffectOnMap=007",    "DropShells=",  "FireSnd=abc",
            "SplintCount=1",    "SplinterType=0None", "TrailType=-1", "TrailDelay=8"};
        QTest::newRow("name with colons and Windows-1252 characters") << QStringList{
            QString::fromUtf16(u"Name=:Fire: Mk 2::\u00dc\u0153\u20ac\u2030\u00ff ")};
    }
    void savedWeaponsComeBackByteForByte()
    {
        QFETCH(QStringList, edits);
        const QByteArray saved = savedPluginBytes(edited(edits));
        WeaponValues loaded = editedWeapon();
        readPlugin(saved).value().fillInto(loaded);
        QCOMPARE(savedPluginBytes(loaded), saved);
    }

    void filesBecomeFields_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QStringList>("expected");
        addRow("check boxes take 1 alone, Scatter 1 unchecks",
               pluginOf("WORMREMOVE:1|GROUNDEXPLODE:0|WORMEXPLODE:|OBJECTCOLLIDE:01|"
                        "EXPLODEAFFECT:1 |WORMAFFECT:true|SPLINTERSTYPE:1"),
               "+RemOnHit|-Scatter");
        addRow("combo numbers pick the item of their own list",
               pluginOf("CREATEONHIT:3|MAPCHANGE:7|PTRAILPTYPE:13|SPLINTERTYPE:24|SOUNDLAUNCH:30|"
                        "LEAVESHELLS:4|SHOTTYPE:2"),
               "DetType=3:Small Explosion|EffectOnMap=7:Greenball (Creates dirt)|"
               "ParticleType=13:Napalm-style flaming minibombs|SplinterType=24:Grasshopper 7|"
               "FireSnd=30:BURNER|DropShells=4:Rarely|BulletType=2:Steer|*PartDelay|*LarpaTrail");
        addRow(
            "SplinterType 0 is 0None, numbers without an item stay as typed",
            pluginOf("SPLINTERTYPE:0|SHOTTYPE:5|CREATEONHIT:007|MAPCHANGE:|SOUNDEXPLODE:3:RIFLE"),
            "SplinterType=0None|BulletType=5|DetType=007|EffectOnMap=|DetSnd=3:RIFLE");
        addRow("splinters on, Scatter 0 checks, trail off shows delay 1",
               pluginOf("SPLINTERAMOUNT:3|SPLINTERCOLOR:12|SPLINTERSTYPE:0|OTRAILTYPE:0|"
                        "OTRAILDELAY:7"),
               "SplintCount=3|SplintCol=12|*SplintCol|*SplinterType|*Scatter");
        addRow("splinters off keep their values, trail on",
               pluginOf("SPLINTERAMOUNT:0|SPLINTERCOLOR:12|SPLINTERTYPE:7|OTRAILTYPE:3|"
                        "OTRAILDELAY:7|PTRAILPTYPE:0|PTRAILDELAY:9|PTRAILTYPE:1"),
               "SplintCol=12|SplinterType=7:Blood|TrailType=3:Small Explosion|TrailDelay=7|"
               "*TrailDelay|+LarpaTrail");
        addRow("image bullet by its first frame hides the colour",
               pluginOf("BULLETCOLOR:40|ANIMSFRAME:7"),
               "-BulletBox|*FirstFrame|*NumFrames|*LoopAnim|~BulletColor|FirstFrame=7");
        addRow("image bullet, first frame -1 with frames 00",
               pluginOf("ANIMSFRAME:-1|ANIMFRAMES:00"),
               "-BulletBox|*FirstFrame|*NumFrames|*LoopAnim|~BulletColor|NumFrames=00");

        addRow("only CR line ends", kMarker + "\rNAME:Cr\rSPEED:4\r", "Name=Cr|Spd=4");
        addRow("repeated and unknown keys",
               pluginOf("SPEED:1|COLOUR:7|SPEED:2|speed:5|FirstFrame:9|:5|NAME"), "Spd=2");
        const QByteArray name(kMaxPluginFileSize - 30, 'n');
        const QByteArray full = pluginOf("NAME:" + name); // 1 MiB
        addRow("a long line", full, "Name=" + name);

        addRow("1 MiB and one byte", full + "\n", {});
        addRow("empty", QByteArray(), {});
        addRow("marker with a trailing space", kMarker + " \r\nNAME:x\r\n", {});
        addRow("NUL byte", pluginOf(QByteArray("NAME:a\0b", 8)), {});
    }
    void filesBecomeFields()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, accepted);
        QFETCH(QStringList, expected);
        const std::optional<PluginContent> content = readPlugin(bytes);
        QCOMPARE(content.has_value(), accepted);
        if (!content)
            return;
        // Filling a weapon that shows something else must leave nothing of it behind.
        WeaponValues weapon = editedWeapon();
        content->fillInto(weapon);
        QCOMPARE(described(weapon), described(edited(expected)));
    }

    void loadingFiles()
    {
        WeaponValues weapon;
        loadPluginFile(QStringLiteral(VORMO_TEST_DATA "/foreign-plugin.vwp")).fillInto(weapon);
        QCOMPARE(savedPluginBytes(weapon), fixture("foreign-plugin-resaved.vwp"));

        // Errors show the path as typed. A pipe with no writer is refused, not waited on.
        const auto load = [](const QString& p) { return errorOf([&] { loadPluginFile(p); }); };
        QTemporaryDir dir;
        const QString pipe = dir.filePath(QStringLiteral("pipe %1 %s <b>.vwp"));
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        for (const QString& path : {dir.filePath(QStringLiteral("missing.vwp")), dir.path(), pipe})
            QCOMPARE(load(path), QStringLiteral("Cannot open file ") + path);
        const QString text = dir.filePath(QStringLiteral("text %1 %s <b>.vwp"));
        QVERIFY(writeFile(text, "text"));
        QCOMPARE(load(text), text + QStringLiteral(" is not a Vormo weapon plugin"));
        // Its name, in the prompt too, would overflow the document Save writes through.
        QVERIFY(writeFile(text, pluginOf("NAME:" + QByteArray(33000, 'n'))));
        QCOMPARE(load(text), text + QStringLiteral(" is too large for the editor: a weapon it "
                                                   "saves holds at most 65535 characters"));

        // An endless stream is read one byte past the limit, no further.
        QFile endless(QStringLiteral("/dev/zero"));
        QVERIFY(endless.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        QCOMPARE(readPluginBytes(endless).value().size(), kMaxPluginFileSize + 1);
    }
};

QTEST_GUILESS_MAIN(PluginReaderTest)
#include "tst_plugin_reader.moc"
