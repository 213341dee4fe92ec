// The editor window at work: where the focus starts, how Tab moves, what its buttons save,
// how a failed save is reported, and that the window stays usable afterwards.

#include "FileCommands.h"
#include "FormFields.h"
#include "RecordingMessageBoxes.h"
#include "TForm1.h"
#include "TestSupport.h"
#include "WeaponValues.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace vormo;
using test::fixture;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class EditorWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void focusStartsInNameWithItsTextSelected();
    void tabSkipsDisabledFields_data();
    void tabSkipsDisabledFields();
    void constructionRunsNew();
    void saveButtonWritesTheFreshPlugin();
    void savedPluginHoldsWhatWasTyped();
    void saveAsAndNewButtons();
    void failedSaveShowsTheErrorBox_data();
    void failedSaveShowsTheErrorBox();
    void quitClosesTheWindow();

private:
    QString pluginOfForm() const { return buildPluginText(FormFields(*form)); }

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<test::ScriptedSaveDialog> dialog;
    std::unique_ptr<TForm1> form;
};

void EditorWindowTest::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    dialog = std::make_unique<test::ScriptedSaveDialog>();
    form = std::make_unique<TForm1>();
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
}

void EditorWindowTest::cleanup()
{
    form.reset();
    dialog.reset();
    dir.reset();
}

void EditorWindowTest::focusStartsInNameWithItsTextSelected()
{
    QCOMPARE(QApplication::focusWidget(), form->Name);
    QCOMPARE(form->Name->selectedText(), QStringLiteral("NAME"));
    QTest::keyClicks(QApplication::focusWidget(), "Gun");
    QCOMPARE(form->Name->text(), QStringLiteral("Gun"));
}

void EditorWindowTest::tabSkipsDisabledFields_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<bool>("backwards");
    QTest::addColumn<QString>("to");
    QTest::newRow("over the splinter group") << "SplintCount" << false << "TrailType";
    QTest::newRow("over TrailDelay") << "TrailType" << false << "ParticleType";
    QTest::newRow("over PartDelay and LarpaTrail") << "ParticleType" << false << "FireSnd";
    QTest::newRow("over the image fields") << "BulletColor" << false << "BulletBox";
    QTest::newRow("back over the splinter group") << "TrailType" << true << "SplintCount";
    QTest::newRow("column to column") << "WrmRng" << false << "RemOnHit";
    QTest::newRow("last field to the buttons") << "BulletBox" << false << "NewBtn";
    QTest::newRow("last button to the first field") << "QuitBtn" << false << "Name";
}

void EditorWindowTest::tabSkipsDisabledFields()
{
    QFETCH(QString, from);
    QFETCH(bool, backwards);
    QFETCH(QString, to);
    auto* start = form->findChild<QWidget*>(from);
    start->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), start);
    if (backwards)
        QTest::keyClick(start, Qt::Key_Backtab, Qt::ShiftModifier);
    else
        QTest::keyClick(start, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), to);
}

void EditorWindowTest::constructionRunsNew()
{
    QVERIFY(dialog->allAnswersUsed());
    dialog->accept(dir->filePath("first.vwp"));
    form->SaveBtn->click();
    QCOMPARE(currentFileName(), dir->filePath("first.vwp"));
    // A window created now starts the plugin afresh: the next Save asks for a path.
    TForm1 second;
    QCOMPARE(currentFileName(), QStringLiteral("untitled.vwp"));
}

void EditorWindowTest::saveButtonWritesTheFreshPlugin()
{
    const QString path = dir->filePath("fresh.vwp");
    dialog->accept(path);
    QTest::mouseClick(form->SaveBtn, Qt::LeftButton);
    QCOMPARE(dialog->runs().size(), 1);
    QCOMPARE(dialog->runs().first().title, QStringLiteral("Save Vormo Weapon..."));
    QCOMPARE(contents(path), fixture("fresh.vwp"));
    QCOMPARE(form->WeaponDoc->document().bytes(), fixture("fresh.vwp"));

    // Named now: Save writes again without asking.
    QFile::remove(path);
    form->SaveBtn->click();
    QCOMPARE(dialog->runs().size(), 1);
    QCOMPARE(contents(path), fixture("fresh.vwp"));
}

