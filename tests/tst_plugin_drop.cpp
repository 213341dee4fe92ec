// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Opening a plugin by dropping it on the real editor window. Drags go to the window, as the
// platform delivers them, so Qt picks the widget under the pointer: an edit box taking the drop
// as text would show here.

#include "EditorSession.h"
#include "FileCommands.h"
#include "FormControls.h"
#include "PluginDrop.h"
#include "PluginReader.h"
#include "WeaponValues.h"

#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <QWindow>

#include <memory>

using namespace vormo;
using test::contents;

namespace {

// "Field=text" sets a text, "+Field" / "-Field" checks / unchecks a box, in order, through the
// controls' own setters.
void apply(const QStringList& edits)
{
    FormControls controls(*Form1);
    for (const QString& edit : edits) {
        const bool check = edit.startsWith(u'+') || edit.startsWith(u'-');
        const QString name = check ? edit.mid(1) : edit.section(u'=', 0, 0);
        if (!controls.isEnabled(name)) // as for a player
            continue;
        if (check)
            controls.setChecked(name, edit.front() == u'+');
        else
            controls.setText(name, edit.section(u'=', 1));
    }
}

// Every field's text or check and enabled state.
QString describe(const FieldAccess& weapon)
{
    QString out;
    for (const FieldDef& def : fields())
        out += QLatin1StringView(def.name) + u'=' +
               (def.kind == FieldKind::Check ? QString::number(weapon.isChecked(def))
                                             : weapon.text(def)) +
               (weapon.isEnabled(def) ? "\n" : " (off)\n");
    return out;
}

// Everything a drop could change.
QString state()
{
    return describe(FormControls(*Form1)) + currentFileName() + u'|' +
           Form1->SaveDialog1->FileName();
}

template <typename Event> bool send(Event&& event)
{
    QCoreApplication::sendEvent(Form1->windowHandle(), &event);
    return event.isAccepted();
}

// Drags data over the control, Shift asking for a move; returns the action the cursor shows.
Qt::DropAction hover(const QString& over, const QMimeData& data, Qt::DropActions actions)
{
    send(QDragEnterEvent(test::centreOf(over), actions, &data, Qt::LeftButton, Qt::ShiftModifier));
    QDragMoveEvent move(test::centreOf(over), actions, &data, Qt::LeftButton, Qt::ShiftModifier);
    return send(move) ? move.dropAction() : Qt::IgnoreAction;
}

bool drop(const QString& over, const QMimeData& data, Qt::DropActions actions)
{
    return send(
        QDropEvent(test::centreOf(over), actions, &data, Qt::LeftButton, Qt::ShiftModifier));
}

} // namespace

class PluginDropTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        putAsideValues() = PutAsideValues(); // as at program start
        s = std::make_unique<test::EditorSession>();
        QVERIFY(s->dir.isValid());
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
    }
    void cleanup() { s.reset(); }

    void savedWeaponComesBackThroughADrop_data()
    {
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<QString>("over");

        // Twice over: a field is left alone while its group is off, and a group switched on puts
        // its put-aside values over what was set before.
        QStringList everyField;
        const WeaponValues edited = test::editedWeapon();
        for (const FieldDef& def : fields()) {
            const QString name = QLatin1StringView(def.name);
            everyField << (def.kind != FieldKind::Check
                               ? name + u'=' + edited.text(def)
                               : (edited.isChecked(def) ? u'+' : u'-') + name);
        }
        QTest::newRow("fresh") << QStringList() << "Panel4";
        QTest::newRow("every field, image bullet") << everyField + everyField << "Name";
        QTest::newRow("groups off again")
            << QStringList{"SplintCount=3", "SplintCol=12",     "SplinterType=7:Blood",
                           "+Scatter",      "SplintCount=0",    "TrailType=3:Small Explosion",
                           "TrailDelay=4",  "TrailType=0:None", "ParticleType=7:Blood",
                           "PartDelay=2",   "+LarpaTrail",      "ParticleType=0"}
            << "SplinterType";
        QTest::newRow("pixel bullet") << QStringList{"BulletColor=40"} << "BulletBox";
        QTest::newRow("image bullet, first frame -1")
            << QStringList{"BulletColor=40", "-BulletBox", "NumFrames=4", "+LoopAnim"}
            << "FirstFrame";
        QTest::newRow("typed combo texts")
            << QStringList{"DetType=13 typed", "EffectOnMap=007", "DropShells=",    "FireSnd=abc",
                           "TrailType=-1",     "TrailDelay=8",    "ParticleType=00"}
            << "DetType";
        QTest::newRow("colons and Windows-1252")
            << QStringList{QString::fromUtf16(u"Name=:Fire: Mk 2::\u00dc\u0153\u20ac\u2030\u00ff ")}
            << "Label1";
    }
    void savedWeaponComesBackThroughADrop()
    {
        QFETCH(QStringList, edits);
        QFETCH(QString, over);
        apply(edits);
        const QString saved = s->path("saved.vwp");
        s->dialog.accept(saved);
        Form1->SaveBtn->click();
        const QByteArray bytes = contents(saved);
        const QString dropped = s->path("dropped weapon.vwp");
        QVERIFY(QFile::rename(saved, dropped));

        // Every field away from what was saved: all groups on, an image bullet, boxes flipped.
        FormControls controls(*Form1);
        controls.setChecked(u"BulletBox", false);
        for (const FieldDef& def : fields()) {
            const QString name = QLatin1StringView(def.name);
            if (def.kind == FieldKind::Check)
                controls.setChecked(name, !def.defaultChecked);
            else
                controls.setText(name, QStringLiteral("old ") + name);
        }

        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(dropped)});
        data.setText(QUrl::fromLocalFile(dropped).toString()); // as file managers offer it
        QCOMPARE(hover(over, data, Qt::CopyAction | Qt::MoveAction), Qt::CopyAction);
        QVERIFY(drop(over, data, Qt::CopyAction | Qt::MoveAction));
        QTRY_COMPARE(currentFileName(), dropped);

        WeaponValues expected;
        loadPluginFile(dropped).fillInto(expected);
        QCOMPARE(describe(FormControls(*Form1)), describe(expected));

        QVERIFY(QFile::remove(dropped));
        Form1->SaveBtn->click(); // back to the dropped file, without asking
        QCOMPARE(s->dialog.runs().size(), 1);
        QCOMPARE(contents(dropped), bytes);
        QVERIFY(!QFile::exists(saved));
        QVERIFY(s->boxes.shown.isEmpty());
    }
    void refusedOrBadDropsChangeNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("bytes"); // of the file dragged; empty: there is none
        QTest::addColumn<QString>("message");  // %p: its path; empty: refused without a word
        for (const char* kind : {"two files", "text", "file on another host", "moving only",
                                 "empty address list", "window disabled", "gone"})
            QTest::newRow(kind) << kind << test::fixture("fresh.vwp") << "";
        QTest::newRow("not a plugin") << "" << QByteArray("VORMOKIT:WEAPONPLUGIX\r\nNAME:x\r\n")
                                      << "%p is not a Vormo weapon plugin.";
        QTest::newRow("NUL byte") << "" << QByteArray("VORMOKIT:WEAPONPLUGIN\r\nNAME:a\0b\r\n", 31)
                                  << "%p is not a Vormo weapon plugin.";
        QTest::newRow("missing file") << "" << QByteArray() << "Cannot open file %p.";
    }
    void refusedOrBadDropsChangeNothing()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        // A plugin already open, then edited: a refused or bad drop keeps all of it.
        const QString good = s->path("good.vwp");
        QVERIFY(test::writeFile(good, test::fixture("edited.vwp")));
        openDroppedPlugin(*Form1, good);
        apply({QStringLiteral("Name=Edited since"), QStringLiteral("SplintCount=0")});
        const QString before = state();

        const QString path = s->path("100% <b>a<b> %1.vwp");
        QVERIFY(bytes.isEmpty() || test::writeFile(path, bytes));
        QMimeData data;
        Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        if (kind == u"two files")
            data.setUrls({QUrl::fromLocalFile(path), QUrl::fromLocalFile(path)});
        else if (kind == u"text")
            data.setText(path);
        else if (kind == u"file on another host")
            data.setUrls({QUrl(QStringLiteral("file://elsewhere") + path)});
        else if (kind == u"empty address list")
            data.setUrls({});
        else
            data.setUrls({QUrl::fromLocalFile(path)});
        if (kind == u"moving only") // taking it would tell the source to delete the file
            actions = Qt::MoveAction;
        if (kind == u"window disabled") // the about box is up
            Form1->setEnabled(false);

        const bool taken = !message.isEmpty();
        QCOMPARE(hover(u"Name"_qs, data, actions),
                 taken || kind == u"gone" ? Qt::CopyAction : Qt::IgnoreAction);
        if (kind == u"gone") // the source went away during the drag
            data.clear();
        QCOMPARE(drop(u"Name"_qs, data, actions), taken);
        QCoreApplication::processEvents();
        QCOMPARE(s->boxes.shown.size(), taken ? 1 : 0);
        QCOMPARE(s->boxes.shown.value(0).text, message.replace(u"%p"_qs, path));
        QCOMPARE(state(), before);
    }

private:
    std::unique_ptr<test::EditorSession> s;
};

QTEST_MAIN(PluginDropTest)
#include "tst_plugin_drop.moc"
