// New, Save and Save As without a window: which path they write to, when they ask, the bytes
// that reach the disk, and what every failure leaves behind.

#include "Errors.h"
#include "FileCommands.h"
#include "PluginDocument.h"
#include "SafeFile.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <sys/stat.h>
#include <unistd.h>

using namespace vormo;
using test::fixture;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Runs a command and returns the text of the error it raised, or an empty string.
template <typename Command> QString errorOf(Command&& command)
{
    try {
        command();
    } catch (const VormoError& error) {
        return error.message();
    }
    return {};
}

} // namespace

class SaveCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void documentCutsTextIntoLines_data();
    void documentCutsTextIntoLines();
    void documentCapacityRefusesTheLineThatPassesIt();

    void savedBytesMatchFixtures_data();
    void savedBytesMatchFixtures();
    void extensionNeverChangesTheBytes_data();
    void extensionNeverChangesTheBytes();
    void newFileGetsOrdinaryPermissions();

    void firstSaveAsksAndCancelWritesNothing();
    void secondSaveOverwritesWithoutAsking();
    void saveAsThenSaveWritesToTheNewPath();
    void cancelledSaveAsKeepsThePath();
    void newForgetsThePathButTheDialogRemembers();
    void fileCalledUntitledIsANamedFile();

    void missingFolderCannotBeCreatedAndSaveRetriesSamePath();
    void placeWhereNoFileCanBeCreated();
    void readOnlyFileIsNotReplaced();
    void readOnlyFolderStillSavesAWritableFile();
    void failedWriteKeepsThePreviousPlugin();
    void oversizedTextWritesNothing();
    void lineBreakInsideAFieldEndsTheLine();
    void pathIsShownAsTyped();

private:
    std::unique_ptr<QTemporaryDir> tmp_;
    QString path(const char* name) const { return tmp_->filePath(QLatin1StringView(name)); }
};

void SaveCommandsTest::init()
{
    tmp_ = std::make_unique<QTemporaryDir>();
    QVERIFY(tmp_->isValid());
    newPlugin();
}

void SaveCommandsTest::cleanup()
{
    setChunkWriter(nullptr);
    tmp_.reset();
}

void SaveCommandsTest::documentCutsTextIntoLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<QByteArray>>("lines");
    using L = QList<QByteArray>;
    QTest::newRow("empty") << "" << L{};
    QTest::newRow("one line") << "a" << L{"a"};
    QTest::newRow("crlf") << "a\r\nb" << L{"a", "b"};
    QTest::newRow("lone lf") << "a\nb" << L{"a", "b"};
    QTest::newRow("lone cr") << "a\rb" << L{"a", "b"};
    QTest::newRow("break at the end adds no line") << "a\n" << L{"a"};
    QTest::newRow("two breaks make an empty line") << "a\n\nb" << L{"a", "", "b"};
    QTest::newRow("lf cr is two breaks") << "a\n\rb" << L{"a", "", "b"};
    QTest::newRow("cr cr lf") << "a\r\r\nb" << L{"a", "", "b"};
    QTest::newRow("only a break") << "\r\n" << L{""};
}

void SaveCommandsTest::documentCutsTextIntoLines()
{
    QFETCH(QString, text);
    QFETCH(QList<QByteArray>, lines);
    PluginDocument doc;
    doc.setText(QStringLiteral("old\nlines\nhere"));
    doc.setText(text);
    QCOMPARE(doc.lines(), lines);
}

void SaveCommandsTest::documentCapacityRefusesTheLineThatPassesIt()
{
    PluginDocument doc;
    // Two lines filling the capacity exactly, counting two characters per line end.
    const QString full = QString(40000, u'x') + u'\n' + QString(65535 - 40002 - 2, u'y');
    doc.setText(full);
    QCOMPARE(doc.bytes().size(), PluginDocument::kCapacity);

    const QString over = full + u'z';
    QCOMPARE(errorOf([&] { doc.setText(over); }), u"RichEdit line insertion error");
    QCOMPARE(doc.lines().size(), 1); // the line before the refused one stays
    QCOMPARE(doc.lines().first().size(), 40000);
}

void SaveCommandsTest::savedBytesMatchFixtures_data()
{
    QTest::addColumn<bool>("edited");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("fresh") << false << fixture("fresh.vwp");
    QTest::newRow("every field edited") << true << fixture("edited.vwp");
}

