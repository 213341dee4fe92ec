// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What every failure of the disk leaves behind when Save writes a plugin or the icon.

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
            nameSize ? edited(u"Name=" + std::u16string(std::size_t(nameSize), u'N'))
                     : WeaponValues();
        const QByteArray point = "posix/io/" + call.sliced(call.lastIndexOf(' ') + 1);
        script_->accept(toPath(file));
        for (int i = 0; i < 2; ++i) { // the second time to the same path, without asking
            if (inPlace)              // the folder refuses the temporary file
                fiuEnable("posix/io/oc/open", 1, reinterpret_cast<void*>(EACCES), 1);
            if (!call.isEmpty())
                fiuEnable(point.data(), 1, reinterpret_cast<void*>(intptr_t(err)), 1);
            const QString message = toQString(errorOf([&] {
                fault.contains("icon") ? saveFileSafely(toPath(file), "icon", u"Stream write error")
                                       : save(weapon);
            }));
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
