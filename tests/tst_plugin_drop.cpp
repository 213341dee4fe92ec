// Opening a plugin by dropping it on the real editor window. Drags are delivered to the window
// itself, as the platform delivers them, so Qt picks the widget under the pointer: what a field
// would do with a drop shows here. A saved weapon comes back byte for byte; refused drags and
// bad files change nothing.
//
// Edit lists: "Field=text" sets a text, "+Field" / "-Field" checks / unchecks a box, in order,
// through the controls' own setters, so the rules run as for a player.

#include "FileCommands.h"
#include "FormControls.h"
#include "FormFields.h"
#include "PluginDrop.h"
#include "PluginReader.h"
#include "RecordingMessageBoxes.h"
#include "TForm1.h"
#include "TestSupport.h"
#include "WeaponModel.h"

#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWindow>

#include <memory>

using namespace vormo;
using test::fixture;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QString flag(bool on, const char* yes, const char* no) { return QLatin1StringView(on ? yes : no); }

// Offers its data while the drag lasts; at the drop the URL list comes back empty, as when
// the source has gone away.
class VanishingData final : public QMimeData {
public:
    bool gone = false;

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override
    {
        return gone ? QVariant() : QMimeData::retrieveData(mimeType, type);
    }
};

// Every field changed, each group's governing field before the fields it switches on.
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
    "DetType=1:Large Explosion",
    "DetTim=20",
    "DetVar=21 ",
    "WrmRng=22",
    "+RemOnHit",
    "+DetOnGrnd",
    "+DetOnWrm",
    "Blood=23",
    "+HitObjs",
    "+DetsAffect",
    "+WrmAffects",
    "Grav=24",
    "LoadTime=25",
    "ShotsPer=26",
    "Delay=27",
    "+SightOn",
    "DropShells=2:Usually",
    "FireCone=28",
    "EffectOnMap=3:Small hole",
    "SplintCount=29",
    "SplintCol=30",
    "SplinterType=4:Light-damage particles",
    "+Scatter",
    "TrailType=5:Zimm flash",
    "TrailDelay=31",
    "ParticleType=6:Heavy-damage particles",
    "PartDelay=32",
    "+LarpaTrail",
    "FireSnd=7:LARPA",
    "+ReptFire",
    "DetSnd=8:EXP3A",
    "BulletType=09x",
    "BulletColor=33",
};

} // namespace

class PluginDropTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void savedWeaponComesBackThroughADrop_data();
    void savedWeaponComesBackThroughADrop();
    void refusedDragsChangeNothing_data();
    void refusedDragsChangeNothing();
    void refusedWhileTheWindowIsDisabled();
    void dataGoneAtTheDropChangesNothing();
    void badFileShowsItsMessageAndChangesNothing_data();
    void badFileShowsItsMessageAndChangesNothing();
    void saveDialogProposesTheDroppedFile();

private:
    struct DragOutcome {
        bool cursorAccepts = false;
        Qt::DropAction action = Qt::IgnoreAction;
        bool dropAccepted = false;
    };
    // Drags data over the window to the middle of the named control (the window's corner for
    // an empty name), then drops it or leaves.
    DragOutcome drag(const QString& over, const QMimeData& data, Qt::DropActions actions, bool drop,
                     Qt::KeyboardModifiers modifiers = {});
    void apply(const QStringList& edits);
    void scramble();
    QString state() const;
    void verifyMatchesTheModel(const QString& path);

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<test::ScriptedSaveDialog> dialog;
    std::unique_ptr<test::RecordingMessageBoxes> boxes;
    std::unique_ptr<TForm1> form;
};

void PluginDropTest::init()
{
    putAsideValues() = PutAsideValues(); // as at program start
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    dialog = std::make_unique<test::ScriptedSaveDialog>();
    boxes = std::make_unique<test::RecordingMessageBoxes>();
    form = std::make_unique<TForm1>();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
}

void PluginDropTest::cleanup()
{
    form.reset();
    boxes.reset();
    dialog.reset();
    dir.reset();
}