void SaveCommandsTest::savedBytesMatchFixtures()
{
    QFETCH(bool, edited);
    QFETCH(QByteArray, expected);
    test::ScriptedSaveDialog script;
    script.accept(path("weapon.vwp"));
    SaveDialog dialog(pluginSaveDialogSettings());
    PluginDocument doc;

    savePlugin(edited ? test::editedWeapon() : WeaponValues(), dialog, doc);

    const QByteArray bytes = contents(path("weapon.vwp"));
    QCOMPARE(bytes, expected);
    qsizetype lineBytes = 0;
    for (const QByteArray& line : doc.lines())
        lineBytes += line.size() + 2;
    QCOMPARE(doc.lines().size(), 50);
    QCOMPARE(bytes.size(), lineBytes);
    QVERIFY(bytes.startsWith("VORMOKIT:WEAPONPLUGIN\r\n")); // no byte-order mark
    QVERIFY(bytes.endsWith("SHADOW:1\r\n"));                // no NUL after the last line
}

void SaveCommandsTest::extensionNeverChangesTheBytes_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("txt") << "plugin.txt";
    QTest::newRow("other") << "plugin.weapon";
    QTest::newRow("none") << "plugin";
}

void SaveCommandsTest::extensionNeverChangesTheBytes()
{
    QFETCH(QString, name);
    test::ScriptedSaveDialog script;
    script.accept(tmp_->filePath(name));
    SaveDialog dialog(pluginSaveDialogSettings());
    PluginDocument doc;
    savePlugin(WeaponValues(), dialog, doc);
    QCOMPARE(contents(tmp_->filePath(name)), fixture("fresh.vwp"));
}

void SaveCommandsTest::newFileGetsOrdinaryPermissions()
{
    // Written through a temporary file, a new plugin must still be readable by others.
    const mode_t old = umask(022);
    test::ScriptedSaveDialog script;
    script.accept(path("weapon.vwp"));
    SaveDialog dialog(pluginSaveDialogSettings());
    PluginDocument doc;
    savePlugin(WeaponValues(), dialog, doc);
    umask(old);
    const auto perms = QFile::permissions(path("weapon.vwp"));
    QVERIFY(perms.testFlag(QFileDevice::ReadOther));
    QVERIFY(perms.testFlag(QFileDevice::ReadGroup));
    QVERIFY(perms.testFlag(QFileDevice::WriteOwner));
}

void SaveCommandsTest::firstSaveAsksAndCancelWritesNothing()
{
    test::ScriptedSaveDialog script;
    script.cancel();
    script.accept(path("a.vwp"));
    SaveDialog dialog(pluginSaveDialogSettings());
    PluginDocument doc;

    savePlugin(WeaponValues(), dialog, doc);
    QCOMPARE(script.runs().size(), 1);
    QCOMPARE(script.runs()[0].fileName, QString()); // empty name field the first time
    QCOMPARE(script.runs()[0].filterIndex, 1);
    QCOMPARE(script.runs()[0].title, u"Save Vormo Weapon...");
    QCOMPARE(currentFileName(), u"untitled.vwp");
    QCOMPARE(QDir(tmp_->path()).entryList(QDir::Files), QStringList());
    QVERIFY(doc.lines().isEmpty()); // the writer did not run

    savePlugin(WeaponValues(), dialog, doc); // still untitled: asks again
    QCOMPARE(script.runs().size(), 2);
    QCOMPARE(currentFileName(), path("a.vwp"));
}

void SaveCommandsTest::secondSaveOverwritesWithoutAsking()
{
    test::ScriptedSaveDialog script;
    script.accept(path("a.vwp"));
    SaveDialog dialog(pluginSaveDialogSettings());
    PluginDocument doc;
    WeaponValues weapon;
    savePlugin(weapon, dialog, doc);

    weapon.setText(u"Name", QStringLiteral("Second"));
    savePlugin(weapon, dialog, doc);
    QCOMPARE(script.runs().size(), 1);
    QVERIFY(contents(path("a.vwp")).contains("NAME:Second\r\n"));
    QCOMPARE(doc.lines().size(), 50); // replaced, not appended
}

void SaveCommandsTest::saveAsThenSaveWritesToTheNewPath()
{
    test::ScriptedSaveDialog script;
    script.accept(path("a.vwp"));
    script.accept(path("b.vwp"), 2);
    SaveDialog dialog(pluginSaveDialogSettings());
    PluginDocument doc;
    WeaponValues weapon;
    savePlugin(weapon, dialog, doc);
    savePluginAs(weapon, dialog, doc);
    QCOMPARE(script.runs()[1].fileName, path("a.vwp")); // pre-filled with the last path

    weapon.setText(u"Name", QStringLiteral("Later"));
    savePlugin(weapon, dialog, doc);
    QCOMPARE(script.runs().size(), 2);
    QCOMPARE(currentFileName(), path("b.vwp"));
    QVERIFY(contents(path("b.vwp")).contains("NAME:Later\r\n"));
    QVERIFY(contents(path("a.vwp")).contains("NAME:NAME\r\n"));
    QCOMPARE(dialog.FilterIndex(), 2);
}

