// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// New, Save and Save As without a window: which path they write to, when they ask, the bytes
// that reach the disk, and what every failure leaves behind.

#include "FileCommands.h"
#include "PluginDocument.h"
#include "SafeFile.h"
#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace vormo;
using namespace vormo::test;

class SaveCommandsTest : public QObject {
    Q_OBJECT
    std::optional<QTemporaryDir> tmp_;
    std::optional<ScriptedSaveDialog> script_;
    std::optional<SaveDialog> dialog_;
    PluginDocument doc_;

    QString path(const char* name) const { return tmp_->filePath(QLatin1StringView(name)); }
    void save(const WeaponValues& weapon = {}) { savePlugin(weapon, *dialog_, doc_); }
    void saveAs() { savePluginAs(WeaponValues(), *dialog_, doc_); }

private slots:
    void init()
    {
        tmp_.emplace();
        script_.emplace();
        dialog_.emplace(pluginSaveDialogSettings());
        newPlugin();
    }
    void cleanup()
    {
        setChunkWriter(nullptr);
        QFile::setPermissions(path("ro"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void documentCutsTextIntoLines()
    {
        // CR LF, LF and CR each end a line; LF CR and CR CR LF are two breaks; a break at the
        // end adds no line.
        doc_.setText(QStringLiteral("old\nlines"));
        doc_.setText(QStringLiteral("a\r\nb\nc\rd\n\re\r\r\nf\n"));
        QCOMPARE(doc_.lines(), (QList<QByteArray>{"a", "b", "c", "d", "", "e", "", "f"}));

        // Two lines filling the capacity exactly, counting two characters per line end.
        const QString full = QString(40000, u'x') + u'\n' + QString(65535 - 40002 - 2, u'y');
        doc_.setText(full);
        QCOMPARE(doc_.bytes().size(), PluginDocument::kCapacity);
        QCOMPARE(errorOf([&] { doc_.setText(full + u'z'); }), u"RichEdit line insertion error");
        QCOMPARE(doc_.lines(), QList<QByteArray>{QByteArray(40000, 'x')}); // earlier lines stay
    }

    void savedBytesMatchFixtures()
    {
        script_->accept(path("weapon"));
        const mode_t umaskBefore = umask(022);
        save(editedWeapon());
        umask(umaskBefore);
        QCOMPARE(contents(path("weapon")), fixture("edited.vwp"));
        // Written through a temporary file, a new plugin must still be readable by others.
        QVERIFY(QFile::permissions(path("weapon")).testFlag(QFileDevice::ReadOther));
    }

    void whenSaveAndSaveAsAsk()
    {
        script_->cancel();
        script_->accept(path("untitled.vwp"));
        script_->accept(path("b.vwp"), 2);
        script_->cancel();
        script_->accept(path("b.vwp"), 2);
        save();
        QCOMPARE(script_->runs()[0].fileName, QString()); // empty name field the first time
        QCOMPARE(QDir(tmp_->path()).entryList(QDir::Files), QStringList()); // nothing written
        save();                        // still untitled: asks again
        save(edited({"Name=Second"})); // a file of that name in a folder is named
        QCOMPARE(script_->runs().size(), 2);
        QVERIFY(contents(path("untitled.vwp")).contains("\r\nNAME:Second\r\n"));

        saveAs(); // always asks; Save then writes to the new path
        QCOMPARE(script_->runs()[2].fileName, path("untitled.vwp")); // the last path proposed
        save(edited({"Name=Later"}));
        QVERIFY(contents(path("b.vwp")).contains("\r\nNAME:Later\r\n"));
        saveAs(); // cancelled: path and file type stay
        QCOMPARE(currentFileName(), path("b.vwp"));
        newPlugin(); // untitled again, so Save asks; the dialog remembers
        save();
        QCOMPARE(script_->runs()[4].fileName, path("b.vwp"));
        QCOMPARE(script_->runs()[4].filterIndex, 2);
    }

    void failuresKeepThePreviousFile_data()
    {
        QTest::addColumn<QString>("error"); // followed by the path when it ends in a space
        const QString cannotCreate = QStringLiteral("Cannot create file ");
        QTest::newRow("missing folder") << cannotCreate;
        QTest::newRow("/proc") << cannotCreate; // nobody, root included, creates files there
        QTest::newRow("read-only file") << cannotCreate;
        QTest::newRow("failing write") << QStringLiteral("Failed to Save Stream");
        QTest::newRow("over capacity") << QStringLiteral("RichEdit line insertion error");
    }
    void failuresKeepThePreviousFile()
    {
        QFETCH(QString, error);
        const QByteArray fault = QTest::currentDataTag();
        // The path is shown as typed, never used as a format.
        const QString file = fault == "/proc"            ? QStringLiteral("/proc/vormo-weapon.vwp")
                             : fault == "missing folder" ? path("gone %s %n %1 <b>/weapon.vwp")
                                                         : path("weapon.vwp");
        const bool existed = file == path("weapon.vwp") && writeFile(file, "previous");
        if (fault == "read-only file") {
            if (geteuid() == 0)
                QSKIP("root may write read-only files");
            QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner));
        } else if (fault == "failing write") {
            setChunkWriter([](QIODevice& device, const char* data, qint64 size) {
                device.write(data, size / 2); // the disk fills up half-way
                return qint64(-1);
            });
        }
        const WeaponValues weapon =
            fault == "over capacity" ? edited({"Name=" + QString(70000, u'N')}) : WeaponValues();
        const QString expected = error.endsWith(u' ') ? error + file : error;
        script_->accept(file);
        QCOMPARE(errorOf([&] { save(weapon); }), expected);
        QCOMPARE(errorOf([&] { save(weapon); }), expected); // the same path, without asking
        QCOMPARE(contents(file), existed ? "previous" : "");
        // No temporary file left behind.
        QCOMPARE(QDir(tmp_->path()).entryList(QDir::Files | QDir::Hidden),
                 existed ? QStringList{QStringLiteral("weapon.vwp")} : QStringList());
    }

    void readOnlyFolderStillSavesAWritableFile()
    {
        if (geteuid() == 0)
            QSKIP("root creates files in read-only folders");
        QVERIFY(QDir(tmp_->path()).mkdir(QStringLiteral("ro")));
        QVERIFY(writeFile(path("ro/weapon.vwp"), "previous"));
        QVERIFY(QFile::setPermissions(path("ro"), QFile::ReadOwner | QFile::ExeOwner));
        script_->accept(path("ro/weapon.vwp"));
        save();
        QCOMPARE(contents(path("ro/weapon.vwp")), fixture("fresh.vwp"));
    }

    void lineBreakInsideAFieldEndsTheLine()
    {
        script_->accept(path("weapon.vwp"));
        save(edited({"Name=Big\rGun", "Grav=9\n"}));
        const QByteArray bytes = contents(path("weapon.vwp"));
        QVERIFY(bytes.contains("\r\nPROMPT:This will activate the weapon Big\r\nGun.  Do you"));
        QVERIFY(bytes.contains("\r\nNAME:Big\r\nGun\r\nACCADD:0\r\n"));
        // The field's own break and the one after its line make an empty line.
        QVERIFY(bytes.contains("\r\nGRAVITY:9\r\n\r\nHITDAMAGE:0\r\n"));
    }
};

QTEST_GUILESS_MAIN(SaveCommandsTest)
#include "tst_save_commands.moc"