PluginDropTest::DragOutcome PluginDropTest::drag(const QString& over, const QMimeData& data,
                                                 Qt::DropActions actions, bool drop,
                                                 Qt::KeyboardModifiers modifiers)
{
    QPoint at(3, 3);
    if (!over.isEmpty()) {
        auto* target = form->findChild<QWidget*>(over);
        if (!target)
            qFatal("no control %s", qPrintable(over));
        at = target->mapTo(form.get(), target->rect().center());
    }
    QWindow* window = form->windowHandle();
    DragOutcome outcome;
    QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, modifiers);
    QCoreApplication::sendEvent(window, &enter);
    QDragMoveEvent move(at + QPoint(1, 1), actions, &data, Qt::LeftButton, modifiers);
    QCoreApplication::sendEvent(window, &move);
    outcome.cursorAccepts = move.isAccepted() && move.dropAction() != Qt::IgnoreAction;
    outcome.action = move.dropAction();
    if (drop) {
        QDropEvent dropEvent(QPointF(at + QPoint(1, 1)), actions, &data, Qt::LeftButton, modifiers);
        QCoreApplication::sendEvent(window, &dropEvent);
        outcome.dropAccepted = dropEvent.isAccepted();
    } else {
        QDragLeaveEvent leave;
        QCoreApplication::sendEvent(window, &leave);
    }
    return outcome;
}

void PluginDropTest::apply(const QStringList& edits)
{
    FormControls controls(*form);
    for (const QString& edit : edits) {
        if (edit.startsWith(u'+') || edit.startsWith(u'-')) {
            controls.setChecked(edit.mid(1), edit.front() == u'+');
        } else {
            const qsizetype eq = edit.indexOf(u'=');
            controls.setText(edit.left(eq), edit.mid(eq + 1));
        }
    }
}

// Every field away from both its default and any value a test saves: all groups on, an image
// bullet, every box flipped, every text its field's name.
void PluginDropTest::scramble()
{
    FormControls controls(*form);
    controls.setChecked(u"BulletBox", false); // first, or it would overwrite the image fields
    for (const FieldDef& def : fields()) {
        const QString name = QString::fromLatin1(def.name);
        if (def.kind == FieldKind::Check)
            controls.setChecked(name, !def.defaultChecked);
        else
            controls.setText(name, QStringLiteral("old ") + name);
    }
}

// Everything a drop may change: every field's text, check and enabled state, every label's
// enabled state and hint flag, the put-aside values, the current file name and what the save
// dialog proposes.
QString PluginDropTest::state() const
{
    QString out;
    const FormFields window(*form);
    for (const FieldDef& def : fields()) {
        out += QLatin1StringView(def.name) + u'=' + window.text(def) +
               flag(window.isChecked(def), " [x]", " [ ]") +
               flag(window.isEnabled(def), " on\n", " off\n");
    }
    for (const LabelDef& def : labels()) {
        auto* label = form->findChild<HintLabel*>(QLatin1StringView(def.name));
        out += QLatin1StringView(def.name) + flag(label->isEnabledTo(form.get()), " on", " off") +
               flag(label->showHint(), " hint\n", " nohint\n");
    }
    const PutAsideValues& aside = putAsideValues();
    out += QStringList{aside.firstFrame,   aside.numFrames,  aside.bulletColor, aside.splintCol,
                       aside.splinterType, aside.trailDelay, aside.partDelay}
               .join(u'|') +
           flag(aside.loopAnim, " loop", "") + flag(aside.scatter, " scatter", "") +
           flag(aside.larpaTrail, " larpa", "") + u'\n';
    out += currentFileName() + u'\n' + form->SaveDialog1->FileName() + u'\n';
    return out;
}

