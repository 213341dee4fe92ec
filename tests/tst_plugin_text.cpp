// The plugin text of a weapon: key order, value rules, number prefixes and item lists.
// Expected lines are written out here by hand, independently of the field table.

#include "FieldTable.h"
#include "NumberPrefix.h"
#include "PluginWriter.h"
#include "TestSupport.h"
#include "WeaponValues.h"
#include "Windows1252.h"

#include <QSet>
#include <QTest>

using namespace vormo;

namespace {

using test::fixture;

QStringList linesOf(const WeaponValues& weapon) { return buildPluginText(weapon).split(u'\n'); }

// Counts how often FirstFrame is read, to prove a pixel bullet never looks at it.
class CountingValues final : public FieldAccess {
public:
    WeaponValues values;
    mutable int firstFrameReads = 0;
    QString text(const FieldDef& f) const override
    {
        if (QLatin1StringView(f.name) == u"FirstFrame")
            ++firstFrameReads;
        return values.text(f);
    }
    bool isChecked(const FieldDef& f) const override { return values.isChecked(f); }
    bool isEnabled(const FieldDef& f) const override { return values.isEnabled(f); }
};

} // namespace

class PluginTextTest : public QObject {
    Q_OBJECT
private slots:
    void freshWeaponMatchesFixtureByteForByte();
    void everyFieldEditedMatchesFixture();
    void eachFieldFeedsItsOwnLine_data();
    void eachFieldFeedsItsOwnLine();
    void bulletFrameFollowsBulletBox_data();
    void bulletFrameFollowsBulletBox();
    void pixelBulletNeverReadsFirstFrame();
    void loopAnimNeedsCheckedAndEnabled_data();
    void loopAnimNeedsCheckedAndEnabled();
    void emptyNameLeavesPromptAndNameLineBare();
    void numberPrefix_data();
    void numberPrefix();
    void itemListsAreNumberedInOrder_data();
    void itemListsAreNumberedInOrder();
    void splinterTypeListDiffersFromItsDefault();
    void windowOrderMatchesTabRows();
};

void PluginTextTest::freshWeaponMatchesFixtureByteForByte()
{
    const QString text = buildPluginText(WeaponValues());
    QCOMPARE(toWindows1252(text), fixture("fresh-plugin.txt"));
    QCOMPARE(text.count(u'\n'), 49);
    QVERIFY(text.endsWith(u"SHADOW:1"));
}

void PluginTextTest::everyFieldEditedMatchesFixture()
{
    QCOMPARE(toWindows1252(buildPluginText(test::editedWeapon())), fixture("edited-plugin.txt"));
}

void PluginTextTest::eachFieldFeedsItsOwnLine_data()
{
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<int>("line"); // 1-based
    QTest::addColumn<QString>("expected");

    // Edit boxes take a marker text, combo boxes a typed "77x", check boxes flip.
    const struct {
        const char* field;
        int line;
        const char* expected;
    } rows[] = {
        {"Dist", 15, "DISTRIBUTION:77"},
        {"NumFire", 35, "NUMOBJECTS:77"},
        {"Spd", 40, "SPEED:77"},
        {"PlsAcc", 5, "ACCADD:77"},
        {"MultAcc", 41, "ACCMULTIPLY:77"},
        {"Recoil", 36, "RECOIL:77"},
        {"HitFrc", 9, "BLOW:77"},
        {"MltBnce", 42, "BOUNCE:77"},
        {"Damage", 22, "HITDAMAGE:77"},
        {"DetType", 23, "CREATEONHIT:77"},
        {"DetTim", 48, "TIMETOEXPLODE:77"},
        {"DetVar", 49, "TIMETOEXPLODEV:77"},
        {"WrmRng", 17, "WORMDETECTRANGE:77"},
        {"RemOnHit", 12, "WORMREMOVE:1"},
        {"DetOnGrnd", 13, "GROUNDEXPLODE:1"},
        {"DetOnWrm", 18, "WORMEXPLODE:1"},
        {"Blood", 8, "BLOOD:77"},
        {"HitObjs", 14, "OBJECTCOLLIDE:1"},
        {"DetsAffect", 16, "EXPLODEAFFECT:1"},
        {"WrmAffects", 6, "WORMAFFECT:1"},
        {"Grav", 21, "GRAVITY:77"},
        {"LoadTime", 31, "LOADINGTIME:77"},
        {"ShotsPer", 7, "AMMO:77"},
        {"Delay", 11, "SHOTDELAY:77"},
        {"SightOn", 28, "LASERSIGHT:1"},
        {"DropShells", 30, "LEAVESHELLS:77"},
        {"FireCone", 20, "FIRECONE:77"},
        {"EffectOnMap", 24, "MAPCHANGE:77"},
        {"SplintCount", 43, "SPLINTERAMOUNT:77"},
        {"SplintCol", 44, "SPLINTERCOLOR:77"},
        {"SplinterType", 46, "SPLINTERTYPE:77"},
        {"Scatter", 45, "SPLINTERSTYPE:1"},
        {"TrailType", 39, "OTRAILTYPE:77"},
        {"TrailDelay", 38, "OTRAILDELAY:77"},
        {"ParticleType", 26, "PTRAILPTYPE:77"},
        {"PartDelay", 25, "PTRAILDELAY:77"},
        {"LarpaTrail", 27, "PTRAILTYPE:1"},
        {"FireSnd", 29, "SOUNDLAUNCH:77"},
        {"ReptFire", 33, "SOUNDLOOP:1"},
        {"DetSnd", 19, "SOUNDEXPLODE:77"},
        {"BulletType", 37, "SHOTTYPE:77"},
        {"BulletColor", 10, "BULLETCOLOR:77"},
        {"NumFrames", 34, "ANIMFRAMES:77"},
        {"BulletBox", 47, "ANIMSFRAME:-1"},
    };
    for (const auto& row : rows)
        QTest::newRow(row.field) << QString::fromLatin1(row.field) << row.line
                                 << QString::fromLatin1(row.expected);
}

