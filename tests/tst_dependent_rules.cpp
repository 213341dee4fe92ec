// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The dependent-field rules in the real window, driven as a player would: typing, picking from
// the lists, clicking the check boxes; and the window against the window-free model.

#include "FormControls.h"
#include "TForm1.h"
#include "WeaponModel.h"
#include "support/EditorFields.h"

#include <QRandomGenerator>

#include <memory>

using namespace vormo;
using namespace vormo::test;

class DependentRulesTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TForm1> form;

private slots:
    void init()
    {
        putAsideValues() = PutAsideValues(); // as at program start
        form = std::make_unique<TForm1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void cleanup() { form.reset(); }

    void noneTexts_data()
    {
        QTest::addColumn<QString>("governing");
        QTest::addColumn<QString>("governed");
        QTest::addColumn<QString>("text"); // "0:None" picked from the list, the others typed
        QTest::addColumn<bool>("inUse");
        const std::pair<QString, QString> groups[] = {{u"SplintCount"_qs, u"SplintCol"_qs},
                                                      {u"TrailType"_qs, u"TrailDelay"_qs},
                                                      {u"ParticleType"_qs, u"PartDelay"_qs}};
        const std::pair<QString, bool> texts[] = {{u"0"_qs, false},      {u""_qs, true},
                                                  {u"00"_qs, true},      {u" 0"_qs, true},
                                                  {u"0:None"_qs, false}, {u"0:none"_qs, true}};
        for (const auto& [governing, governed] : groups) {
            for (const auto& [text, inUse] : texts) {
                if (governing != u"SplintCount" || text != u"0:None") // no list to pick from
                    QTest::addRow("%s '%s'", qPrintable(governing), qPrintable(text))
                        << governing << governed << text << inUse;
            }
        }
    }

    void noneTexts()
    {
        QFETCH(QString, governing);
        QFETCH(QString, governed);
        QFETCH(QString, text);
        QFETCH(bool, inUse);
        QWidget* field = form->findChild<QWidget*>(governing);
        typeInto(field, u"7"_qs); // on first, so that every text is a change
        if (text == u"0:None")
            QVERIFY(pickItem(static_cast<QComboBox*>(field), text));
        else
            typeInto(field, text);
        QCOMPARE(statesOf(*form, {governing}), text + u" on"_qs); // kept as typed
        QCOMPARE(form->findChild<QWidget*>(governed)->isEnabled(), inUse);
    }

    void splinterValuesStayShownWhileOff()
    {
        const QStringList group{u"SplintCol"_qs, u"SplinterType"_qs, u"Scatter"_qs, u"Label31"_qs};
        typeInto(form->SplintCount, u"2"_qs);
        QCOMPARE(statesOf(*form, group), u"0 on; 0None on; [ ] on; hint on"); // first switch-on
        typeInto(form->SplintCol, u"12"_qs);
        QVERIFY(pickItem(form->SplinterType, u"7:Blood"_qs));
        QTest::mouseClick(form->Scatter, Qt::LeftButton);
        typeInto(form->SplintCount, u"0"_qs);
        QCOMPARE(statesOf(*form, group), u"12 off; 7:Blood off; [x] off; nohint off");
        typeInto(form->SplintCount, u"5"_qs);
        QCOMPARE(statesOf(*form, group), u"12 on; 7:Blood on; [x] on; hint on");
    }

    void trailValuesArePutAsideAndGivenBack()
    {
        const QStringList group{u"TrailDelay"_qs, u"Label33"_qs, u"PartDelay"_qs, u"LarpaTrail"_qs,
                                u"Label35"_qs};
        QCOMPARE(statesOf(*form, group), u"1 off; hint off; 1 off; [ ] off; hint off");
        QVERIFY(pickItem(form->TrailType, u"3:Small Explosion"_qs));
        QVERIFY(pickItem(form->ParticleType, u"7:Blood"_qs));
        QCOMPARE(statesOf(*form, group), u"1 on; hint on; 1 on; [ ] on; hint on");
        typeInto(form->TrailDelay, u"4"_qs);
        typeInto(form->PartDelay, u"6"_qs);
        QTest::mouseClick(form->LarpaTrail, Qt::LeftButton);
        QVERIFY(pickItem(form->TrailType, u"0:None"_qs));
        QVERIFY(pickItem(form->ParticleType, u"0:None"_qs));
        QCOMPARE(statesOf(*form, group), u"1 off; nohint off; 1 off; [x] off; nohint off");
        QVERIFY(pickItem(form->TrailType, u"5:Zimm flash"_qs));
        QVERIFY(pickItem(form->ParticleType, u"8:Shells"_qs));
        QCOMPARE(statesOf(*form, group), u"4 on; hint on; 6 on; [x] on; hint on");
    }

    void bulletAppearanceRoundTrip()
    {
        const QStringList group{u"BulletColor"_qs, u"FirstFrame"_qs, u"LoopAnim"_qs, u"Label40"_qs,
                                u"Label43"_qs};
        typeInto(form->BulletColor, u"40"_qs);
        QTest::mouseClick(form->BulletBox, Qt::LeftButton); // an image bullet
        QCOMPARE(statesOf(*form, group), u"0 off; -1 on; [ ] on; nohint off; hint on");
        typeInto(form->FirstFrame, u"5"_qs);
        QTest::mouseClick(form->LoopAnim, Qt::LeftButton);
        QTest::mouseClick(form->BulletBox, Qt::LeftButton); // a pixel bullet again
        QCOMPARE(statesOf(*form, group), u"40 on; -1 off; [ ] off; hint on; nohint off");
        QTest::mouseClick(form->BulletBox, Qt::LeftButton);
        QCOMPARE(statesOf(*form, group), u"0 off; 5 on; [x] on; nohint off; hint on");
    }

    void windowMatchesTheWindowFreeModel()
    {
        // The same changes through the controls' setters leave the window and the model in
        // the same state: the window's notifications run exactly the rules.
        WeaponModel model;
        const QStringList texts{u"0"_qs, u""_qs, u"3"_qs, u"0:None"_qs, u"00"_qs, u"7:Blood"_qs};
        const QStringList controls{u"SplintCount"_qs,  u"SplintCol"_qs,   u"SplinterType"_qs,
                                   u"Scatter"_qs,      u"TrailType"_qs,   u"TrailDelay"_qs,
                                   u"ParticleType"_qs, u"PartDelay"_qs,   u"LarpaTrail"_qs,
                                   u"BulletBox"_qs,    u"BulletColor"_qs, u"FirstFrame"_qs,
                                   u"NumFrames"_qs,    u"LoopAnim"_qs};
        QRandomGenerator random(20021);
        for (int step = 0; step < 400; ++step) {
            const QString name = controls[random.bounded(controls.size())];
            QWidget* w = form->findChild<QWidget*>(name);
            if (auto* box = qobject_cast<QCheckBox*>(w)) {
                model.setChecked(name, !model.isChecked(name));
                box->setChecked(model.isChecked(name));
            } else {
                const QString text = texts[random.bounded(texts.size())];
                model.setText(name, text);
                if (auto* edit = qobject_cast<QLineEdit*>(w))
                    edit->setText(text);
                else
                    static_cast<QComboBox*>(w)->setEditText(text);
            }
            QCOMPARE(buildPluginText(FormControls(*form)), buildPluginText(model));
            for (const LabelDef& def : labels()) {
                auto* label = form->findChild<HintLabel*>(QLatin1StringView(def.name));
                QCOMPARE(label->isEnabled(), model.isEnabled(label->objectName()));
                QCOMPARE(label->showHint(), model.isHintShown(label->objectName()));
            }
            for (const FieldDef& def : fields())
                QCOMPARE(FormControls(*form).isEnabled(def), model.isEnabled(def));
        }
    }
};

QTEST_MAIN(DependentRulesTest)
#include "tst_dependent_rules.moc"