void PluginDropTest::verifyMatchesTheModel(const QString& path)
{
    const PluginContent content = loadPluginFile(path);
    WeaponValues expected;
    content.fillInto(expected);
    const FormFields window(*form);
    for (const FieldDef& def : fields()) {
        if (def.kind == FieldKind::Check)
            QCOMPARE(window.isChecked(def), expected.isChecked(def));
        else
            QCOMPARE(window.text(def), expected.text(def));
        QCOMPARE(window.isEnabled(def), expected.isEnabled(def));
    }
    WeaponModel model;
    content.applyTo(model);
    for (const LabelDef& def : labels()) {
        const QString name = QString::fromLatin1(def.name);
        auto* label = form->findChild<HintLabel*>(name);
        QCOMPARE(label->isEnabled(), model.isEnabled(name));
        QCOMPARE(label->showHint(), model.isHintShown(name));
    }
}

void PluginDropTest::savedWeaponComesBackThroughADrop_data()
{
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("over"); // where it is dropped; "-": the drop's own load, called

    QTest::newRow("fresh") << QStringList() << "";
    QTest::newRow("every field edited, pixel bullet") << kEveryFieldEdited << "Name";
    QTest::newRow("every field edited, image bullet")
        << kEveryFieldEdited +
               QStringList{"-BulletBox", "FirstFrame=34", "NumFrames=35", "+LoopAnim"}
        << "DetType";
    QTest::newRow("splinters on") << QStringList{"SplintCount=3", "SplintCol=12", "+Scatter"}
                                  << "SplintCol";
    QTest::newRow("splinters off keep their values")
        << QStringList{"SplintCount=3", "SplintCol=12", "SplinterType=7:Blood", "+Scatter",
                       "SplintCount=0"}
        << "SplinterType";
    QTest::newRow("trail on") << QStringList{"TrailType=3:Small Explosion", "TrailDelay=4"}
                              << "TrailType";
    QTest::newRow("trail off again")
        << QStringList{"TrailType=3:Small Explosion", "TrailDelay=4", "TrailType=0:None"}
        << "TrailDelay";
    QTest::newRow("particle trail on")
        << QStringList{"ParticleType=13:Napalm-style flaming minibombs", "PartDelay=2",
                       "+LarpaTrail"}
        << "LarpaTrail";
    QTest::newRow("particle trail off keeps larpa")
        << QStringList{"ParticleType=7:Blood", "PartDelay=2", "+LarpaTrail", "ParticleType=0"}
        << "Label47";
    QTest::newRow("pixel bullet colour") << QStringList{"BulletColor=40"} << "BulletBox";
    QTest::newRow("image bullet") << QStringList{"BulletColor=40", "-BulletBox", "FirstFrame=5",
                                                 "NumFrames=3", "+LoopAnim"}
                                  << "FirstFrame";
    QTest::newRow("image bullet, first frame -1 with frames")
        << QStringList{"-BulletBox", "NumFrames=4"} << "SaveBtn";
    QTest::newRow("image bullet, first frame -1 looping")
        << QStringList{"-BulletBox", "+LoopAnim"} << "Panel4";
    QTest::newRow("typed combo texts")
        << QStringList{"DetType=13 typed", "EffectOnMap=007", "DropShells=",
                       "FireSnd=abc",      "DetSnd=30",       "BulletType=09x",
                       "TrailType=-1",     "TrailDelay=8",    "ParticleType=00"}
        << "-";
    QTest::newRow("name with colons and Windows-1252 characters")
        << QStringList{QString::fromUtf16(u"Name=:Fire: Mk 2::\u00dc\u0153\u20ac\u2030\u00ff ")}
        << "Label1";
}

