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
};

QTEST_GUILESS_MAIN(SaveCommandsTest)
#include "tst_save_commands.moc"
