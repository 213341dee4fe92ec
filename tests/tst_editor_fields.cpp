// How the editor's fields take input: no line break ever enters, no length limit of their
// own, combo boxes keep typed text literally, edit boxes select their text when entered by
// Tab but not by a click, and labels show their hints by their hint flag.

#include "TForm1.h"
#include "ToolTips.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <memory>

using namespace vormo;

class EditorFieldsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { applyToolTipTiming(); }
    void init();
    void cleanup();

    void lineBreaksNeverEnter_data();
    void lineBreaksNeverEnter();
    void setTextStopsAtTheFirstLineBreak_data();
    void setTextStopsAtTheFirstLineBreak();
    void typedLineBreakKeysInsertNothing();
    void noLengthLimit();
    void comboTextStaysAsTyped_data();
    void comboTextStaysAsTyped();
    void tabSelectsAllButAClickDoesNot();
    void hintsFollowTheHintFlag_data();
    void hintsFollowTheHintFlag();
    void hintTiming();

private:
    QLineEdit* lineEditOf(const QString& name) const;
    std::unique_ptr<TForm1> form;
};

void EditorFieldsTest::init()
{
    form = std::make_unique<TForm1>();
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
}

void EditorFieldsTest::cleanup()
{
    form.reset();
    QToolTip::hideText();
    QTRY_VERIFY(!QToolTip::isVisible());
}

QLineEdit* EditorFieldsTest::lineEditOf(const QString& name) const
{
    QWidget* widget = form->findChild<QWidget*>(name);
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->lineEdit();
    return qobject_cast<QLineEdit*>(widget);
}

void EditorFieldsTest::lineBreaksNeverEnter_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<int>("selected"); // characters selected from the cursor on
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("after");

    for (const char* field : {"Name", "DetType"}) {
        auto row = [field](const char* what) -> QTestData& {
            return QTest::addRow("%s: %s", field, what);
        };
        row("LF") << field << "" << 0 << 0 << "a\nb"
                  << "a";
        row("CR LF") << field << "" << 0 << 0 << "a\r\nb"
                     << "a";
        row("lone CR") << field << "" << 0 << 0 << "a\rb"
                       << "a";
        row("break first") << field << "xy" << 1 << 0 << "\nb"
                           << "xy";
        row("in the middle") << field << "xy" << 1 << 0 << "a\nb"
                             << "xay";
        row("same letters around") << field << "aa" << 1 << 0 << "a\nb"
                                   << "aaa";
        row("over a selection") << field << "hello" << 1 << 3 << "a\nb\nc"
                                << "hao";
        row("no break") << field << "xy" << 2 << 0 << "ab"
                        << "xyab";
    }
}

void EditorFieldsTest::lineBreaksNeverEnter()
{
    QFETCH(QString, field);
    QFETCH(QString, before);
    QFETCH(int, cursor);
    QFETCH(int, selected);
    QFETCH(QString, pasted);
    QFETCH(QString, after);

    QLineEdit* edit = lineEditOf(field);
    QVERIFY(edit);
    edit->setText(before);
    edit->setFocus();
    edit->setSelection(cursor, selected);
    if (selected == 0)
        edit->setCursorPosition(cursor);
    QSignalSpy changes(edit, &QLineEdit::textChanged);
    QApplication::clipboard()->setText(pasted);
    QTest::keySequence(edit, QKeySequence::Paste);

    QCOMPARE(edit->text(), after);
    for (const QList<QVariant>& change : changes)
        QVERIFY(!change.first().toString().contains(u'\n'));
    // Typing goes on where the pasted text ended.
    QTest::keyClick(edit, Qt::Key_Z);
    const QString inserted = pasted.left(pasted.indexOf(QRegularExpression("[\r\n]")));
    QCOMPARE(edit->text().indexOf(u'z'), cursor + (before == after ? 0 : inserted.size()));
}

void EditorFieldsTest::setTextStopsAtTheFirstLineBreak_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("edit box") << "Name"
                              << "Gun\nSHADOW:0"
                              << "Gun";
    QTest::newRow("edit box, CR") << "SplintCount"
                                  << "3\r"
                                  << "3";
    QTest::newRow("edit box, only a break") << "Dist"
                                            << "\r\n"
                                            << "";
    QTest::newRow("combo box") << "TrailType"
                               << "5:Zimm flash\nX"
                               << "5:Zimm flash";
}

void EditorFieldsTest::setTextStopsAtTheFirstLineBreak()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QWidget* widget = form->findChild<QWidget*>(field);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->setEditText(text);
        QCOMPARE(combo->currentText(), shown);
    } else {
        auto* edit = qobject_cast<QLineEdit*>(widget);
        edit->setText(text);
        QCOMPARE(edit->text(), shown);
    }
}

void EditorFieldsTest::typedLineBreakKeysInsertNothing()
{
    form->Name->setFocus();
    form->Name->selectAll();
    QTest::keyClicks(form->Name, "ab");
    QTest::keyClick(form->Name, Qt::Key_Return);
    QTest::keyClick(form->Name, Qt::Key_J, Qt::ControlModifier);
    QTest::keyClick(form->Name, Qt::Key_M, Qt::ControlModifier);
    QTest::keyClicks(form->Name, "c");
    QCOMPARE(form->Name->text(), QStringLiteral("abc"));
}