void PluginDropTest::savedWeaponComesBackThroughADrop()
{
    QFETCH(QStringList, edits);
    QFETCH(QString, over);

    apply(edits);
    const QString saved = dir->filePath(QStringLiteral("saved.vwp"));
    dialog->accept(saved);
    form->SaveBtn->click();
    const QByteArray bytes = contents(saved);
    QVERIFY(bytes.startsWith("VORMOKIT:WEAPONPLUGIN\r\n"));
    const QString dropped = dir->filePath(QStringLiteral("dropped weapon.vwp"));
    QVERIFY(QFile::rename(saved, dropped));

    scramble();
    if (over == u"-") {
        openDroppedPlugin(*form, dropped);
    } else {
        QMimeData data;
        // As file managers offer it: the address as text too, which a field would take.
        data.setUrls({QUrl::fromLocalFile(dropped)});
        data.setText(QUrl::fromLocalFile(dropped).toString());
        // Shift asks for a move; the file is only ever copied.
        const DragOutcome outcome =
            drag(over, data, Qt::CopyAction | Qt::MoveAction, true, Qt::ShiftModifier);
        QVERIFY(outcome.cursorAccepts);
        QCOMPARE(outcome.action, Qt::CopyAction);
        QVERIFY(outcome.dropAccepted);
    }
    QTRY_COMPARE(currentFileName(), dropped);
    QCOMPARE(form->SaveDialog1->FileName(), dropped);
    verifyMatchesTheModel(dropped);

    form->SaveBtn->click(); // back to the dropped file, without asking
    QCOMPARE(dialog->runs().size(), 1);
    QCOMPARE(contents(dropped), bytes);
    QVERIFY(!QFile::exists(saved));
    QVERIFY(boxes->shown.isEmpty());
}

void PluginDropTest::refusedDragsChangeNothing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("over");
    for (const char* over : {"", "Name", "BulletType", "TrailDelay"}) {
        const QByteArray where = *over ? QByteArray(" over ") + over : QByteArray();
        for (const char* kind :
             {"two files", "text", "file path as text", "http address", "file on another host",
              "moving only", "no data", "empty address list", "file address without a path"})
            QTest::newRow(kind + where) << kind << over;
    }
}

void PluginDropTest::refusedDragsChangeNothing()
{
    QFETCH(QString, kind);
    QFETCH(QString, over);
    const QString path = dir->filePath(QStringLiteral("weapon.vwp"));
    writeFile(path, fixture("edited.vwp"));
    QMimeData data;
    Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    if (kind == u"two files")
        data.setUrls({QUrl::fromLocalFile(path), QUrl::fromLocalFile(path)});
    else if (kind == u"text")
        data.setText(QStringLiteral("typed text"));
    else if (kind == u"file path as text")
        data.setText(path);
    else if (kind == u"http address")
        data.setUrls({QUrl(QStringLiteral("http://example.com/weapon.vwp"))});
    else if (kind == u"file on another host")
        data.setUrls({QUrl(QStringLiteral("file://elsewhere") + path)});
    else if (kind == u"moving only")
        data.setUrls({QUrl::fromLocalFile(path)});
    else if (kind == u"empty address list")
        data.setUrls({});
    else if (kind == u"file address without a path")
        data.setUrls({QUrl(QStringLiteral("file:"))});
    if (kind == u"moving only") // accepting would tell the source to delete the file
        actions = Qt::MoveAction;
    const QString before = state();

    const DragOutcome refused = drag(over, data, actions, false);
    QVERIFY(!refused.cursorAccepts);
    // A drop that arrives anyway is refused as well.
    const DragOutcome dropped = drag(over, data, actions, true);
    QVERIFY(!dropped.dropAccepted);
    QCoreApplication::processEvents();
    QCOMPARE(state(), before);
    QVERIFY(boxes->shown.isEmpty());
}

