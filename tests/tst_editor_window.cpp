// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The editor window at work: what its buttons save, how a failed save is reported, and that
// the window stays usable afterwards.

#include "FileCommands.h"
#include "RecordingMessageBoxes.h"
#include "TForm1.h"
#include "TestSupport.h"
#include "support/EditorFields.h"

#include <QFile>
#include <QTemporaryDir>

#include <memory>

using namespace vormo;

class EditorWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;
    test::ScriptedSaveDialog dialog; // answers the save dialog throughout
    std::unique_ptr<TForm1> form;

    QByteArray saved(const char* name) const
    {
        QFile file(dir->filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        form = std::make_unique<TForm1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void cleanup() { form.reset(); }

    void buttonsSaveTheFreshPlugin()
    {
        const QString path = dir->filePath("fresh.vwp");
        dialog.accept(path);
        QTest::mouseClick(form->SaveBtn, Qt::LeftButton);
        QCOMPARE(saved("fresh.vwp"), test::fixture("fresh.vwp"));
        QTest::mouseClick(form->NewBtn, Qt::LeftButton); // forgets the path: Save asks again
        dialog.accept(path);
        form->SaveBtn->click();
        QVERIFY(dialog.allAnswersUsed());
        QCOMPARE(currentFileName(), path);
    }

    void failedSaveShowsTheErrorBox_data()
    {
        QTest::addColumn<QString>("name"); // inside a folder that does not exist
        QTest::addColumn<QString>("fullStop");
        QTest::newRow("ends in a letter") << u"weapon.vwp"_qs << u"."_qs;
        QTest::newRow("ends in a digit") << u"weapon2"_qs << u"."_qs;
        QTest::newRow("ends in a slash") << u"weapon/"_qs << u"."_qs;
        QTest::newRow("ends in a full stop") << u"weapon."_qs << QString();
        QTest::newRow("ends in a space") << u"weapon "_qs << QString();
        QTest::newRow("looks like markup") << u"<b>x</b>.vwp"_qs << u"."_qs;
    }

    void failedSaveShowsTheErrorBox()
    {
        QFETCH(QString, name);
        QFETCH(QString, fullStop);
        test::RecordingMessageBoxes boxes;
        const QString path = dir->filePath(u"missing/"_qs + name);
        dialog.accept(path);
        form->SaveBtn->click();
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown.first().text, u"Cannot create file "_qs + path + fullStop);
        QCOMPARE(boxes.shown.first().caption, u"Vormo Weapon Plugin Maker");
        // The window runs on.
        QVERIFY(form->isVisible() && form->isEnabled());
        test::typeInto(form->Name, u"Again"_qs);
        dialog.accept(dir->filePath("good.vwp"));
        QTest::mouseClick(form->SaveAsBtn, Qt::LeftButton);
        QCOMPARE(boxes.shown.size(), 1);
        QVERIFY(saved("good.vwp").contains("\r\nNAME:Again\r\n"));
    }
};

QTEST_MAIN(EditorWindowTest)
#include "tst_editor_window.moc"