void EditorFieldsTest::noLengthLimit()
{
    const QString long40k(40000, u'7');
    for (QLineEdit* edit : {static_cast<QLineEdit*>(form->Name), form->FireSnd->lineEdit()}) {
        edit->setText(long40k);
        QCOMPARE(edit->text().size(), 40000);
        edit->setFocus();
        edit->end(false);
        QTest::keyClick(edit, Qt::Key_8);
        QCOMPARE(edit->text().size(), 40001);
    }
}

void EditorFieldsTest::comboTextStaysAsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("leaveBy"); // the key that ends the typing
    QTest::newRow("lower case of an item, Return") << "0:none" << int(Qt::Key_Return);
    QTest::newRow("lower case of an item, Tab") << "3:small explosion" << int(Qt::Key_Tab);
    QTest::newRow("start of an item") << "1" << int(Qt::Key_Return);
    QTest::newRow("new text") << "42:Mine" << int(Qt::Key_Return);
}

void EditorFieldsTest::comboTextStaysAsTyped()
{
    QFETCH(QString, typed);
    QFETCH(int, leaveBy);
    ComboBox* combo = form->DetType;
    const int items = combo->count();
    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo, typed);
    QTest::keyClick(combo, Qt::Key(leaveBy));
    QCOMPARE(combo->currentText(), typed);
    QCOMPARE(combo->count(), items);
}

void EditorFieldsTest::tabSelectsAllButAClickDoesNot()
{
    form->Dist->setText(QStringLiteral("12"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form->Dist);
    QCOMPARE(form->Dist->selectedText(), QStringLiteral("12"));

    QTest::mouseClick(form->NumFire, Qt::LeftButton, {}, QPoint(70, 10));
    QCOMPARE(QApplication::focusWidget(), form->NumFire);
    QVERIFY(!form->NumFire->hasSelectedText());

    QTest::keyClick(form->NumFire, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), form->Dist);
    QCOMPARE(form->Dist->selectedText(), QStringLiteral("12"));
}

void EditorFieldsTest::hintsFollowTheHintFlag_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("turnFlag"); // switch the hint flag over first
    QTest::addColumn<QString>("shown"); // empty: no hint shows

    QTest::newRow("enabled, flag on") << "Label1" << false << "Weapon name";
    QTest::newRow("disabled, flag on") << "Label33" << false << "Time between explosions";
    QTest::newRow("disabled, flag on 2")
        << "Label49" << false << "Bullet is represented by a bitmap from the .chr file";
    QTest::newRow("disabled, flag off") << "Label45" << false << "";
    QTest::newRow("disabled, flag off 2") << "Label43" << false << "";
    QTest::newRow("no hint") << "Label48" << false << "";
    QTest::newRow("flag switched on")
        << "Label45" << true << "Color of splinter particles (From palette)";
    QTest::newRow("flag switched off") << "Label33" << true << "";
}

void EditorFieldsTest::hintsFollowTheHintFlag()
{
    QFETCH(QString, label);
    QFETCH(bool, turnFlag);
    QFETCH(QString, shown);

    auto* target = form->findChild<HintLabel*>(label);
    QVERIFY(target);
    if (turnFlag)
        target->setShowHint(!target->showHint());
    // A hint still up from another label must not linger over this one.
    QToolTip::showText(form->mapToGlobal(QPoint(5, 5)), QStringLiteral("left over"), form.get());
    QVERIFY(QToolTip::isVisible());

    const QPoint inside(3, 3);
    QHelpEvent request(QEvent::ToolTip, inside, target->mapToGlobal(inside));
    QApplication::sendEvent(target, &request);
    if (shown.isEmpty()) {
        QTRY_VERIFY(!QToolTip::isVisible());
    } else {
        QVERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), shown);
    }
}

void EditorFieldsTest::hintTiming()
{
    QElapsedTimer clock;
    QTest::mouseMove(form->Label1, QPoint(5, 5));
    clock.start();
    QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 3000);
    const qint64 wokeAfter = clock.elapsed();
    QCOMPARE(QToolTip::text(), QStringLiteral("Weapon name"));
    QVERIFY2(wokeAfter >= 475, qPrintable(QString::number(wokeAfter)));

    // Moving on while the hint is up shows the next one without the wait.
    QTest::mouseMove(form->Label2, QPoint(5, 5));
    clock.start();
    QTRY_COMPARE_WITH_TIMEOUT(QToolTip::text(), QStringLiteral("Distribution"), 400);

    QTRY_VERIFY_WITH_TIMEOUT(!QToolTip::isVisible(), 6000);
    const qint64 shownFor = clock.elapsed();
    QVERIFY2(shownFor >= 2375 && shownFor < 5000, qPrintable(QString::number(shownFor)));
}

QTEST_MAIN(EditorFieldsTest)
#include "tst_editor_fields.moc"
