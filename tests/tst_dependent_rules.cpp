// The dependent-field rules in the real window, driven as a player would: typing, picking from
// the lists, clicking the bullet box. What the rules leave in the fields is what a plugin
// records, so the checks end at the saved text too.

#include "FormFields.h"
#include "PluginWriter.h"
#include "TForm1.h"
#include "WeaponModel.h"

#include <QAbstractItemView>
#include <QRandomGenerator>
#include <QTest>

#include <memory>

using namespace vormo;

namespace {

// What a group shows: every governed field's value and enabled state, every label's enabled
// state and hint flag.
QString snapshot(TForm1& form, const QStringList& names)
{
    QString out;
    for (const QString& name : names) {
        QWidget* w = form.findChild<QWidget*>(name);
        out += name + u'=';
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            out += edit->text();
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            out += combo->currentText();
        else if (auto* box = qobject_cast<QCheckBox*>(w))
            out += box->isChecked() ? u"[x]" : u"[ ]";
        if (auto* label = dynamic_cast<HintLabel*>(w))
            out += label->showHint() ? u"hint" : u"nohint";
        out += w->isEnabled() ? u" on; " : u" off; ";
    }
    return out;
}

const QStringList kSplinters{u"SplintCol"_qs, u"SplinterType"_qs, u"Scatter"_qs,
                             u"Label45"_qs,   u"Label30"_qs,      u"Label31"_qs};
const QStringList kTrail{u"TrailDelay"_qs, u"Label33"_qs};
const QStringList kParticles{u"PartDelay"_qs, u"LarpaTrail"_qs, u"Label47"_qs, u"Label35"_qs};
const QStringList kBullet{u"BulletColor"_qs, u"FirstFrame"_qs, u"NumFrames"_qs, u"LoopAnim"_qs,
                          u"Label40"_qs,     u"Label41"_qs,    u"Label42"_qs,   u"Label43"_qs,
                          u"Label46"_qs,     u"Label49"_qs};

} // namespace

class DependentRulesTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { form.reset(); }

    void firstSplinterSwitchOnShowsStartingValues();
    void splinterCountTexts_data();
    void splinterCountTexts();
    void splinterValuesStayShownWhileOff();
    void trailNoneTexts_data();
    void trailNoneTexts();
    void trailDelayIsPutAsideAndGivenBack();
    void larpaTrailStaysCheckedWhileDisabled();
    void bulletAppearanceRoundTrip();
    void windowMatchesTheWindowFreeModel();

private:
    void type(QWidget* field, const QString& text); // replaces the field's text by typing
    void pick(QComboBox* combo, const QString& item);
    QString pluginLine(const char* key) const;
    std::unique_ptr<TForm1> form;
};

void DependentRulesTest::init()
{
    putAsideValues() = PutAsideValues(); // as at program start
    form = std::make_unique<TForm1>();
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
}

void DependentRulesTest::type(QWidget* field, const QString& text)
{
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

void DependentRulesTest::pick(QComboBox* combo, const QString& item)
{
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    QTRY_VERIFY(view->isVisible());
    const int row = combo->findText(item, Qt::MatchExactly);
    QVERIFY(row >= 0);
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    QTRY_VERIFY(!view->isVisible());
    QCOMPARE(combo->currentText(), item);
}

QString DependentRulesTest::pluginLine(const char* key) const
{
    const QString prefix = QLatin1StringView(key) + u':';
    for (const QString& line : buildPluginText(FormFields(*form)).split(u'\n')) {
        if (line.startsWith(prefix))
            return line;
    }
    return {};
}

void DependentRulesTest::firstSplinterSwitchOnShowsStartingValues()
{
    type(form->SplintCount, QStringLiteral("3"));
    QCOMPARE(snapshot(*form, kSplinters),
             u"SplintCol=0 on; SplinterType=0None on; Scatter=[ ] on; Label45=hint on; "
             "Label30=hint on; Label31=hint on; ");
}

void DependentRulesTest::splinterCountTexts_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("inUse");
    QTest::newRow("zero") << "0" << false;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("double zero") << "00" << true;
    QTest::newRow("space zero") << " 0" << true;
    QTest::newRow("number") << "12" << true;
}

