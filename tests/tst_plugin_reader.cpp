// Reading plugins back: saved weapons come back byte for byte, every value lands in its field
// the way a player would have put it there, and files that are not plugins are refused with
// their message.
//
// Weapons and expectations are written as short edit lists: "Field=text" for a text,
// "+Field" / "-Field" for a checked / unchecked box, "*Field" / "~Field" for enabled /
// disabled.

#include "Errors.h"
#include "PluginReader.h"
#include "SavedPlugin.h"
#include "WeaponValues.h"

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace vormo;

namespace {

const QByteArray kMarker = "VORMOKIT:WEAPONPLUGIN";

struct Edit {
    QString field;
    char op; // '=', '+', '-', '*', '~'
    QString text;
};

Edit parseEdit(const QString& edit)
{
    const QChar first = edit.front();
    if (first == u'+' || first == u'-' || first == u'*' || first == u'~')
        return {edit.mid(1), char(first.unicode()), {}};
    const qsizetype eq = edit.indexOf(u'=');
    return {edit.left(eq), '=', edit.mid(eq + 1)};
}

WeaponValues edited(const QStringList& edits)
{
    WeaponValues weapon;
    for (const QString& e : edits) {
        const Edit edit = parseEdit(e);
        switch (edit.op) {
        case '=':
            weapon.setText(edit.field, edit.text);
            break;
        case '+':
        case '-':
            weapon.setChecked(edit.field, edit.op == '+');
            break;
        default:
            weapon.setEnabled(edit.field, edit.op == '*');
            break;
        }
    }
    return weapon;
}

// Checks weapon against the expectations; content has no enabled states, weapon has them all.
void verifyFields(const QStringList& expected, const PluginContent* content,
                  const WeaponValues* weapon)
{
    for (const QString& e : expected) {
        const Edit edit = parseEdit(e);
        const FieldDef& def = field(edit.field);
        switch (edit.op) {
        case '=':
            QCOMPARE(content ? content->fields[fieldIndex(def)].text : weapon->text(def),
                     edit.text);
            break;
        case '+':
        case '-':
            QCOMPARE(content ? content->fields[fieldIndex(def)].checked : weapon->isChecked(def),
                     edit.op == '+');
            break;
        default:
            QVERIFY2(weapon, "enabled states exist only once filled in");
            QCOMPARE(weapon->isEnabled(def), edit.op == '*');
            break;
        }
    }
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray fixture(const char* name)
{
    QFile file(QStringLiteral(VORMO_TEST_DATA "/") + QLatin1StringView(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", name);
    return file.readAll();
}

// A plugin of the marker and the given lines, with CR LF line ends.
QByteArray pluginOf(const QByteArrayList& lines)
{
    QByteArray bytes = kMarker + "\r\n";
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

QString loadError(const QString& path)
{
    try {
        loadPluginFile(path);
    } catch (const VormoError& error) {
        return error.message();
    }
    return {};
}

WeaponValues filled(const PluginContent& content)
{
    WeaponValues weapon;
    content.fillInto(weapon);
    return weapon;
}

// A stream of "x" of the given length (-1: endless) whose reads fail from failAt on (-1: never).
class StreamDevice final : public QIODevice {
public:
    StreamDevice(qint64 length, qint64 failAt) : length_(length), failAt_(failAt) {}
    bool isSequential() const override { return true; }
    qint64 delivered() const { return delivered_; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        if (failAt_ >= 0 && delivered_ >= failAt_)
            return -1;
        qint64 size = maxSize;
        if (length_ >= 0)
            size = qMin(size, length_ - delivered_);
        if (failAt_ >= 0)
            size = qMin(size, failAt_ - delivered_);
        std::fill_n(data, size, 'x');
        delivered_ += size;
        return size;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    qint64 length_;
    qint64 failAt_;
    qint64 delivered_ = 0;
};

const QStringList kEveryFieldEdited{
    QString::fromUtf16(u"Name=Flammenwerfer: Mk 2 \u00dc\u20ac"),
    "Dist= 11",
    "NumFire=12",
    "Spd=13",
    "PlsAcc=14",
    "MultAcc=15",
    "Recoil=16",
    "HitFrc=17",
    "MltBnce=18",
    "Damage=19",
    "DetTim=20",
    "DetVar=21 ",
    "WrmRng=22",
    "Blood=23",
    "Grav=24",
    "LoadTime=25",
    "ShotsPer=26",
    "Delay=27",
    "FireCone=28",
    "SplintCount=29",
    "SplintCol=30",
    "TrailDelay=31",
    "PartDelay=32",
    "DetType=1:Large Explosion",
    "DropShells=2:Usually",
    "EffectOnMap=3:Small hole",
    "SplinterType=4:Light-damage particles",
    "TrailType=5:Zimm flash",
    "ParticleType=6:Heavy-damage particles",
    "FireSnd=7:LARPA",
    "DetSnd=8:EXP3A",
    "BulletType=09x",
    "+RemOnHit",
    "+DetOnGrnd",
    "+DetOnWrm",
    "+HitObjs",
    "+DetsAffect",
    "+WrmAffects",
    "+SightOn",
    "+LarpaTrail",
    "+ReptFire",
    "-Scatter",
};

} // namespace

class PluginReaderTest : public QObject {
    Q_OBJECT
private slots:
    void savedWeaponsComeBackByteForByte_data();
    void savedWeaponsComeBackByteForByte();
    void noneTypedAsZeroAndTextLoadsAsNone_data();
    void noneTypedAsZeroAndTextLoadsAsNone();
    void valuesBecomeFieldStates_data();
    void valuesBecomeFieldStates();
    void fillLeavesFieldsAsTheRulesDo_data();
    void fillLeavesFieldsAsTheRulesDo();
    void markerAloneGivesAFreshWeapon();
    void foreignFileIsSavedAsTheRulesShowIt();
    void oddAndHostileFiles_data();
    void oddAndHostileFiles();
    void unopenableFiles_data();
    void unopenableFiles();
    void readingStopsPastTheLimit_data();
    void readingStopsPastTheLimit();
};

void PluginReaderTest::savedWeaponsComeBackByteForByte_data()
{
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<bool>("pixel");

    QTest::newRow("fresh") << QStringList() << true;
    QTest::newRow("every field edited, pixel bullet")
        << kEveryFieldEdited + QStringList{"BulletColor=33"} << true;
    QTest::newRow("every field edited, image bullet")
        << kEveryFieldEdited +
               QStringList{"-BulletBox", "FirstFrame=34", "NumFrames=35", "+LoopAnim", "*LoopAnim"}
        << false;

    QTest::newRow("splinters switched on")
        << QStringList{"SplintCount=3", "SplinterType=0None", "-Scatter"} << true;
    QTest::newRow("splinters off keep their values")
        << QStringList{"SplintCount=0", "SplintCol=12", "SplinterType=7:Blood", "+Scatter"} << true;
    QTest::newRow("splinter count cleared")
        << QStringList{"SplintCount=", "SplintCol=4", "-Scatter"} << true;
    QTest::newRow("splinter count 00") << QStringList{"SplintCount=00", "SplintCol=5"} << true;

    QTest::newRow("trail on") << QStringList{"TrailType=3:Small Explosion", "TrailDelay=4"} << true;
    QTest::newRow("trail off") << QStringList{"TrailType=0:None", "TrailDelay=1"} << true;
    QTest::newRow("trail typed 0") << QStringList{"TrailType=0", "TrailDelay=1"} << true;
    QTest::newRow("trail typed 00") << QStringList{"TrailType=00", "TrailDelay=6"} << true;
    QTest::newRow("trail cleared") << QStringList{"TrailType=", "TrailDelay=6"} << true;
    QTest::newRow("particle trail on")
        << QStringList{"ParticleType=13:Napalm-style flaming minibombs", "PartDelay=2",
                       "+LarpaTrail"}
        << true;
    QTest::newRow("particle trail off keeps larpa")
        << QStringList{"ParticleType=0:None", "PartDelay=1", "+LarpaTrail"} << true;

    QTest::newRow("pixel bullet colour") << QStringList{"BulletColor=40"} << true;
    QTest::newRow("image bullet") << QStringList{"-BulletBox", "FirstFrame=5", "NumFrames=3",
                                                 "+LoopAnim", "*LoopAnim"}
                                  << false;
    QTest::newRow("image bullet, first frame -1 with frames")
        << QStringList{"-BulletBox", "FirstFrame=-1", "NumFrames=4", "*LoopAnim"} << false;
    QTest::newRow("image bullet, first frame -1 looping")
        << QStringList{"-BulletBox", "FirstFrame=-1", "NumFrames=0", "+LoopAnim", "*LoopAnim"}
        << false;
    QTest::newRow("image bullet, empty first frame")
        << QStringList{"-BulletBox", "FirstFrame=", "NumFrames=0", "*LoopAnim"} << false;
    // Nothing in the file tells this one from a pixel bullet of colour 0; it is saved the same.
    QTest::newRow("image bullet shaped like a pixel bullet")
        << QStringList{"-BulletBox", "FirstFrame=-1", "NumFrames=0", "*LoopAnim"} << true;

    QTest::newRow("typed combo texts")
        << QStringList{"DetType=13 typed", "EffectOnMap=007", "DropShells=",   "FireSnd=abc",
                       "DetSnd=30",        "BulletType=09x",  "SplintCount=1", "SplinterType=0None",
                       "TrailType=-1",     "TrailDelay=8"}
        << true;
    QTest::newRow("name with colons and Windows-1252 characters")
        << QStringList{QString::fromUtf16(u"Name=:Fire: Mk 2::\u00dc\u0153\u20ac\u2030\u00ff ")}
        << true;
    QTest::newRow("empty name and values") << QStringList{"Name=", "Spd=", "Grav= "} << true;
}

void PluginReaderTest::savedWeaponsComeBackByteForByte()
{
    QFETCH(QStringList, edits);
    QFETCH(bool, pixel);

    const WeaponValues original = edited(edits);
    const QByteArray saved = savedPluginBytes(original);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("weapon.vwp"));
    writeFile(path, saved);

    const PluginContent content = loadPluginFile(path);
    QCOMPARE(content.pixelBullet(), pixel);
    const WeaponValues loaded = filled(content);
    QCOMPARE(savedPluginBytes(loaded), saved);
    for (const FieldDef& def : fields()) {
        if (def.kind == FieldKind::Edit)
            QCOMPARE(loaded.text(def), original.text(def));
    }
}

void PluginReaderTest::noneTypedAsZeroAndTextLoadsAsNone_data()
{
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("combo");
    QTest::addColumn<QByteArray>("savedLine");
    QTest::addColumn<QByteArray>("delayLine");

    QTest::newRow("trail 0:none") << QStringList{"TrailType=0:none", "TrailDelay=5"} << "TrailType"
                                  << QByteArray("OTRAILTYPE:0") << QByteArray("OTRAILDELAY:");
    QTest::newRow("particle 0zzz")
        << QStringList{"ParticleType=0zzz", "PartDelay=9", "+LarpaTrail"} << "ParticleType"
        << QByteArray("PTRAILPTYPE:0") << QByteArray("PTRAILDELAY:");
}

void PluginReaderTest::noneTypedAsZeroAndTextLoadsAsNone()
{
    QFETCH(QStringList, edits);
    QFETCH(QString, combo);
    QFETCH(QByteArray, savedLine);
    QFETCH(QByteArray, delayLine);

    const QByteArray saved = savedPluginBytes(edited(edits));
    QVERIFY(saved.contains("\r\n" + savedLine + "\r\n"));
    const std::optional<PluginContent> content = readPlugin(saved);
    QVERIFY(content);
    QCOMPARE((*content)[combo].text, u"0:None");

    // The trail counts as unused now: its delay shows "1", every other line stays.
    const QByteArrayList before = saved.split('\n');
    const QByteArrayList after = savedPluginBytes(filled(*content)).split('\n');
    QCOMPARE(after.size(), before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        if (before[i].startsWith(delayLine))
            QCOMPARE(after[i], delayLine + "1\r");
        else
            QCOMPARE(after[i], before[i]);
    }
}

void PluginReaderTest::valuesBecomeFieldStates_data()
{
    QTest::addColumn<QByteArrayList>("lines");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("check boxes take 1 alone")
        << QByteArrayList{"WORMREMOVE:1",     "GROUNDEXPLODE:0",  "WORMEXPLODE:",
                          "OBJECTCOLLIDE:01", "EXPLODEAFFECT:1 ", "WORMAFFECT:true",
                          "LASERSIGHT:2",     "PTRAILTYPE:1",     "SOUNDLOOP: 1"}
        << QStringList{"+RemOnHit",   "-DetOnGrnd", "-DetOnWrm",   "-HitObjs", "-DetsAffect",
                       "-WrmAffects", "-SightOn",   "+LarpaTrail", "-ReptFire"};
    QTest::newRow("scatter 0 is checked")
        << QByteArrayList{"SPLINTERSTYPE:0"} << QStringList{"+Scatter"};
    QTest::newRow("scatter 1 is unchecked")
        << QByteArrayList{"SPLINTERSTYPE:1"} << QStringList{"-Scatter"};
    QTest::newRow("scatter empty is unchecked")
        << QByteArrayList{"SPLINTERSTYPE:"} << QStringList{"-Scatter"};
    QTest::newRow("combo numbers pick the item of their own list")
        << QByteArrayList{"CREATEONHIT:3",  "OTRAILTYPE:9",    "MAPCHANGE:7",    "PTRAILPTYPE:0",
                          "SPLINTERTYPE:0", "SPLINTERTYPE:24", "SOUNDLAUNCH:30", "SOUNDEXPLODE:1",
                          "LEAVESHELLS:4",  "SHOTTYPE:0"}
        << QStringList{"DetType=3:Small Explosion",
                       "TrailType=9:Small Explosion (silent)",
                       "EffectOnMap=7:Greenball (Creates dirt)",
                       "ParticleType=0:None",
                       "SplinterType=24:Grasshopper 7",
                       "FireSnd=30:BURNER",
                       "DetSnd=1:SHOTGUN",
                       "DropShells=4:Rarely",
                       "BulletType=0:Normal"};
    QTest::newRow("splinter type 0 is its list's own first item")
        << QByteArrayList{"SPLINTERTYPE:0"} << QStringList{"SplinterType=0None"};
    QTest::newRow("combo values without an item stay as typed")
        << QByteArrayList{"SHOTTYPE:5",           "CREATEONHIT:007", "MAPCHANGE:",
                          "SOUNDEXPLODE:3:RIFLE", "PTRAILPTYPE:-1",  "OTRAILTYPE:00",
                          "LEAVESHELLS: 1"}
        << QStringList{"BulletType=5",    "DetType=007",  "EffectOnMap=", "DetSnd=3:RIFLE",
                       "ParticleType=-1", "TrailType=00", "DropShells= 1"};
    QTest::newRow("texts as written, colons included")
        << QByteArrayList{"NAME:a:b:c", "SPEED::", "GRAVITY:", "DISTRIBUTION: 11 ",
                          "TIMETOEXPLODEV:x\ty"}
        << QStringList{"Name=a:b:c", "Spd=:", "Grav=", "Dist= 11 ", "DetVar=x\ty"};
    QTest::newRow("windows-1252 bytes")
        << QByteArrayList{"NAME:\x80\x9f\xff\x81\xdc"}
        << QStringList{QString::fromUtf16(u"Name=\u20ac\u0178\u00ff\u0081\u00dc")};
    QTest::newRow("last repeat wins") << QByteArrayList{"SPEED:1", "SPEED:2",      "NAME:first",
                                                        "NAME:",   "WORMREMOVE:1", "WORMREMOVE:0"}
                                      << QStringList{"Spd=2", "Name=", "-RemOnHit"};
    QTest::newRow("keys are case-sensitive and exact")
        << QByteArrayList{"speed:5", "SPEED :5", " SPEED:5", "Speed:5", "SPEEDX:5"}
        << QStringList{"Spd=0"};
    QTest::newRow("prompt, selection, shadow and marker lines set nothing")
        << QByteArrayList{"PROMPT:This will activate the weapon X.  Do you want to continue?",
                          "WEAPON:NAME", "SHADOW:0", "VORMOKIT:WEAPONPLUGIN", "NAME"}
        << QStringList{"Name=NAME"};
    QTest::newRow("missing keys keep the fresh defaults")
        << QByteArrayList{}
        << QStringList{"Name=NAME",          "LoadTime=500",          "MultAcc=100",
                       "ShotsPer=1",         "SplinterType=0:None",   "+Scatter",
                       "DropShells=0:Never", "EffectOnMap=0:Default", "BulletType=0:Normal",
                       "+BulletBox",         "FirstFrame=-1",         "NumFrames=0",
                       "-LoopAnim"};

    QTest::newRow("pixel bullet") << QByteArrayList{"ANIMSFRAME:-1", "ANIMFRAMES:0", "ANIMLOOP:0"}
                                  << QStringList{"+BulletBox", "FirstFrame=-1", "NumFrames=0",
                                                 "-LoopAnim"};
    QTest::newRow("pixel bullet, loop other than 1")
        << QByteArrayList{"ANIMSFRAME:-1", "ANIMFRAMES:0", "ANIMLOOP:2"}
        << QStringList{"+BulletBox", "-LoopAnim"};
    QTest::newRow("pixel bullet, frame keys missing")
        << QByteArrayList{"ANIMSFRAME:-1"} << QStringList{"+BulletBox"};
    QTest::newRow("image bullet by its first frame")
        << QByteArrayList{"ANIMSFRAME:7"}
        << QStringList{"-BulletBox", "FirstFrame=7", "NumFrames=0", "-LoopAnim"};
    QTest::newRow("image bullet, first frame -1 with frames")
        << QByteArrayList{"ANIMSFRAME:-1", "ANIMFRAMES:3"}
        << QStringList{"-BulletBox", "FirstFrame=-1", "NumFrames=3"};
    QTest::newRow("image bullet, first frame -1 looping")
        << QByteArrayList{"ANIMSFRAME:-1", "ANIMFRAMES:0", "ANIMLOOP:1"}
        << QStringList{"-BulletBox", "FirstFrame=-1", "+LoopAnim"};
    QTest::newRow("image bullet, frames 00")
        << QByteArrayList{"ANIMSFRAME:-1", "ANIMFRAMES:00"} << QStringList{"-BulletBox"};
    QTest::newRow("image bullet, first frame ' -1'")
        << QByteArrayList{"ANIMSFRAME: -1"} << QStringList{"-BulletBox", "FirstFrame= -1"};
    QTest::newRow("image bullet, empty first frame")
        << QByteArrayList{"ANIMSFRAME:"} << QStringList{"-BulletBox", "FirstFrame="};
    QTest::newRow("image bullet, frames without a first frame")
        << QByteArrayList{"ANIMFRAMES:2"} << QStringList{"-BulletBox", "FirstFrame=-1"};
}

void PluginReaderTest::valuesBecomeFieldStates()
{
    QFETCH(QByteArrayList, lines);
    QFETCH(QStringList, expected);
    const std::optional<PluginContent> content = readPlugin(pluginOf(lines));
    QVERIFY(content);
    verifyFields(expected, &*content, nullptr);
}

void PluginReaderTest::fillLeavesFieldsAsTheRulesDo_data()
{
    QTest::addColumn<QByteArrayList>("lines");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("splinters on") << QByteArrayList{"SPLINTERAMOUNT:3", "SPLINTERCOLOR:12",
                                                    "SPLINTERSTYPE:0", "SPLINTERTYPE:7"}
                                  << QStringList{
                                         "*SplintCol",   "*SplinterType",        "*Scatter",
                                         "SplintCol=12", "SplinterType=7:Blood", "+Scatter"};
    QTest::newRow("splinters off keep their values")
        << QByteArrayList{"SPLINTERAMOUNT:0", "SPLINTERCOLOR:12", "SPLINTERSTYPE:0",
                          "SPLINTERTYPE:7"}
        << QStringList{"~SplintCol",           "~SplinterType", "~Scatter",    "SplintCol=12",
                       "SplinterType=7:Blood", "+Scatter",      "*SplintCount"};
    QTest::newRow("splinter count empty is in use")
        << QByteArrayList{"SPLINTERAMOUNT:"} << QStringList{"*SplintCol", "SplintCount="};
    QTest::newRow("trail on") << QByteArrayList{"OTRAILTYPE:3", "OTRAILDELAY:7"}
                              << QStringList{"*TrailDelay", "TrailDelay=7", "*TrailType"};
    QTest::newRow("trail off shows delay 1")
        << QByteArrayList{"OTRAILTYPE:0", "OTRAILDELAY:7"}
        << QStringList{"~TrailDelay", "TrailDelay=1", "TrailType=0:None", "*TrailType"};
    QTest::newRow("trail 00 is in use") << QByteArrayList{"OTRAILTYPE:00", "OTRAILDELAY:7"}
                                        << QStringList{"*TrailDelay", "TrailDelay=7"};
    QTest::newRow("particle trail on")
        << QByteArrayList{"PTRAILPTYPE:4", "PTRAILDELAY:9", "PTRAILTYPE:1"}
        << QStringList{"*PartDelay", "PartDelay=9", "*LarpaTrail", "+LarpaTrail"};
    QTest::newRow("particle trail off keeps larpa")
        << QByteArrayList{"PTRAILPTYPE:0", "PTRAILDELAY:9", "PTRAILTYPE:1"}
        << QStringList{"~PartDelay", "PartDelay=1", "~LarpaTrail", "+LarpaTrail"};
    QTest::newRow("trail groups are independent")
        << QByteArrayList{"OTRAILTYPE:2", "OTRAILDELAY:3", "PTRAILPTYPE:0", "PTRAILDELAY:9"}
        << QStringList{"*TrailDelay", "TrailDelay=3", "~PartDelay", "PartDelay=1"};
    QTest::newRow("pixel bullet") << QByteArrayList{"BULLETCOLOR:40", "ANIMSFRAME:-1", "ANIMLOOP:2"}
                                  << QStringList{"*BulletColor",  "BulletColor=40", "~FirstFrame",
                                                 "FirstFrame=-1", "~NumFrames",     "NumFrames=0",
                                                 "~LoopAnim",     "-LoopAnim",      "+BulletBox",
                                                 "*BulletBox"};
    QTest::newRow("image bullet hides its colour")
        << QByteArrayList{"BULLETCOLOR:40", "ANIMSFRAME:5", "ANIMFRAMES:2", "ANIMLOOP:1"}
        << QStringList{"~BulletColor", "BulletColor=0", "*FirstFrame", "FirstFrame=5",
                       "*NumFrames",   "NumFrames=2",   "*LoopAnim",   "+LoopAnim",
                       "-BulletBox",   "*BulletBox"};
    QTest::newRow("everything else stays enabled")
        << QByteArrayList{"SPLINTERAMOUNT:0", "OTRAILTYPE:0", "PTRAILPTYPE:0", "ANIMSFRAME:3"}
        << QStringList{"*Name",         "*SplintCount", "*TrailType",
                       "*ParticleType", "*DetType",     "*LoadTime"};
}

void PluginReaderTest::fillLeavesFieldsAsTheRulesDo()
{
    QFETCH(QByteArrayList, lines);
    QFETCH(QStringList, expected);
    const std::optional<PluginContent> content = readPlugin(pluginOf(lines));
    QVERIFY(content);
    // Filling into a weapon that shows something else must not leave anything of it behind.
    WeaponValues weapon = edited(kEveryFieldEdited);
    for (const FieldDef& def : fields())
        weapon.setEnabled(QString::fromLatin1(def.name), false);
    content->fillInto(weapon);
    verifyFields(expected, nullptr, &weapon);
}

void PluginReaderTest::markerAloneGivesAFreshWeapon()
{
    for (const QByteArray& bytes : {kMarker, kMarker + "\r\n", kMarker + "\n\n\r"}) {
        const std::optional<PluginContent> content = readPlugin(bytes);
        QVERIFY(content);
        WeaponValues weapon = edited(kEveryFieldEdited + QStringList{"-BulletBox"});
        content->fillInto(weapon);
        const WeaponValues fresh;
        for (const FieldDef& def : fields()) {
            QCOMPARE(weapon.text(def), fresh.text(def));
            QCOMPARE(weapon.isChecked(def), fresh.isChecked(def));
            QCOMPARE(weapon.isEnabled(def), fresh.isEnabled(def));
        }
    }
}

void PluginReaderTest::foreignFileIsSavedAsTheRulesShowIt()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("hand-made.txt"));
    writeFile(path, fixture("foreign-plugin.vwp"));
    const PluginContent content = loadPluginFile(path);
    QCOMPARE(savedPluginBytes(filled(content)), fixture("foreign-plugin-resaved.vwp"));
}

void PluginReaderTest::oddAndHostileFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QStringList>("expected");

    const QString plain = QStringLiteral("weapon.vwp");
    QTest::newRow("empty file") << QByteArray() << plain << false << QStringList();
    QTest::newRow("wrong marker") << pluginOf({"NAME:x"}).replace("PLUGIN", "PLUGIX") << plain
                                  << false << QStringList();
    QTest::newRow("marker in lower case")
        << pluginOf({}).toLower() << plain << false << QStringList();
    QTest::newRow("marker with a trailing space")
        << QByteArray(kMarker + " \r\nNAME:x\r\n") << plain << false << QStringList();
    QTest::newRow("marker after a byte-order mark")
        << QByteArray("\xef\xbb\xbf" + pluginOf({"NAME:x"})) << plain << false << QStringList();
    QTest::newRow("marker on the second line")
        << QByteArray("\r\n" + pluginOf({"NAME:x"})) << plain << false << QStringList();
    QTest::newRow("one line, not the marker")
        << QByteArray("NAME:x\r\n") << plain << false << QStringList();
    QTest::newRow("one line, the marker without a line end")
        << kMarker << plain << true << QStringList{"Name=NAME"};
    QTest::newRow("only CR line ends") << QByteArray(kMarker + "\rNAME:Cr\rSPEED:4\rSHADOW:1\r")
                                       << plain << true << QStringList{"Name=Cr", "Spd=4"};
    QTest::newRow("LF, CR LF, CR and LF CR mixed")
        << QByteArray(kMarker + "\nNAME:a\r\nSPEED:4\rGRAVITY:5\n\rBLOOD:6") << plain << true
        << QStringList{"Name=a", "Spd=4", "Grav=5", "Blood=6"};
    QTest::newRow("NUL byte in a value")
        << pluginOf({QByteArray("NAME:a\0b", 8)}) << plain << false << QStringList();
    QTest::newRow("NUL byte at the end")
        << QByteArray(pluginOf({"NAME:a"}) + '\0') << plain << false << QStringList();

    QByteArray exactly = pluginOf({"NAME:"});
    exactly.insert(exactly.size() - 2, QByteArray(kMaxPluginFileSize - exactly.size(), 'x'));
    QTest::newRow("exactly 1 MiB")
        << exactly << plain << true << QStringList{"Name=" + QString(exactly.size() - 30, u'x')};
    QTest::newRow("1 MiB and one byte")
        << QByteArray(exactly + "\n") << plain << false << QStringList();
    QByteArray twoMiB = kMarker + "\r\n";
    while (twoMiB.size() < 2 * 1024 * 1024)
        twoMiB += "NAME:text of a weapon plugin\r\n";
    QTest::newRow("2 MiB of text") << twoMiB << plain << false << QStringList();
    QTest::newRow("100 kB line") << pluginOf({"NAME:" + QByteArray(100'000, 'n'), "SPEED:3"})
                                 << plain << true
                                 << QStringList{"Name=" + QString(100'000, u'n'), "Spd=3"};

    QTest::newRow("repeated and unknown keys")
        << pluginOf({"SPEED:1", "COLOUR:7", "SPEED:2", "FirstFrame:9", "ANIMSFRAME:4",
                     "ANIMSFRAME:-1", ":5", "NAME"})
        << plain << true << QStringList{"Spd=2", "+BulletBox", "FirstFrame=-1", "Name=NAME"};
    QTest::newRow("values with colons")
        << pluginOf({"NAME::a::", "CREATEONHIT:3:Small Explosion", "TIMETOEXPLODE:1:2"}) << plain
        << true << QStringList{"Name=:a::", "DetType=3:Small Explosion", "DetTim=1:2"};
    QTest::newRow("any extension")
        << pluginOf({"NAME:t"}) << QStringLiteral("weapon.txt") << true << QStringList{"Name=t"};
    QTest::newRow("path is not a format")
        << QByteArray("not a plugin") << QStringLiteral("100%1 %s %n <b>x<b>.vwp") << false
        << QStringList();
}

void PluginReaderTest::oddAndHostileFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, fileName);
    QFETCH(bool, accepted);
    QFETCH(QStringList, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(fileName);
    writeFile(path, bytes);

    QCOMPARE(readPlugin(bytes).has_value(), accepted);
    if (!accepted) {
        QCOMPARE(loadError(path), path + QStringLiteral(" is not a Vormo weapon plugin"));
        return;
    }
    const PluginContent content = loadPluginFile(path);
    verifyFields(expected, &content, nullptr);
}

void PluginReaderTest::unopenableFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing file") << "missing";
    QTest::newRow("folder") << "folder";
    QTest::newRow("empty path") << "empty";
#ifdef Q_OS_UNIX
    QTest::newRow("pipe without a writer") << "fifo";
    QTest::newRow("unreadable file") << "unreadable";
#endif
}

void PluginReaderTest::unopenableFiles()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString path = dir.filePath(QStringLiteral("%1 weapon.vwp"));
    if (kind == u"folder") {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("%1 weapon.vwp")));
    } else if (kind == u"empty") {
        path.clear();
#ifdef Q_OS_UNIX
    } else if (kind == u"fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == u"unreadable") {
        if (::geteuid() == 0)
            QSKIP("root reads every file");
        writeFile(path, pluginOf({}));
        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
#endif
    }
    QCOMPARE(loadError(path), QStringLiteral("Cannot open file ") + path);
}

void PluginReaderTest::readingStopsPastTheLimit_data()
{
    QTest::addColumn<qint64>("length");   // -1: endless
    QTest::addColumn<qint64>("failAt");   // -1: never
    QTest::addColumn<qint64>("expected"); // -1: reading fails
    const qint64 limit = kMaxPluginFileSize;
    QTest::newRow("endless stream") << qint64(-1) << qint64(-1) << limit + 1;
    QTest::newRow("short stream") << qint64(100) << qint64(-1) << qint64(100);
    QTest::newRow("exactly the limit") << limit << qint64(-1) << limit;
    QTest::newRow("empty stream") << qint64(0) << qint64(-1) << qint64(0);
    QTest::newRow("failing at once") << qint64(-1) << qint64(0) << qint64(-1);
    QTest::newRow("failing midway") << qint64(-1) << qint64(5000) << qint64(-1);
}

void PluginReaderTest::readingStopsPastTheLimit()
{
    QFETCH(qint64, length);
    QFETCH(qint64, failAt);
    QFETCH(qint64, expected);

    StreamDevice device(length, failAt);
    QVERIFY(device.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
    const std::optional<QByteArray> bytes = readPluginBytes(device);
    if (expected < 0) {
        QVERIFY(!bytes);
        return;
    }
    QVERIFY(bytes);
    QCOMPARE(bytes->size(), expected);
    QCOMPARE(device.delivered(), expected);
}

QTEST_GUILESS_MAIN(PluginReaderTest)
#include "tst_plugin_reader.moc"