void SaveCommandsTest::cancelledSaveAsKeepsThePath()
{
    test::ScriptedSaveDialog script;
    script.accept(path("a.vwp"), 3);
    script.cancel();
    SaveDialog dialog(pluginSaveDialogSettings());
    PluginDocument doc;
    WeaponValues weapon;
    savePlugin(weapon, dialog, doc);
    savePluginAs(weapon, dialog, doc);
    QCOMPARE(currentFileName(), path("a.vwp"));
    QCOMPARE(dialog.FileName(), path("a.vwp"));
    QCOMPARE(dialog.FilterIndex(), 3); // a cancel stores nothing

    weapon.setText(u"Name", QStringLiteral("Again"));
    savePlugin(weapon, dialog, doc);
    QCOMPARE(script.runs().size(), 2);
    QVERIFY(contents(path("a.vwp")).contains("NAME:Again\r\n"));
}

void SaveCommandsTest::newForgetsThePathButTheDialogRemembers()
{
    test::ScriptedSaveDialog script;
    script.accept(path("a.vwp"), 2);
    script.accept(path("a.vwp"), 2);
    SaveDialog dialog(pluginSaveDialogSettings());
    PluginDocument doc;
    WeaponValues weapon;
    weapon.setText(u"Name", QStringLiteral("Kept"));
    savePlugin(weapon, dialog, doc);

    newPlugin();
    QCOMPARE(currentFileName(), u"untitled.vwp");
    QCOMPARE(weapon.text(field(u"Name")), u"Kept");
    savePlugin(weapon, dialog, doc);
    QCOMPARE(script.runs().size(), 2);
    QCOMPARE(script.runs()[1].fileName, path("a.vwp"));
    QCOMPARE(script.runs()[1].filterIndex, 2);
    QCOMPARE(currentFileName(), path("a.vwp"));
    QVERIFY(contents(path("a.vwp")).contains("NAME:Kept\r\n"));
}

void SaveCommandsTest::fileCalledUntitledIsANamedFile()
{
    test::ScriptedSaveDialog script;
    script.accept(path("untitled.vwp"));
    SaveDialog dialog(pluginSaveDialogSettings());
    PluginDocument doc;
    savePlugin(WeaponValues(), dialog, doc);
    savePlugin(WeaponValues(), dialog, doc);
    QCOMPARE(script.runs().size(), 1);
    QCOMPARE(currentFileName(), path("untitled.vwp"));
}

void SaveCommandsTest::missingFolderCannotBeCreatedAndSaveRetriesSamePath()
{
    const QString target = path("gone/weapon.vwp");
    test::ScriptedSaveDialog script;
    script.accept(target);
    SaveDialog dialog(pluginSaveDialogSettings());
    PluginDocument doc;

    QCOMPARE(errorOf([&] { savePlugin(WeaponValues(), dialog, doc); }),
             QStringLiteral("Cannot create file ") + target);
    QCOMPARE(currentFileName(), target); // not rolled back
    QCOMPARE(doc.lines().size(), 50);    // the document already holds the new text
    QVERIFY(!QFile::exists(target));

    QCOMPARE(errorOf([&] { savePlugin(WeaponValues(), dialog, doc); }),
             QStringLiteral("Cannot create file ") + target);
    QCOMPARE(script.runs().size(), 1); // no dialog the second time

    QVERIFY(QDir(tmp_->path()).mkdir(QStringLiteral("gone")));
    savePlugin(WeaponValues(), dialog, doc);
    QCOMPARE(contents(target), fixture("fresh.vwp"));
}

void SaveCommandsTest::placeWhereNoFileCanBeCreated()
{
    // Nobody, root included, creates files here.
    const QString target = QStringLiteral("/proc/vormo-weapon.vwp");
    test::ScriptedSaveDialog script;
    script.accept(target);
    SaveDialog dialog(pluginSaveDialogSettings());
    PluginDocument doc;
    QCOMPARE(errorOf([&] { savePluginAs(WeaponValues(), dialog, doc); }),
             QStringLiteral("Cannot create file ") + target);
}