void EditorWindowTest::savedPluginHoldsWhatWasTyped()
{
    WeaponValues expected;
    form->Name->setFocus();
    form->Name->selectAll();
    QTest::keyClicks(form->Name, "Flamer");
    expected.setText(u"Name", QStringLiteral("Flamer"));
    QTest::mouseClick(form->RemOnHit, Qt::LeftButton);
    expected.setChecked(u"RemOnHit", true);
    form->DetSnd->setCurrentIndex(3);
    expected.setText(u"DetSnd", form->DetSnd->itemText(3));
    form->BulletType->setFocus();
    form->BulletType->lineEdit()->selectAll();
    QTest::keyClicks(form->BulletType, "2 steer");
    expected.setText(u"BulletType", QStringLiteral("2 steer"));
    QCOMPARE(pluginOfForm(), buildPluginText(expected));

    // Disabling the whole window is not disabling its fields.
    form->LoopAnim->setChecked(true);
    form->setEnabled(false);
    QVERIFY(!FormFields(*form).isEnabled(field(u"LoopAnim")));
    form->LoopAnim->setEnabled(true);
    QVERIFY(FormFields(*form).isEnabled(field(u"LoopAnim")));
    form->setEnabled(true);

    const QString path = dir->filePath("typed.vwp");
    dialog->accept(path);
    form->SaveAsBtn->click();
    QVERIFY(contents(path).contains("\r\nNAME:Flamer\r\n"));
    QVERIFY(contents(path).contains("\r\nANIMLOOP:1\r\n"));
}

void EditorWindowTest::saveAsAndNewButtons()
{
    dialog->accept(dir->filePath("one.vwp"));
    form->SaveAsBtn->click();
    dialog->accept(dir->filePath("two.vwp"));
    form->SaveAsBtn->click();
    QCOMPARE(dialog->runs().size(), 2);
    QCOMPARE(currentFileName(), dir->filePath("two.vwp"));

    form->NewBtn->click();
    QCOMPARE(currentFileName(), QStringLiteral("untitled.vwp"));
    QCOMPARE(form->Name->text(), QStringLiteral("NAME"));
    dialog->cancel();
    form->SaveBtn->click();
    QCOMPARE(dialog->runs().size(), 3);
    QCOMPARE(currentFileName(), QStringLiteral("untitled.vwp"));
}

void EditorWindowTest::failedSaveShowsTheErrorBox_data()
{
    QTest::addColumn<QString>("name"); // inside a folder that does not exist
    QTest::addColumn<QString>("fullStop");
    QTest::newRow("ends in a letter") << "weapon.vwp"
                                      << ".";
    QTest::newRow("ends in a digit") << "weapon2"
                                     << ".";
    QTest::newRow("ends in a slash") << "weapon/"
                                     << ".";
    QTest::newRow("ends in a full stop") << "weapon."
                                         << "";
    QTest::newRow("ends in a space") << "weapon "
                                     << "";
    QTest::newRow("looks like markup") << "<b>x</b>.vwp"
                                       << ".";
}

void EditorWindowTest::failedSaveShowsTheErrorBox()
{
    QFETCH(QString, name);
    QFETCH(QString, fullStop);
    test::RecordingMessageBoxes boxes;
    form->Name->setText(QStringLiteral("Kept"));
    form->SplintCount->setText(QStringLiteral("3"));
    const QString pluginBefore = pluginOfForm();
    const QString path = dir->filePath(QStringLiteral("missing/") + name);
    dialog->accept(path);

    form->SaveBtn->click();

    QCOMPARE(boxes.shown.size(), 1);
    const MessageBoxRequest& box = boxes.shown.first();
    QCOMPARE(box.text, QStringLiteral("Cannot create file ") + path + fullStop);
    QCOMPARE(box.caption, QStringLiteral("Vormo Weapon Plugin Maker"));
    QCOMPARE(box.icon, MessageBoxRequest::Icon::Critical);
    QVERIFY(box.applicationModal);
    QVERIFY(!box.yesNo);

    // The window runs on with every field as it was.
    QVERIFY(form->isVisible());
    QVERIFY(form->isEnabled());
    QCOMPARE(pluginOfForm(), pluginBefore);
    QCOMPARE(currentFileName(), path);
    form->SaveBtn->click(); // the same path again, without the dialog
    QCOMPARE(boxes.shown.size(), 2);
    QCOMPARE(dialog->runs().size(), 1);

    form->Name->setFocus();
    form->Name->selectAll();
    QTest::keyClicks(form->Name, "Again");
    const QString good = dir->filePath("good.vwp");
    dialog->accept(good);
    QTest::mouseClick(form->SaveAsBtn, Qt::LeftButton);
    QCOMPARE(boxes.shown.size(), 2);
    QVERIFY(contents(good).contains("\r\nNAME:Again\r\n"));
}

void EditorWindowTest::quitClosesTheWindow()
{
    QSignalSpy closed(form.get(), &TForm1::closed);
    QTest::mouseClick(form->QuitBtn, Qt::LeftButton);
    QCOMPARE(closed.size(), 1);
    QVERIFY(!form->isVisible());
}

QTEST_MAIN(EditorWindowTest)
#include "tst_editor_window.moc"