void PluginTextTest::eachFieldFeedsItsOwnLine()
{
    QFETCH(QString, fieldName);
    QFETCH(int, line);
    QFETCH(QString, expected);

    WeaponValues w;
    // An image bullet first, so that flipping BulletBox back to pixel shows on line 47.
    w.setChecked(u"BulletBox", false);
    w.setText(u"FirstFrame", QStringLiteral("5"));
    const QStringList before = linesOf(w);

    const FieldDef& def = field(fieldName);
    switch (def.kind) {
    case FieldKind::Edit:
        w.setText(fieldName, QStringLiteral("77"));
        break;
    case FieldKind::Combo:
        w.setText(fieldName, QStringLiteral("77x"));
        break;
    case FieldKind::Check:
        w.setChecked(fieldName, !w.isChecked(def));
        break;
    }
    const QStringList after = linesOf(w);

    QCOMPARE(after.size(), 50);
    QCOMPARE(after[line - 1], expected);
    for (int i = 0; i < after.size(); ++i) {
        if (i != line - 1)
            QCOMPARE(after[i], before[i]);
    }
}

void PluginTextTest::bulletFrameFollowsBulletBox_data()
{
    QTest::addColumn<bool>("pixel");
    QTest::addColumn<QString>("firstFrame");
    QTest::addColumn<QString>("expected");
    QTest::newRow("pixel ignores frame") << true << "12"
                                         << "ANIMSFRAME:-1";
    QTest::newRow("image takes frame") << false << "12"
                                       << "ANIMSFRAME:12";
    QTest::newRow("image keeps -1") << false << "-1"
                                    << "ANIMSFRAME:-1";
    QTest::newRow("image with empty frame") << false << ""
                                            << "ANIMSFRAME:";
    QTest::newRow("image frame as typed") << false << " 7a"
                                          << "ANIMSFRAME: 7a";
}

void PluginTextTest::bulletFrameFollowsBulletBox()
{
    QFETCH(bool, pixel);
    QFETCH(QString, firstFrame);
    QFETCH(QString, expected);
    WeaponValues w;
    w.setChecked(u"BulletBox", pixel);
    w.setText(u"FirstFrame", firstFrame);
    QCOMPARE(linesOf(w)[46], expected);
}

void PluginTextTest::pixelBulletNeverReadsFirstFrame()
{
    CountingValues w;
    buildPluginText(w);
    QCOMPARE(w.firstFrameReads, 0);
    w.values.setChecked(u"BulletBox", false);
    buildPluginText(w);
    QCOMPARE(w.firstFrameReads, 1);
}

void PluginTextTest::loopAnimNeedsCheckedAndEnabled_data()
{
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("expected");
    QTest::newRow("checked, enabled") << true << true << "ANIMLOOP:1";
    QTest::newRow("checked, disabled") << true << false << "ANIMLOOP:0";
    QTest::newRow("unchecked, enabled") << false << true << "ANIMLOOP:0";
    QTest::newRow("unchecked, disabled") << false << false << "ANIMLOOP:0";
}

