// New, Save and Save As without a window: which path they write to, when they ask, the bytes
// that reach the disk, and what every failure of the disk leaves behind.

#include "FileCommands.h"
#include "PluginDocument.h"
#include "SafeFile.h"
#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vormo;
using namespace vormo::test;

namespace {

// libfiu's control, there when fiu_posix_preload.so is preloaded (ctest does): it fails the
// POSIX call a point names with the errno given as failinfo, until disabled.
using FiuEnable = int (*)(const char* name, int failnum, void* failinfo, unsigned flags);
const auto fiuEnable = reinterpret_cast<FiuEnable>(dlsym(RTLD_DEFAULT, "fiu_enable"));
const auto fiuDisable = reinterpret_cast<int (*)(const char*)>(dlsym(RTLD_DEFAULT, "fiu_disable"));
constexpr unsigned kOnce = 1; // FIU_ONETIME
void* failinfo(int err) { return reinterpret_cast<void*>(intptr_t(err)); }

} // namespace

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
        const bool root = geteuid() == 0;
        QCOMPARE(::chmod(name.constData(), 0640), 0);
        QVERIFY(!root || ::chown(name.constData(), 65534, 65534) == 0);
        QVERIFY(QFile::link(path("weapon"), path("link.vwp")));
        newPlugin();
        script_->accept(path("link.vwp"));
        save();
        QCOMPARE(contents(path("weapon")), fixture("fresh.vwp"));
        QVERIFY(QFileInfo(path("link.vwp")).isSymLink());
        struct stat st;
        QCOMPARE(::stat(name.constData(), &st), 0);
        QCOMPARE(st.st_mode & 07777, 0640u);
        QCOMPARE(st.st_uid, root ? 65534u : geteuid());
        QCOMPARE(st.st_gid, root ? 65534u : getegid());
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
        QTest::addColumn<QString>("error");   // followed by the path when it ends in a space
        QTest::addColumn<QByteArray>("call"); // failed through libfiu with errno err
        QTest::addColumn<int>("err");
        const QString cannotCreate = QStringLiteral("Cannot create file ");
        for (const char* fault : {"missing folder", "/proc", "read-only file"})
            QTest::newRow(fault) << cannotCreate << QByteArray() << 0;
        QTest::newRow("over capacity")
            << QStringLiteral("RichEdit line insertion error") << QByteArray() << 0;
        // Every call of both saves: through a temporary file, and in place where the folder
        // takes none.
        for (const int err : {ENOSPC, EDQUOT, EIO}) {
            for (const char* call : {"oc/open", "rw/write", "sync/fsync", "oc/close", "dir/rename",
                                     "in place: rw/write", "in place: rw/ftruncate",
                                     "in place: sync/fsync", "in place: oc/close"}) {
                const QByteArray point =
                    "posix/io/" + QByteArray(call).remove(0, 10 * (*call == 'i'));
                const bool create = point.endsWith("open") || point.endsWith("rename");
                QTest::addRow("plugin, %s, %s", call, strerrorname_np(err))
                    << (create ? cannotCreate : QStringLiteral("Failed to Save Stream")) << point
                    << err;
                QTest::addRow("icon, %s, %s", call, strerrorname_np(err))
                    << (create ? cannotCreate : QStringLiteral("Stream write error")) << point
                    << err;
            }
        }
    }
    void failuresKeepThePreviousFile()
    {
        QFETCH(QString, error);
        QFETCH(QByteArray, call);
        QFETCH(int, err);
        const QByteArray fault = QTest::currentDataTag();
        if (!call.isEmpty() && !fiuEnable)
            QSKIP("storage faults need libfiu's fiu_posix_preload.so preloaded, as ctest does");
        // The path is shown as typed, never used as a format.
        const QString file = fault == "/proc"            ? QStringLiteral("/proc/vormo-weapon.vwp")
                             : fault == "missing folder" ? path("gone %s %n %1 <b>/weapon.vwp")
                                                         : path("weapon.vwp");
        const bool existed = file == path("weapon.vwp") && writeFile(file, "previous");
        if (fault == "read-only file") {
            if (geteuid() == 0)
                QSKIP("root may write read-only files");
            QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner));
        }
        const bool inPlace = fault.contains("in place");
        const WeaponValues weapon =
            fault == "over capacity" ? edited({"Name=" + QString(70000, u'N')}) : WeaponValues();
        const QString expected = error.endsWith(u' ') ? error + file : error;
        script_->accept(file);
        const auto attempt = [&] {
            if (inPlace) // the folder refuses the temporary file
                fiuEnable("posix/io/oc/open", 1, failinfo(EACCES), kOnce);
            if (!call.isEmpty())
                fiuEnable(call.constData(), 1, failinfo(err), 0);
            const QString message = errorOf([&] {
                if (fault.startsWith("icon"))
                    saveFileSafely(file, "icon", QStringLiteral("Stream write error"));
                else
                    save(weapon);
            });
            if (!call.isEmpty())
                fiuDisable(call.constData());
            return message;
        };
        QCOMPARE(attempt(), expected);
        QCOMPARE(attempt(), expected); // the same path, without asking
        // In place, what was written stays: only a first write that fails keeps the old bytes.
        if (!inPlace || call.endsWith("write"))
            QCOMPARE(contents(file), existed ? "previous" : "");
        // No temporary file left behind.
        QCOMPARE(QDir(tmp_->path()).entryList(QDir::Files | QDir::Hidden),
                 existed ? QStringList{QStringLiteral("weapon.vwp")} : QStringList());
    }

    void fullDiskKeepsEveryFile()
    {
        // run_as_user.sh --full-disk mounts a 64 KiB file system here, which a test cannot.
        const QString disk = qEnvironmentVariable("VORMO_FULL_DISK");
        if (disk.isEmpty())
            QSKIP("runs on the small file system of run_as_user.sh --full-disk");
        const QStringList files{disk + "/weapon.vwp", disk + "/icon.ico", disk + "/ro/weapon.vwp"};
        QVERIFY(QDir(disk).mkdir(QStringLiteral("ro")));
        for (const QString& file : files)
            QVERIFY(writeFile(file, "previous"));
        // A folder that takes no temporary file: its plugin is written in place.
        QVERIFY(QFile::setPermissions(disk + "/ro", QFile::ReadOwner | QFile::ExeOwner));
        QFile filler(disk + "/filler");
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(1024, 'f')) > 0) {
        }
        // Longer than the page the old bytes take, so that writing in place needs room too.
        const WeaponValues weapon = edited({"Name=" + QString(3000, u'N')});
        for (const QString& file : {files[0], files[2]}) {
            newPlugin();
            script_->accept(file);
            QCOMPARE(errorOf([&] { save(weapon); }), QStringLiteral("Failed to Save Stream"));
        }
        const QString iconError = QStringLiteral("Stream write error");
        QCOMPARE(errorOf([&] { saveFileSafely(files[1], QByteArray(766, 'i'), iconError); }),
                 iconError);
        for (const QString& file : files)
            QCOMPARE(contents(file), "previous");
        const auto all = QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot;
        QCOMPARE(QDir(disk).entryList(all),
                 (QStringList{"filler", "icon.ico", "ro", "weapon.vwp"}));
        QCOMPARE(QDir(disk + "/ro").entryList(all), QStringList{"weapon.vwp"});
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
