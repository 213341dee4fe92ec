// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// New, Save and Save As without a window: which path they write to, when they ask, the bytes
// that reach the disk, and what every failure of the disk leaves behind.

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
    void saveAs(const WeaponValues& weapon = {}) { savePluginAs(weapon, *dialog_, doc_); }

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

        // Replaced through a link, by root too: the link stays, the file keeps mode and owner.
        const QByteArray name = QFile::encodeName(path("weapon"));
        const uid_t user = geteuid() == 0 ? 65534 : geteuid();
        const gid_t group = geteuid() == 0 ? 65534 : getegid();
        QVERIFY(::chmod(name.constData(), 0640) == 0 &&
                ::chown(name.constData(), user, group) == 0);
        QVERIFY(QFile::link(path("weapon"), path("link.vwp")));
        script_->accept(path("link.vwp"));
        saveAs();
        QCOMPARE(contents(path("weapon")), fixture("fresh.vwp"));
        QVERIFY(QFileInfo(path("link.vwp")).isSymLink());
        struct stat st;
        QVERIFY(::stat(name.constData(), &st) == 0);
        QCOMPARE(std::tuple(st.st_mode & 07777, st.st_uid, st.st_gid),
                 std::tuple(0640u, user, group));
    }

    void whenSaveAndSaveAsAsk()
    {
        script_->cancel();
        script_->accept(path("untitled.vwp"));
        script_->accept(path("b.vwp"), 2);
        script_->cancel();
        script_->accept(path("b.vwp"), 2);
        save();
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
    }

    void failuresKeepThePreviousFile_data()
    {
        QTest::addColumn<QString>("error");   // followed by the path when it ends in a space
        QTest::addColumn<QByteArray>("call"); // failed through libfiu with errno err
        QTest::addColumn<int>("err");
        const QString create = QStringLiteral("Cannot create file ");
        for (const char* fault : {"missing folder", "/proc", "read-only file"})
            QTest::newRow(fault) << create << QByteArray() << 0;
        QTest::newRow("over capacity") << u"RichEdit line insertion error"_qs << QByteArray() << 0;
        QTest::newRow("plugin, in place") << QString() << QByteArray() << 0; // succeeds
        for (const char* fault : {"full disk, plugin", "full disk, read-only folder"})
            QTest::newRow(fault) << u"Failed to Save Stream"_qs << QByteArray() << 0;
        QTest::newRow("full disk, icon") << u"Stream write error"_qs << QByteArray() << 0;
        // Every call of both saves, through a temporary file and in place.
        for (const int err : {ENOSPC, EDQUOT, EIO}) {
            for (const QByteArray call :
                 {"oc/open", "dir/rename", "rw/write", "sync/fsync", "oc/close",
                  "in place, rw/write", "in place, rw/ftruncate", "in place, sync/fsync",
                  "in place, oc/close"}) {
                const bool created = call.endsWith("open") || call.endsWith("rename");
                for (const auto& [save, failed] : {std::pair("plugin", u"Failed to Save Stream"_qs),
                                                   std::pair("icon", u"Stream write error"_qs)})
                    QTest::addRow("%s, %s, %s", save, call.data(), strerrorname_np(err))
                        << (created ? create : failed) << call << err;
            }
        }
    }
    void failuresKeepThePreviousFile()
    {
        QFETCH(QString, error);
        QFETCH(QByteArray, call);
        QFETCH(int, err);
        const QByteArray fault = QTest::currentDataTag();
        const bool inPlace = fault.contains("in place"), fullDisk = fault.startsWith("full disk");
        // Faults come from libfiu's preload; run_as_user.sh --full-disk mounts a full file system.
        if (fullDisk ? qEnvironmentVariableIsEmpty("VORMO_FULL_DISK")
                     : (inPlace || !call.isEmpty()) && !fiuEnable)
            QSKIP("needs libfiu's preload or run_as_user.sh --full-disk; ctest gives both");
        if (fullDisk)
            tmp_.emplace(qEnvironmentVariable("VORMO_FULL_DISK") + "/XXXXXX");
        // The path is shown as typed, never used as a format.
        const QString file = fault == "/proc"                ? u"/proc/vormo-weapon.vwp"_qs
                             : fault == "missing folder"     ? path("gone %s %n %1 <b>/weapon.vwp")
                             : fault.endsWith("only folder") ? path("ro/weapon.vwp")
                                                             : path("weapon.vwp");
        QVERIFY(QDir(tmp_->path()).mkdir(u"ro"_qs));
        const bool existed = writeFile(file, "previous");
        if (fault == "read-only file") {
            if (geteuid() == 0)
                QSKIP("root may write read-only files");
            QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner));
        }
        QVERIFY(QFile::setPermissions(path("ro"), QFile::ReadOwner | QFile::ExeOwner));
        if (fullDisk) // room for the old bytes, none for the new
            QVERIFY(QDir(tmp_->path()).mkdir(u"fill"_qs) &&
                    !writeFile(path("fill/up"), QByteArray(1 << 16, 'f')));
        // Longer than the page the old bytes take, so that writing in place needs room too.
        const int nameSize = fault == "over capacity" ? 70000 : fullDisk ? 3000 : 0;
        const WeaponValues weapon =
            nameSize ? edited({"Name=" + QString(nameSize, u'N')}) : WeaponValues();
        const QByteArray point = "posix/io/" + call.sliced(call.lastIndexOf(' ') + 1);
        script_->accept(file);
        for (int i = 0; i < 2; ++i) { // the second time to the same path, without asking
            if (inPlace)              // the folder refuses the temporary file
                fiuEnable("posix/io/oc/open", 1, reinterpret_cast<void*>(EACCES), 1);
            if (!call.isEmpty())
                fiuEnable(point.data(), 1, reinterpret_cast<void*>(intptr_t(err)), 1);
            const QString message = errorOf([&] {
                fault.contains("icon") ? saveFileSafely(file, "icon", u"Stream write error"_qs)
                                       : save(weapon);
            });
            QCOMPARE(message, error.endsWith(u' ') ? error + file : error);
        }
        // In place, what was written stays: only a first write that fails keeps the old bytes.
        if (!inPlace || call.endsWith("write") || error.isEmpty())
            QCOMPARE(contents(file), error.isEmpty() ? fixture("fresh.vwp")
                                     : existed       ? QByteArray("previous")
                                                     : QByteArray());
        // No temporary file left behind.
        QCOMPARE(QDir(existed ? QFileInfo(file).path() : tmp_->path())
                     .entryList(QDir::Files | QDir::Hidden),
                 existed ? QStringList{u"weapon.vwp"_qs} : QStringList());
    }
};

QTEST_GUILESS_MAIN(SaveCommandsTest)
#include "tst_save_commands.moc"
