// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program from start to end: only the editor window's closing ends the event loop, the
// about box goes before the editor, and the exit status is 0 even when start-up fails.

#include "Application.h"
#include "Errors.h"
#include "RecordingMessageBoxes.h"
#include "TAboutBox.h"
#include "TForm1.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

using namespace vormo;

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
                     throw VormoError(u"Cannot create the about box"_qs);
                 }),
                 0);
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown.first().text, u"Cannot create the about box.");
        QCOMPARE(boxes.shown.first().caption, u"Vormo Weapon Plugin Maker");
    }
};

QTEST_MAIN(ApplicationTest)
#include "tst_application.moc"
