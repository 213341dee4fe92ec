// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program from start to end: only the editor window's closing ends the event loop, the
// about box goes before the editor, and the exit status is 0 even when start-up fails. A plugin
// named at start opens as a dropped one does.

#include "EditorSession.h"
#include "Errors.h"
#include "FileCommands.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

using namespace vormo;
using namespace Qt::StringLiterals;

class ApplicationTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { prepareApplication(); }
    void cleanup() { QVERIFY(!Form1 && !AboutBox); }

    void onlyClosingTheEditorEndsTheProgram()
    {
        QStringList steps;
        QObject watchdog; // ends the loop should closing the editor not
        QTimer::singleShot(5000, &watchdog, [&] {
            steps << u"still running after Quit"_qs;
            QCoreApplication::exit();
        });
        QTimer::singleShot(0, qApp, [&] {
            steps << Form1->windowTitle() << QApplication::applicationName();
            QObject::connect(AboutBox, &QObject::destroyed, [&] { steps << u"AboutBox gone"_qs; });
            QObject::connect(Form1, &QObject::destroyed, [&] { steps << u"Form1 gone"_qs; });
            AboutBox->show();
            AboutBox->close();
            QWidget other; // Qt by itself ends the loop when the last such window closes
            other.show();
            other.close();
            // Anything these closings set off to end the loop has done so by then.
            QTimer::singleShot(100, qApp, [&] {
                steps << u"still running"_qs;
                QTest::mouseClick(Form1->QuitBtn, Qt::LeftButton);
            });
        });
        QCOMPARE(runApplication(), 0);
        QCOMPARE(steps, (QStringList{u"Vormo Weapon Editor"_qs, u"Vormo Weapon Plugin Maker"_qs,
                                     u"still running"_qs, u"AboutBox gone"_qs, u"Form1 gone"_qs}));
    }

    void failedStartUpShowsTheErrorAndExitsWithZero()
    {
        test::RecordingMessageBoxes boxes;
        QCOMPARE(runApplication([] {
                     createForm(Form1);
                     throw VormoError(u"Cannot create the about box");
                 }),
                 0);
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown.first().text, u"Cannot create the about box.");
        QCOMPARE(boxes.shown.first().caption, u"Vormo Weapon Plugin Maker");
    }

    // The plugin is the one Save writes to; one that cannot be opened gives its error box, and
    // the editor starts as without a file. Either way typing replaces the first field.
    void startsWithTheFileNamed()
    {
        for (const bool exists : {true, false}) {
            QTemporaryDir dir;
            const QString path = dir.filePath(u"named weapon.vwp"_qs);
            QVERIFY(!exists || QFile::copy(VORMO_TEST_DATA "/foreign-plugin-resaved.vwp"_L1, path));
            test::RecordingMessageBoxes boxes;
            QStringList seen;
            QTimer::singleShot(0, qApp, [&] {
                const QLineEdit* first = Form1->Name;
                seen << fromPath(currentFileName()) << fromPath(Form1->SaveDialog1->FileName())
                     << first->text().left(10)
                     << (first->selectedText() == first->text() ? u"all selected"_qs : QString());
                Form1->close();
            });
            QCOMPARE(runApplication([&] { createWindows(path); }), 0);
            for (const MessageBoxRequest& box : boxes.shown)
                seen << box.text;
            const QStringList expected =
                exists ? QStringList{path, path, u"Hand-made:"_qs, u"all selected"_qs}
                       : QStringList{u"untitled.vwp"_qs, QString(), u"NAME"_qs, u"all selected"_qs,
                                     "Cannot open file "_L1 + path + u'.'};
            QCOMPARE(seen, expected);
        }
    }

    // Only a left click places the cursor; the other buttons select the whole text.
    void mouseButtonsOtherThanTheLeftSelectAll()
    {
        test::EditorSession session;
        QVERIFY(QTest::qWaitForWindowActive(Form1));
        for (const Qt::MouseButton button : {Qt::LeftButton, Qt::MiddleButton, Qt::RightButton}) {
            Form1->Name->setFocus();
            Form1->Dist->setText(u"12"_qs);
            QTest::mouseClick(Form1->Dist, button, {}, QPoint(70, 10));
            QCOMPARE(Form1->Dist->selectedText(), button == Qt::LeftButton ? QString() : u"12"_qs);
        }
    }
};

QTEST_MAIN(ApplicationTest)
#include "tst_application.moc"