void PluginTextTest::loopAnimNeedsCheckedAndEnabled()
{
    QFETCH(bool, checked);
    QFETCH(bool, enabled);
    QFETCH(QString, expected);
    WeaponValues w;
    w.setChecked(u"LoopAnim", checked);
    w.setEnabled(u"LoopAnim", enabled);
    QCOMPARE(linesOf(w)[31], expected);
}

void PluginTextTest::emptyNameLeavesPromptAndNameLineBare()
{
    WeaponValues w;
    w.setText(u"Name", QString());
    const QStringList lines = linesOf(w);
    QCOMPARE(lines[1], u"PROMPT:This will activate the weapon .  Do you want to continue?");
    QCOMPARE(lines[3], u"NAME:");
}

void PluginTextTest::numberPrefix_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("item") << "13:Napalm-style flaming minibombs"
                          << "13";
    QTest::newRow("no colon") << "0None"
                              << "0";
    QTest::newRow("digits only") << "42"
                                 << "42";
    QTest::newRow("leading zeros") << "007"
                                   << "007";
    QTest::newRow("sign") << "-1"
                          << "";
    QTest::newRow("leading space") << " 5"
                                   << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("letters") << "None"
                             << "";
    QTest::newRow("arabic-indic digit") << QString::fromUtf16(u"\u0663") << "";
    QTest::newRow("fullwidth digit after digit") << QString::fromUtf16(u"1\uFF12") << "1";
    QTest::newRow("superscript two") << QString::fromUtf16(u"\u00B2") << "";
}

void PluginTextTest::numberPrefix()
{
    QFETCH(QString, text);
    QFETCH(QString, prefix);
    QCOMPARE(vormo::numberPrefix(text), prefix);
}

void PluginTextTest::itemListsAreNumberedInOrder_data()
{
    QTest::addColumn<int>("list");
    QTest::addColumn<int>("count");
    QTest::newRow("explosion") << int(ItemListId::Explosion) << 10;
    QTest::newRow("map effect") << int(ItemListId::MapEffect) << 8;
    QTest::newRow("particle") << int(ItemListId::Particle) << 25;
    QTest::newRow("splinter particle") << int(ItemListId::SplinterParticle) << 25;
    QTest::newRow("sound") << int(ItemListId::Sound) << 31;
    QTest::newRow("shell frequency") << int(ItemListId::ShellFrequency) << 5;
    QTest::newRow("bullet type") << int(ItemListId::BulletType) << 5;
}

void PluginTextTest::itemListsAreNumberedInOrder()
{
    QFETCH(int, list);
    QFETCH(int, count);
    const QStringList& items = itemList(ItemListId(list));
    QCOMPARE(items.size(), count);
    for (int i = 0; i < items.size(); ++i)
        QCOMPARE(vormo::numberPrefix(items[i]), QString::number(i));
    // Every combo box but SplinterType shows its list's first item at start.
    for (const FieldDef& def : fields()) {
        if (def.items == ItemListId(list) && def.items != ItemListId::SplinterParticle)
            QCOMPARE(def.defaultString(), items.first());
    }
}

void PluginTextTest::splinterTypeListDiffersFromItsDefault()
{
    const FieldDef& splinter = field(u"SplinterType");
    QCOMPARE(itemList(splinter.items).first(), u"0None");
    QCOMPARE(splinter.defaultString(), u"0:None");
    QCOMPARE(itemList(splinter.items).mid(1), itemList(ItemListId::Particle).mid(1));
}

void PluginTextTest::windowOrderMatchesTabRows()
{
    // The first and last fields of each column, as the window shows them.
    QCOMPARE(int(fields().size()), kFieldCount);
    QCOMPARE(QLatin1StringView(fields()[0].name), u"Name");
    QCOMPARE(QLatin1StringView(fields()[13].name), u"WrmRng");
    QCOMPARE(QLatin1StringView(fields()[14].name), u"RemOnHit");
    QCOMPARE(QLatin1StringView(fields()[28].name), u"EffectOnMap");
    QCOMPARE(QLatin1StringView(fields()[42].name), u"BulletColor");
    QCOMPARE(QLatin1StringView(fields()[46].name), u"BulletBox");
    QSet<QString> names;
    for (const FieldDef& def : fields())
        names.insert(QLatin1StringView(def.name));
    QCOMPARE(names.size(), kFieldCount);
}

QTEST_GUILESS_MAIN(PluginTextTest)
#include "tst_plugin_text.moc"