void DependentRulesTest::splinterCountTexts()
{
    QFETCH(QString, typed);
    QFETCH(bool, inUse);
    type(form->SplintCount, QStringLiteral("7")); // on first, so every text is a real change
    type(form->SplintCount, typed);
    QCOMPARE(form->SplintCount->text(), typed);
    QCOMPARE(form->Label45->isEnabled(), inUse);
    QCOMPARE(form->SplinterType->isEnabled(), inUse);
    QCOMPARE(form->Label31->showHint(), inUse);
}

void DependentRulesTest::splinterValuesStayShownWhileOff()
{
    type(form->SplintCount, QStringLiteral("2"));
    type(form->SplintCol, QStringLiteral("12"));
    pick(form->SplinterType, QStringLiteral("7:Blood"));
    QTest::mouseClick(form->Scatter, Qt::LeftButton);
    const QString shown = snapshot(*form, kSplinters);

    type(form->SplintCount, QStringLiteral("0"));
    QCOMPARE(snapshot(*form, kSplinters),
             u"SplintCol=12 off; SplinterType=7:Blood off; Scatter=[x] off; Label45=nohint off; "
             "Label30=nohint off; Label31=nohint off; ");
    QCOMPARE(pluginLine("SPLINTERCOLOR"), u"SPLINTERCOLOR:12");
    QCOMPARE(pluginLine("SPLINTERTYPE"), u"SPLINTERTYPE:7");
    QCOMPARE(pluginLine("SPLINTERSTYPE"), u"SPLINTERSTYPE:0");

    type(form->SplintCount, QStringLiteral("5"));
    QCOMPARE(snapshot(*form, kSplinters), shown);
}

void DependentRulesTest::trailNoneTexts_data()
{
    QTest::addColumn<QString>("combo");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("inUse");
    for (const char* combo : {"TrailType", "ParticleType"}) {
        const QByteArray c(combo);
        QTest::newRow(c + " zero") << combo << "0" << false;
        QTest::newRow(c + " item") << combo << "0:None" << false;
        QTest::newRow(c + " lower case") << combo << "0:none" << true;
        QTest::newRow(c + " double zero") << combo << "00" << true;
        QTest::newRow(c + " empty") << combo << "" << true;
        QTest::newRow(c + " number") << combo << "4" << true;
    }
}

void DependentRulesTest::trailNoneTexts()
{
    QFETCH(QString, combo);
    QFETCH(QString, typed);
    QFETCH(bool, inUse);
    auto* box = form->findChild<QComboBox*>(combo);
    QWidget* delay = combo == u"TrailType" ? form->TrailDelay : form->PartDelay;
    const QStringList other = combo == u"TrailType" ? kParticles : kTrail;
    const QString untouched = snapshot(*form, other + kSplinters + kBullet);

    type(box, QStringLiteral("9"));
    type(box, typed);
    QCOMPARE(box->currentText(), typed); // kept literally, never completed
    QCOMPARE(delay->isEnabled(), inUse);
    QCOMPARE(snapshot(*form, other + kSplinters + kBullet), untouched);
}

void DependentRulesTest::trailDelayIsPutAsideAndGivenBack()
{
    QVERIFY(form->Label33->showHint()); // disabled at start, yet its hint shows
    pick(form->TrailType, QStringLiteral("3:Small Explosion"));
    QCOMPARE(snapshot(*form, kTrail), u"TrailDelay=1 on; Label33=hint on; ");
    type(form->TrailDelay, QStringLiteral("4"));
    pick(form->TrailType, QStringLiteral("0:None"));
    QCOMPARE(snapshot(*form, kTrail), u"TrailDelay=1 off; Label33=nohint off; ");
    QCOMPARE(pluginLine("OTRAILDELAY"), u"OTRAILDELAY:1");
    pick(form->TrailType, QStringLiteral("5:Zimm flash"));
    QCOMPARE(snapshot(*form, kTrail), u"TrailDelay=4 on; Label33=hint on; ");
}

void DependentRulesTest::larpaTrailStaysCheckedWhileDisabled()
{
    pick(form->ParticleType, QStringLiteral("7:Blood"));
    QTest::mouseClick(form->LarpaTrail, Qt::LeftButton);
    type(form->PartDelay, QStringLiteral("6"));
    pick(form->ParticleType, QStringLiteral("0:None"));
    QCOMPARE(snapshot(*form, kParticles),
             u"PartDelay=1 off; LarpaTrail=[x] off; Label47=nohint off; Label35=nohint off; ");
    QCOMPARE(pluginLine("PTRAILTYPE"), u"PTRAILTYPE:1");
    pick(form->ParticleType, QStringLiteral("8:Shells"));
    QCOMPARE(snapshot(*form, kParticles),
             u"PartDelay=6 on; LarpaTrail=[x] on; Label47=hint on; Label35=hint on; ");
}

