// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How the editor's fields take input: no line break ever enters, no length limit of their
// own, combo boxes keep typed text literally, the focus starts in Name, Tab selects the text
// and passes over disabled fields, and labels show their hints by their hint flag.

#include "TForm1.h"
#include "support/EditorFields.h"

#include <QApplication>
#include <QClipboard>
#include <QToolTip>

#include <memory>

using namespace vormo;

class EditorFieldsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TForm1> form;

private slots:
    void init()
    {
        form = std::make_unique<TForm1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void cleanup() { form.reset(); }

    void whatEntersAField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("before"); // [selection]; none: the program sets the text
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("after"); // then "z" typed, to show where the cursor stands
        for (const QString& field : {u"Name"_qs, u"DetType"_qs}) {
            auto row = [&](const char* what) -> QTestData& {
                return QTest::addRow("%s: %s", qPrintable(field), what) << field;
            };
            row("CR LF in the middle") << u"x[]y"_qs << u"a\r\nb"_qs << u"xazy"_qs;
            row("lone CR, same letters around") << u"a[]a"_qs << u"a\rb"_qs << u"aaza"_qs;
            row("break first, then what ends the text") << u"ab[]"_qs << u"\nb"_qs << u"abz"_qs;
            row("over a selection") << u"h[ell]o"_qs << u"a\nb\nc"_qs << u"hazo"_qs;
            row("set by the program") << QString() << u"Gun\r\nSHADOW:0"_qs << u"Gunz"_qs;
            row("no length limit")
                << QString() << QString(40000, u'7') << QString(40000, u'7') + u'z';
        }
    }

    void whatEntersAField()
    {
        QFETCH(QString, field);
        QFETCH(QString, before);
        QFETCH(QString, text);
        QFETCH(QString, after);
        auto* combo = form->findChild<QComboBox*>(field);
        QLineEdit* edit = combo ? combo->lineEdit() : form->findChild<QLineEdit*>(field);
        edit->setFocus();
        const qsizetype start = before.indexOf(u'['), end = before.indexOf(u']');
        edit->setText(before.remove(u'[').remove(u']'));
        if (start < 0) {
            combo ? combo->setEditText(text) : edit->setText(text);
        } else {
            edit->setSelection(int(start), int(end - start - 1));
            QApplication::clipboard()->setText(text);
            QTest::keySequence(edit, QKeySequence::Paste);
        }
        QTest::keyClick(edit, Qt::Key_Z);
        QCOMPARE(edit->text(), after);
    }

    void comboTextStaysAsTyped()
    {
        const int items = form->DetType->count();
        for (const QString& typed : {u"0:none"_qs, u"1"_qs, u"42:Mine"_qs}) {
            test::typeInto(form->DetType, typed);
            QTest::keyClick(form->DetType, Qt::Key_Return);
            QCOMPARE(form->DetType->currentText(), typed);
        }
        QCOMPARE(form->DetType->count(), items);
    }

    void focusAndTab()
    {
        // Shown, the window starts in Name with its text selected.
        QCOMPARE(QApplication::focusWidget(), form->Name);
        QCOMPARE(form->Name->selectedText(), u"NAME");
        // Tab selects the whole text, even where a part was selected; a click selects nothing.
        form->Dist->setText(u"12"_qs);
        form->Dist->setSelection(0, 1);
        QTest::keyClick(form->Name, Qt::Key_Tab);
        QCOMPARE(form->Dist->selectedText(), u"12");
        QTest::mouseClick(form->NumFire, Qt::LeftButton, {}, QPoint(70, 10));
        QCOMPARE(QApplication::focusWidget(), form->NumFire);
        QVERIFY(!form->NumFire->hasSelectedText());
        form->Dist->setSelection(0, 1);
        QTest::keyClick(form->NumFire, Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(form->Dist->selectedText(), u"12");
        // Tab passes over disabled fields.
        const std::pair<QWidget*, QWidget*> moves[] = {{form->SplintCount, form->TrailType},
                                                       {form->BulletColor, form->BulletBox}};
        for (const auto& [from, to] : moves) {
            from->setFocus(Qt::TabFocusReason);
            QTest::keyClick(from, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), to);
        }
    }

    void hintsFollowTheHintFlag()
    {
        // Label45 and Label33 are disabled.
        const std::tuple<HintLabel*, bool, QString> cases[] = {
            {form->Label1, true, u"Weapon name"_qs},
            {form->Label45, false, QString()},
            {form->Label45, true, u"Color of splinter particles (From palette)"_qs},
            {form->Label33, false, QString()}};
        for (const auto& [label, flag, shown] : cases) {
            label->setShowHint(flag);
            // A hint still up from another label must not linger over this one.
            QToolTip::showText(form->mapToGlobal(QPoint(5, 5)), u"left over"_qs, form.get());
            QHelpEvent request(QEvent::ToolTip, QPoint(3, 3), label->mapToGlobal(QPoint(3, 3)));
            QApplication::sendEvent(label, &request);
            QTRY_COMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), shown);
        }
        QToolTip::hideText();
    }
};

QTEST_MAIN(EditorFieldsTest)
#include "tst_editor_fields.moc"