void SaveCommandsTest::readOnlyFileIsNotReplaced()
{
    if (geteuid() == 0)
        QSKIP("root may write read-only files");
    writeFile(path("locked.vwp"), "previous");
    QFile::setPermissions(path("locked.vwp"), QFileDevice::ReadOwner);
    test::ScriptedSaveDialog script;
    script.accept(path("locked.vwp"));
    SaveDialog dialog(pluginSaveDialogSettings());
    PluginDocument doc;
    QCOMPARE(errorOf([&] { savePlugin(WeaponValues(), dialog, doc); }),
             QStringLiteral("Cannot create file ") + path("locked.vwp"));
    QCOMPARE(contents(path("locked.vwp")), QByteArray("previous"));
}

void SaveCommandsTest::readOnlyFolderStillSavesAWritableFile()
{
    QVERIFY(QDir(tmp_->path()).mkdir(QStringLiteral("ro")));
    const QString target = path("ro/weapon.vwp");
    writeFile(target, "previous");
    QFile::setPermissions(path("ro"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    test::ScriptedSaveDialog script;
    script.accept(target);
    SaveDialog dialog(pluginSaveDialogSettings());
    PluginDocument doc;
    savePlugin(WeaponValues(), dialog, doc);
    QFile::setPermissions(path("ro"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(contents(target), fixture("fresh.vwp"));
}

void SaveCommandsTest::failedWriteKeepsThePreviousPlugin()
{
    const QByteArray previous = fixture("edited.vwp");
    writeFile(path("weapon.vwp"), previous);
    int calls = 0;
    setChunkWriter([&](QIODevice& file, const char* data, qint64 size) {
        ++calls;
        file.write(data, size / 2); // the disk fills up half-way
        return qint64(-1);
    });
    test::ScriptedSaveDialog script;
    script.accept(path("weapon.vwp"));
    SaveDialog dialog(pluginSaveDialogSettings());
    PluginDocument doc;

    QCOMPARE(errorOf([&] { savePlugin(WeaponValues(), dialog, doc); }), u"Failed to Save Stream");
    QCOMPARE(calls, 1);
    QCOMPARE(contents(path("weapon.vwp")), previous);
    QCOMPARE(QDir(tmp_->path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("weapon.vwp")}); // no temporary file left behind

    setChunkWriter(nullptr); // the disk has room again
    savePlugin(WeaponValues(), dialog, doc);
    QCOMPARE(script.runs().size(), 1);
    QCOMPARE(contents(path("weapon.vwp")), fixture("fresh.vwp"));
}

void SaveCommandsTest::oversizedTextWritesNothing()
{
    writeFile(path("weapon.vwp"), "previous");
    test::ScriptedSaveDialog script;
    script.accept(path("weapon.vwp"));
    SaveDialog dialog(pluginSaveDialogSettings());
    PluginDocument doc;
    WeaponValues weapon;
    weapon.setText(u"Name", QString(70000, u'N'));

    QCOMPARE(errorOf([&] { savePlugin(weapon, dialog, doc); }), u"RichEdit line insertion error");
    QCOMPARE(currentFileName(), path("weapon.vwp"));
    QCOMPARE(doc.lines(), QList<QByteArray>{"VORMOKIT:WEAPONPLUGIN"});
    QCOMPARE(contents(path("weapon.vwp")), QByteArray("previous"));
}

void SaveCommandsTest::lineBreakInsideAFieldEndsTheLine()
{
    test::ScriptedSaveDialog script;
    script.accept(path("weapon.vwp"));
    SaveDialog dialog(pluginSaveDialogSettings());
    PluginDocument doc;
    WeaponValues weapon;
    weapon.setText(u"Name", QStringLiteral("Big\rGun"));
    weapon.setText(u"Grav", QStringLiteral("9\n"));
    savePlugin(weapon, dialog, doc);

    const QByteArray bytes = contents(path("weapon.vwp"));
    QVERIFY(bytes.contains("\r\nPROMPT:This will activate the weapon Big\r\nGun.  Do you"));
    QVERIFY(bytes.contains("\r\nNAME:Big\r\nGun\r\nACCADD:0\r\n"));
    // The field's own break and the one after its line make an empty line.
    QVERIFY(bytes.contains("\r\nGRAVITY:9\r\n\r\nHITDAMAGE:0\r\n"));
    QCOMPARE(doc.lines().size(), 53);
}

void SaveCommandsTest::pathIsShownAsTyped()
{
    const QString target = path("missing/%s %n %1 <b>x</b>.vwp");
    test::ScriptedSaveDialog script;
    script.accept(target);
    SaveDialog dialog(pluginSaveDialogSettings());
    PluginDocument doc;
    QCOMPARE(errorOf([&] { savePlugin(WeaponValues(), dialog, doc); }),
             QStringLiteral("Cannot create file ") + target);
}

QTEST_GUILESS_MAIN(SaveCommandsTest)
#include "tst_save_commands.moc"