void DependentRulesTest::bulletAppearanceRoundTrip()
{
    type(form->BulletColor, QStringLiteral("40"));
    QTest::mouseClick(form->BulletBox, Qt::LeftButton); // an image bullet
    QCOMPARE(snapshot(*form, kBullet),
             u"BulletColor=0 off; FirstFrame=-1 on; NumFrames=0 on; LoopAnim=[ ] on; "
             "Label40=nohint off; Label41=hint on; Label42=hint on; Label43=hint on; "
             "Label46=hint off; Label49=hint on; ");
    type(form->FirstFrame, QStringLiteral("5"));
    QTest::mouseClick(form->LoopAnim, Qt::LeftButton);
    QCOMPARE(pluginLine("ANIMSFRAME"), u"ANIMSFRAME:5");
    QCOMPARE(pluginLine("ANIMLOOP"), u"ANIMLOOP:1");

    QTest::mouseClick(form->BulletBox, Qt::LeftButton); // a pixel bullet again
    QCOMPARE(snapshot(*form, kBullet),
             u"BulletColor=40 on; FirstFrame=-1 off; NumFrames=0 off; LoopAnim=[ ] off; "
             "Label40=hint on; Label41=nohint off; Label42=nohint off; Label43=nohint off; "
             "Label46=hint on; Label49=hint off; ");
    QCOMPARE(pluginLine("ANIMSFRAME"), u"ANIMSFRAME:-1");

    QTest::mouseClick(form->BulletBox, Qt::LeftButton);
    QCOMPARE(form->FirstFrame->text(), u"5");
    QVERIFY(form->LoopAnim->isChecked());
}

void DependentRulesTest::windowMatchesTheWindowFreeModel()
{
    // The same changes, made through the controls' setters, leave the window and the
    // window-free model in the same state: the window's notifications run exactly the rules.
    WeaponModel model;
    FormFields window(*form);
    const QStringList texts{u"0"_qs, u""_qs, u"3"_qs, u"0:None"_qs, u"00"_qs, u"7:Blood"_qs};
    const QStringList targets{
        u"SplintCount"_qs,  u"SplintCol"_qs, u"SplinterType"_qs, u"TrailType"_qs,  u"TrailDelay"_qs,
        u"ParticleType"_qs, u"PartDelay"_qs, u"BulletColor"_qs,  u"FirstFrame"_qs, u"NumFrames"_qs};
    const QStringList boxes{u"BulletBox"_qs, u"LoopAnim"_qs, u"Scatter"_qs, u"LarpaTrail"_qs};
    QRandomGenerator random(20021);
    for (int step = 0; step < 400; ++step) {
        if (random.bounded(3) == 0) {
            const QString name = boxes[random.bounded(boxes.size())];
            const bool checked = !model.isChecked(name);
            model.setChecked(name, checked);
            form->findChild<QCheckBox*>(name)->setChecked(checked);
        } else {
            const QString name = targets[random.bounded(targets.size())];
            const QString text = texts[random.bounded(texts.size())];
            model.setText(name, text);
            QWidget* w = form->findChild<QWidget*>(name);
            if (auto* edit = qobject_cast<QLineEdit*>(w))
                edit->setText(text);
            else
                static_cast<QComboBox*>(w)->setEditText(text);
        }
        QCOMPARE(buildPluginText(window), buildPluginText(model));
        for (const LabelDef& label : labels()) {
            const QString name = QString::fromLatin1(label.name);
            auto* shown = dynamic_cast<HintLabel*>(form->findChild<QWidget*>(name));
            QVERIFY(shown);
            QCOMPARE(shown->isEnabled(), model.isEnabled(name));
            QCOMPARE(shown->showHint(), model.isHintShown(name));
        }
        for (const FieldDef& def : fields())
            QCOMPARE(window.isEnabled(def), model.isEnabled(def));
    }
}

QTEST_MAIN(DependentRulesTest)
#include "tst_dependent_rules.moc"
