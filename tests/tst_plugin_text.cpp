// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The plugin text of a weapon: keys, value rules, number prefixes and item lists. Expected
// texts are written out here by hand, independently of the field table.

#include "NumberPrefix.h"
#include "TestSupport.h"
#include "Windows1252.h"

#include <QTest>

using namespace vormo;
using namespace vormo::test;

namespace {

// Counts how often FirstFrame is read, to prove a pixel bullet never looks at it.
struct CountingValues final : FieldAccess {
    WeaponValues values;
    mutable int firstFrameReads = 0;
    QString text(const FieldDef& f) const override
    {
        firstFrameReads += QLatin1StringView(f.name) == u"FirstFrame";
        return values.text(f);
    }
    bool isChecked(const FieldDef& f) const override { return values.isChecked(f); }
    bool isEnabled(const FieldDef& f) const override { return values.isEnabled(f); }
};

} // namespace

class PluginTextTest : public QObject {
    Q_OBJECT
private slots:
    void freshWeaponMatchesTheFixture()
    {
        QCOMPARE(toWindows1252(buildPluginText(WeaponValues())), fixture("fresh-plugin.txt"));
    }

    void eachFieldFeedsItsOwnKey()
    {
        // Each field and the one line it changes: edit and combo boxes get "77x", check boxes
        // flip. The bullet starts as a looping image, so that BulletBox can flip to a pixel.
        const QStringList expected =
            QStringLiteral(
                "Dist DISTRIBUTION:77x NumFire NUMOBJECTS:77x Spd SPEED:77x PlsAcc ACCADD:77x "
                "MultAcc ACCMULTIPLY:77x Recoil RECOIL:77x HitFrc BLOW:77x MltBnce BOUNCE:77x "
                "Damage HITDAMAGE:77x DetType CREATEONHIT:77 DetTim TIMETOEXPLODE:77x "
                "DetVar TIMETOEXPLODEV:77x WrmRng WORMDETECTRANGE:77x RemOnHit WORMREMOVE:1 "
                "DetOnGrnd GROUNDEXPLODE:1 DetOnWrm WORMEXPLODE:1 Blood BLOOD:77x "
                "HitObjs OBJECTCOLLIDE:1 DetsAffect EXPLODEAFFECT:1 WrmAffects WORMAFFECT:1 "
                "Grav GRAVITY:77x LoadTime LOADINGTIME:77x ShotsPer AMMO:77x Delay SHOTDELAY:77x "
                "SightOn LASERSIGHT:1 DropShells LEAVESHELLS:77 FireCone FIRECONE:77x "
                "EffectOnMap MAPCHANGE:77 SplintCount SPLINTERAMOUNT:77x "
                "SplintCol SPLINTERCOLOR:77x SplinterType SPLINTERTYPE:77 Scatter SPLINTERSTYPE:1 "
                "TrailType OTRAILTYPE:77 TrailDelay OTRAILDELAY:77x ParticleType PTRAILPTYPE:77 "
                "PartDelay PTRAILDELAY:77x LarpaTrail PTRAILTYPE:1 FireSnd SOUNDLAUNCH:77 "
                "ReptFire SOUNDLOOP:1 DetSnd SOUNDEXPLODE:77 BulletType SHOTTYPE:77 "
                "BulletColor BULLETCOLOR:77x NumFrames ANIMFRAMES:77x LoopAnim ANIMLOOP:0 "
                "BulletBox ANIMSFRAME:-1")
                .split(u' ');
        QCOMPARE(expected.size(), 2 * (kFieldCount - 2)); // all but Name and FirstFrame
        const WeaponValues image = edited({"-BulletBox", "FirstFrame=5", "+LoopAnim", "*LoopAnim"});
        const QStringList before = buildPluginText(image).split(u'\n');
        for (qsizetype i = 0; i < expected.size(); i += 2) {
            WeaponValues weapon = image;
            const FieldDef& def = field(expected[i]);
            if (def.kind == FieldKind::Check)
                weapon.setChecked(expected[i], !weapon.isChecked(def));
            else
                weapon.setText(expected[i], QStringLiteral("77x"));
            const QStringList after = buildPluginText(weapon).split(u'\n');
            QStringList changed{expected[i]};
            for (qsizetype line = 0; line < after.size(); ++line) {
                if (after[line] != before.value(line))
                    changed += after[line];
            }
            QCOMPARE(changed, expected.mid(i, 2));
        }
    }

    void valuesThatDependOnOtherFields()
    {
        // LoopAnim counts only while enabled.
        QVERIFY(buildPluginText(edited({"+LoopAnim"})).contains(u"\nANIMLOOP:0\n"));
        CountingValues weapon;
        buildPluginText(weapon);
        QCOMPARE(weapon.firstFrameReads, 0);
        weapon.values.setChecked(u"BulletBox", false);
        buildPluginText(weapon);
        QCOMPARE(weapon.firstFrameReads, 1);
    }

    void numberPrefix()
    {
        // Only ASCII digits count: other scripts' digits end the prefix.
        const std::pair<const char16_t*, const char16_t*> cases[] = {
            {u"13:Napalm", u"13"}, {u"0None", u"0"},  {u"007", u"007"}, {u"-1", u""}, {u"", u""},
            {u"\u0663", u""},      {u"1\uFF12", u"1"}};
        for (const auto& [text, prefix] : cases)
            QCOMPARE(vormo::numberPrefix(text), QString::fromUtf16(prefix));
    }

    void itemListsAreNumberedInOrder()
    {
        using L = ItemListId;
        for (L list : {L::Explosion, L::MapEffect, L::Particle, L::SplinterParticle, L::Sound,
                       L::ShellFrequency, L::BulletType}) {
            QVERIFY(itemList(list).size() > 4);
            for (int i = 0; i < itemList(list).size(); ++i)
                QCOMPARE(vormo::numberPrefix(itemList(list)[i]), QString::number(i));
        }
        // SplinterType's list has "0None" where its default, like the particle list, has "0:None".
        QCOMPARE(itemList(L::SplinterParticle).first(), u"0None");
        QCOMPARE(field(u"SplinterType").defaultString(), u"0:None");
        QCOMPARE(itemList(L::SplinterParticle).mid(1), itemList(L::Particle).mid(1));
    }
};

QTEST_GUILESS_MAIN(PluginTextTest)
#include "tst_plugin_text.moc"
