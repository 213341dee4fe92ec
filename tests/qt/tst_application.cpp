// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program from start to end: the exit status is 0 even when start-up fails, and a plugin
// named at start opens as a dropped one does. What ends the event loop is seen on the real
// program (smoke_xvfb.sh).

#include "CommandLine.h"
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

    void failedStartUpShowsTheErrorAndExitsWithZero()
    {
        test::RecordingMessageBoxes boxes;
        QCOMPARE(runApplication([] {
                     createForm(Form1);
                     throw VormoError(u"Cannot create the about box");
                 }),
                 0);
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(test::describe(boxes.shown.first()),
                 "Vormo Weapon Plugin Maker | Cannot create "
                 "the about box. | critical | modal | ok | free");
    }

    // The plugin is the one Save writes to, named as given: a relative name made absolute,
    // bytes that are not UTF-8 kept, so that the U+FFFD twin they show as stays untouched. One
    // that cannot be opened gives its error box, and the editor starts as without a file.
    // Either way typing replaces the first field.
    void startsWithTheFileNamed()
    {
        for (const bool exists : {true, false}) {
            QTemporaryDir dir;
            const std::filesystem::path folder = toPath(dir.path()),
                                        path = folder / "weapon\xfc.vwp";
            QVERIFY(!exists || std::filesystem::copy_file(
                                   VORMO_TEST_DATA "/foreign-plugin-resaved.vwp", path));
            QVERIFY(test::writeFile(dir.filePath(u"weapon\ufffd.vwp"_s), "twin"));
            const QString home = QDir::currentPath();
            QDir::setCurrent(dir.path());
            const char* const argv[] = {"VormoWep", "weapon\xfc.vwp"};
            const std::filesystem::path file = parseCommandLine(2, argv).file;
            QDir::setCurrent(home);
            QVERIFY(file == path);
            test::RecordingMessageBoxes boxes;
            QStringList seen;
            QTimer::singleShot(0, qApp, [&] {
                const QLineEdit* first = Form1->Name;
                seen << displayName(currentFileName())
                     << displayName(Form1->SaveDialog1->FileName()) << first->text().left(10)
                     << (first->selectedText() == first->text() ? u"all selected"_s : QString());
                std::filesystem::remove(path);
                if (exists)
                    Form1->SaveBtn->click();
                Form1->close();
            });
            QCOMPARE(runApplication([&] { createWindows(file); }), 0);
            for (const MessageBoxRequest& box : boxes.shown)
                seen << box.text;
            const QString shown = displayName(path);
            const QStringList expected =
                exists ? QStringList{shown, shown, u"Hand-made:"_s, u"all selected"_s}
                       : QStringList{u"untitled.vwp"_s, QString(), u"NAME"_s, u"all selected"_s,
                                     "Cannot open file "_L1 + shown + u'.'};
            QCOMPARE(seen, expected);
            QCOMPARE(test::contents(folder / "weapon\xef\xbf\xbd.vwp"), "twin");
            QCOMPARE(test::contents(path),
                     exists ? test::fixture("foreign-plugin-resaved.vwp") : std::string());
            std::filesystem::remove(path); // which Qt could not name
        }
    }
};

QTEST_MAIN(ApplicationTest)
#include "tst_application.moc"