void PluginDropTest::refusedWhileTheWindowIsDisabled()
{
    const QString path = dir->filePath(QStringLiteral("weapon.vwp"));
    writeFile(path, fixture("edited.vwp"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QString before = state();

    form->setEnabled(false); // the about box is up
    for (const QString& over : {QString(), QStringLiteral("Name"), QStringLiteral("DetType")}) {
        QVERIFY(!drag(over, data, Qt::CopyAction, false).cursorAccepts);
        QVERIFY(!drag(over, data, Qt::CopyAction, true).dropAccepted);
    }
    QCoreApplication::processEvents();
    QCOMPARE(state(), before);

    form->setEnabled(true);
    QVERIFY(drag(QStringLiteral("Name"), data, Qt::CopyAction, true).dropAccepted);
    QTRY_COMPARE(currentFileName(), path);
    QCOMPARE(form->Name->text(), QString::fromUtf16(u"Flammenwerfer: Mk 2 \u00dc\u20ac"));
}

void PluginDropTest::dataGoneAtTheDropChangesNothing()
{
    const QString path = dir->filePath(QStringLiteral("weapon.vwp"));
    writeFile(path, fixture("edited.vwp"));
    VanishingData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QCOMPARE(droppedPluginPath(data), path);
    const QString before = state();

    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(form->windowHandle(), &enter);
    QVERIFY(enter.isAccepted());
    data.gone = true;
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(form->windowHandle(), &drop);
    QVERIFY(!drop.isAccepted());
    QCoreApplication::processEvents();
    QCOMPARE(state(), before);
    QVERIFY(boxes->shown.isEmpty());
}

void PluginDropTest::badFileShowsItsMessageAndChangesNothing_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
    QTest::addColumn<QString>("message");  // %p: the path

    QTest::newRow("not a plugin") << "100% <b>a<b> %1.vwp"
                                  << QByteArray("VORMOKIT:WEAPONPLUGIX\r\nNAME:x\r\n")
                                  << "%p is not a Vormo weapon plugin.";
    QTest::newRow("NUL byte") << "weapon.vwp"
                              << QByteArray("VORMOKIT:WEAPONPLUGIN\r\nNAME:a\0b\r\n", 31)
                              << "%p is not a Vormo weapon plugin.";
    QTest::newRow("missing file") << "gone.vwp" << QByteArray() << "Cannot open file %p.";
}

void PluginDropTest::badFileShowsItsMessageAndChangesNothing()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);

    // A plugin already open, then edited: the bad drop must keep all of it.
    const QString good = dir->filePath(QStringLiteral("good.vwp"));
    writeFile(good, fixture("edited.vwp"));
    openDroppedPlugin(*form, good);
    apply({QStringLiteral("Name=Edited since"), QStringLiteral("SplintCount=0")});
    const QString before = state();
    QVERIFY(before.contains(good));

    const QString path = dir->filePath(fileName);
    if (!bytes.isEmpty())
        writeFile(path, bytes);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QVERIFY(drag(QStringLiteral("DetSnd"), data, Qt::CopyAction, true).dropAccepted);

    QTRY_COMPARE(boxes->shown.size(), 1);
    const MessageBoxRequest& box = boxes->shown.first();
    QCOMPARE(box.text, QString(message).replace(QStringLiteral("%p"), path));
    QCOMPARE(box.caption, QStringLiteral("Vormo Weapon Plugin Maker"));
    QCOMPARE(box.icon, MessageBoxRequest::Icon::Critical);
    QCOMPARE(state(), before);

    form->SaveBtn->click();
    QCOMPARE(dialog->runs().size(), 0);
    QVERIFY(contents(good).contains("\r\nNAME:Edited since\r\n"));
}

void PluginDropTest::saveDialogProposesTheDroppedFile()
{
    const QString path = dir->filePath(QStringLiteral("weapon.vwp"));
    writeFile(path, fixture("fresh.vwp"));
    openDroppedPlugin(*form, path);
    QCOMPARE(currentFileName(), path);

    dialog->cancel();
    form->SaveAsBtn->click();
    QCOMPARE(dialog->runs().last().fileName, path);
    QCOMPARE(currentFileName(), path);

    form->NewBtn->click(); // New forgets the file, the dialog still proposes it
    const QString other = dir->filePath(QStringLiteral("other.vwp"));
    dialog->accept(other);
    form->SaveBtn->click();
    QCOMPARE(dialog->runs().size(), 2);
    QCOMPARE(dialog->runs().last().fileName, path);
    QCOMPARE(contents(other), fixture("fresh.vwp"));
}

QTEST_MAIN(PluginDropTest)
#include "tst_plugin_drop.moc"
