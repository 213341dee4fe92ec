// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The about box, shown as About shows it: hints and cursors, what takes it away, and the export
// of the program icon with its failures.

#include "EditorSession.h"
#include "Resources.h"
#include "SafeFile.h"
#include "ToolTips.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include <memory>
#include <tuple>

using namespace vormo;
using test::contents;

class AboutBoxTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { applyToolTipTiming(); }
    void init()
    {
        s = std::make_unique<test::EditorSession>();
        QVERIFY(s->dir.isValid());
        QVERIFY(QTest::qWaitForWindowActive(Form1));
        Form1->About1Click(Form1->About1);
        QTRY_COMPARE(QApplication::activeWindow(), AboutBox);
        QCOMPARE(QApplication::focusWidget(), AboutBox->OKButton);
    }
    void cleanup()
    {
        setChunkWriter(nullptr);
        QToolTip::hideText();
        s.reset();
    }

    void hintsAndCursors()
    {
        // The labels on the panel show the panel's, the icon its own.
        const std::tuple<QWidget*, const char*, Qt::CursorShape> cases[] = {
            {AboutBox->Comments, "Quit touching me!", Qt::PointingHandCursor},
            {AboutBox->ProgramIcon, "Double click to save this", Qt::WhatsThisCursor}};
        for (const auto& [widget, hint, cursor] : cases) {
            QCOMPARE(widget->cursor().shape(), cursor);
            QHelpEvent request(QEvent::ToolTip, QPoint(3, 3), widget->mapToGlobal(QPoint(3, 3)));
            QApplication::sendEvent(widget, &request);
            QTRY_COMPARE(QToolTip::text(), QString::fromLatin1(hint));
        }
    }
    void onlyOKTakesItAway()
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(AboutBox->isVisible());
        QVERIFY(!Form1->isEnabled());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
        QVERIFY(!AboutBox->isVisible());
        QVERIFY(Form1->isEnabled());

        // A window manager may close it without a close button: that counts as OK.
        Form1->About1Click(Form1->About1);
        QCloseEvent request;
        QApplication::sendEvent(AboutBox, &request);
        QVERIFY(!AboutBox->isVisible());
        QVERIFY(Form1->isEnabled());
    }
    void exportedIconIsTheProgramIcon()
    {
        // What was there is replaced, whatever the extension, but not on a cancel.
        const QString path = s->path("exported.png");
        QVERIFY(test::writeFile(path, "not an icon"));
        s->dialog.cancel();
        doubleClickIcon();
        QCOMPARE(contents(path), QByteArray("not an icon"));
        s->dialog.accept(path, 2);
        doubleClickIcon();
        s->dialog.accept(s->path("second.ico"));
        doubleClickIcon();

        const QByteArray ico = contents(path);
        QCOMPARE(ico, programIconBytes());
        QCOMPARE(contents(s->path("second.ico")), ico);
        QCOMPARE(files(), (QStringList{"exported.png", "second.ico"}));
        QVERIFY(s->boxes.shown.isEmpty());
        // Proposed: the default name, again after a cancel, then the path accepted last.
        const QList<SaveDialogSettings>& runs = s->dialog.runs();
        QCOMPARE(runs.size(), 3);
        QCOMPARE(runs[0].fileName, QStringLiteral("VormoWeapon.ico"));
        QCOMPARE(runs[1].fileName, QStringLiteral("VormoWeapon.ico"));
        QCOMPARE(runs[2].fileName, path);
        QCOMPARE(runs[2].filterIndex, 2);

        // One image of 32 x 32 in 16 colours, 744 bytes at 22; its bitmap twice as high for the
        // mask, 4 bits a pixel, 512 bytes; the 16-colour palette.
        QCOMPARE(ico.size(), 766);
        QCOMPARE(ico.left(126).toHex(),
                 QByteArray("000001000100"
                            "2020100000000000e802000016000000"
                            "2800000020000000400000000100040000000000000200000000000000000000"
                            "0000000000000000"
                            "00000000000080000080000000808000800000008000800080800000c0c0c000"
                            "808080000000ff0000ff000000ffff00ff000000ff00ff00ffff0000ffffff00"));
    }
    void exportFailures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("shortWrite");
        QTest::addColumn<QString>("message"); // %1: the full path
        QTest::newRow("folder missing") << "missing/icon.ico" << false << "Cannot create file %1.";
        QTest::newRow("write stops short") << "old.ico" << true << "Stream write error.";
    }
    void exportFailures()
    {
        QFETCH(QString, name);
        QFETCH(bool, shortWrite);
        QFETCH(QString, message);
        const QByteArray old("an icon that was there before");
        QVERIFY(test::writeFile(s->path("old.ico"), old));
        if (shortWrite) {
            setChunkWriter([](QIODevice& file, const char* data, qint64 size) {
                return file.write(data, size - 1);
            });
        }
        s->dialog.accept(s->path(name));
        doubleClickIcon();

        QCOMPARE(s->boxes.shown.size(), 1);
        QCOMPARE(s->boxes.shown.first().text, message.replace(u"%1"_qs, s->path(name)));
        QVERIFY(AboutBox->isVisible());
        QVERIFY(!Form1->isEnabled());
        // Nothing torn, nothing left behind, and what was there is still whole.
        QCOMPARE(files(), QStringList{"old.ico"});
        QCOMPARE(contents(s->path("old.ico")), old);
    }

private:
    QStringList files() const
    {
        return QDir(s->dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    }
    void doubleClickIcon() { QTest::mouseDClick(AboutBox->ProgramIcon, Qt::LeftButton); }

    std::unique_ptr<test::EditorSession> s;
};

QTEST_MAIN(AboutBoxTest)
#include "tst_about_box.moc"
