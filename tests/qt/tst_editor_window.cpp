// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's windows as a player meets them: the editor built as the field table says, its
// dependent fields, the pop-up menu and its commands, opening a plugin by dropping it, the
// about box and its icon export; what each hands to the save dialog and the message boxes, and
// how Qt's dialogs show those requests.

#include "EditorSession.h"
#include "FieldTable.h"
#include "FileCommands.h"
#include "PluginDrop.h"
#include "RuleScenarios.h"
#include "ToolTips.h"
#include "qt/services/Resources.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QDir>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QToolTip>

using namespace vormo;
using namespace vormo::test;

namespace {

template <typename List> QStringList described(const List& items)
{
    QStringList all;
    for (const auto& item : items)
        all << describe(item);
    return all;
}

QWidget* control(const QString& name) { return Form1->findChild<QWidget*>(name); }

// A field's text, or "1" / "0" for a check box.
QString valueOf(const QString& name)
{
    if (auto* box = qobject_cast<QCheckBox*>(control(name)))
        return QString::number(box->isChecked());
    auto* combo = qobject_cast<QComboBox*>(control(name));
    return combo ? combo->currentText() : static_cast<QLineEdit*>(control(name))->text();
}

QString defaultOf(const FieldDef& def)
{
    return def.defaultText ? def.defaultText : QString::number(def.defaultChecked);
}

// A right press on the bare surface, as the platform delivers it (Qt follows it with a
// context-menu request); the menu that opens gets the key. Returns where the menu opened; its
// item runs once it is gone.
QList<QPoint> pickFromMenu(Qt::Key key)
{
    QList<QPoint> opened;
    QMenu* menu = Form1->PopupMenu1;
    QObject::connect(menu, &QMenu::aboutToShow, Form1, [=, &opened] {
        QTimer::singleShot(0, Form1,
                           [=, &opened] { opened << menu->pos(), QTest::keyClick(menu, key); });
    });
    QTest::mousePress(Form1->windowHandle(), Qt::RightButton, {}, QPoint(200, 345));
    QTest::mouseRelease(Form1->windowHandle(), Qt::RightButton, {}, QPoint(200, 345));
    QObject::disconnect(menu, &QMenu::aboutToShow, Form1, nullptr);
    return opened;
}

// Drags data over Name and drops it there, Shift asking for a move: what the cursor showed,
// and whether the drop was taken.
QString dragAndDrop(const QMimeData& data, Qt::DropActions actions)
{
    const QPoint at = Form1->Name->geometry().center();
    QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::ShiftModifier);
    QDragMoveEvent move(at, actions, &data, Qt::LeftButton, Qt::ShiftModifier);
    QDropEvent drop(at, actions, &data, Qt::LeftButton, Qt::ShiftModifier);
    for (QEvent* event : std::initializer_list<QEvent*>{&enter, &move, &drop})
        QCoreApplication::sendEvent(Form1->windowHandle(), event);
    const bool copy = move.isAccepted() && move.dropAction() == Qt::CopyAction;
    return QString(copy ? "copy" : "none") + (drop.isAccepted() ? " taken" : " refused");
}

} // namespace

class EditorWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<EditorSession> s;

    void openAbout()
    {
        Form1->About1Click(Form1->About1);
        QTRY_COMPARE(QApplication::activeWindow(), AboutBox);
        QCOMPARE(QApplication::focusWidget(), AboutBox->OKButton);
    }

private slots:
    void init()
    {
        s = std::make_unique<EditorSession>();
        QVERIFY(QTest::qWaitForWindowActive(Form1));
    }
    void cleanup() { s.reset(); }

    void windowFollowsTheFieldTable()
    {
        QCOMPARE(Form1->windowTitle(), u"Vormo Weapon Editor");
        QCOMPARE(Form1->minimumSize(), QSize(528, 350));
        const QImage drawn(VORMO_TEST_DATA "/../../resources/DragMultiCursor.png");
        QCOMPARE(Form1->cursor().pixmap().toImage().convertToFormat(drawn.format()), drawn);
        QCOMPARE(Form1->cursor().hotSpot(), QPoint(0, 0));
        for (const FieldDef& def : fields()) {
            QCOMPARE(control(def.name)->geometry(), toQRect(def.geometry));
            QCOMPARE(control(def.name)->isEnabled(), def.enabledAtStart);
            QCOMPARE(valueOf(def.name), defaultOf(def));
        }
        for (const LabelDef& def : labels()) {
            HintLabel* shown = Form1->findChild<HintLabel*>(def.name);
            QCOMPARE(shown->text(), def.caption);
            QCOMPARE(shown->geometry().topLeft(), toQRect(def.geometry).topLeft());
            QCOMPARE(shown->height(), 13);
            QCOMPARE(shown->isEnabled(), def.enabledAtStart);
            QCOMPARE(shown->toolTip(), def.hintShownAtStart ? def.hint : "");
            QCOMPARE(shown->font().bold(), def.bold);
            QCOMPARE(shown->buddy(), control(def.field));
            // Screen readers name the field by these: a line edit or check box by its
            // accessible name, a combo box (named by its text) by the buddy's label relation.
            QVERIFY(shown->buddy()->accessibleName().contains(def.caption));
            // Whatever font stands in, the caption ends before the next thing on its row.
            QRect ink = shown->geometry();
            ink.setWidth(shown->fontMetrics().horizontalAdvance(shown->text()));
            for (const QWidget* other : Form1->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                QVERIFY2(
                    other == shown || !other->isVisible() || !other->geometry().intersects(ink),
                    qPrintable(QLatin1StringView(def.name) + " runs into " + other->objectName()));
        }
    }

    void dependentFieldsFollowTheirGroup()
    {
        for (const RuleScenario& scenario : kRuleScenarios) {
            const QString edits = scenario.edits, changed = scenario.changed,
                          values = scenario.values;
            cleanup(), init();
            for (const QString& edit : edits.split(u' ')) {
                const QString name = edit.section(u'=', 0, 0).remove(u'!');
                const QString text = edit.section(u'=', 1).replace(u'_', u' ');
                auto* combo = qobject_cast<QComboBox*>(control(name));
                if (edit.startsWith(u'@')) {
                    openDroppedPlugin(*Form1, toPath(VORMO_TEST_DATA "/" + edit.mid(1)));
                } else if (edit.startsWith(u'!')) {
                    QTest::mouseClick(control(name), Qt::LeftButton);
                } else if (combo && combo->findText(text) >= 0) {
                    combo->setCurrentIndex(combo->findText(text));
                } else { // typed over the whole text
                    control(name)->setFocus();
                    QTest::keyClick(control(name), Qt::Key_A, Qt::ControlModifier);
                    QTest::keyClicks(control(name), text.isEmpty() ? "\b" : text);
                }
            }
            QStringList now{edits, "|"}, nowValues{edits, "|"};
            for (const FieldDef& def : fields()) {
                if (control(def.name)->isEnabled() != def.enabledAtStart)
                    now << def.name;
                if (valueOf(def.name) != defaultOf(def))
                    nowValues << def.name + (u'=' + valueOf(def.name));
            }
            for (const LabelDef& def : labels()) {
                auto* shown = Form1->findChild<HintLabel*>(def.name);
                const bool enabled = shown->isEnabled() != def.enabledAtStart;
                const bool hint = shown->showHint() != def.hintShownAtStart;
                if (enabled || hint)
                    now << def.name + QString(enabled == hint ? "" : enabled ? ":e" : ":h");
            }
            QCOMPARE(now.join(u' '), (edits + " | " + changed).trimmed());
            QCOMPARE(nowValues.join(u' '), (edits + " | " + values).trimmed());
        }
    }

    void tabOrderSelectsWholeTexts()
    {
        // Tab from Name round the window and back to it, then Shift+Tab the other way: the
        // enabled fields in table order, then the buttons; a text entered so is selected whole.
        QStringList order;
        for (const FieldDef& def : fields())
            if (def.enabledAtStart)
                order << def.name + QString(def.kind == FieldKind::Check ? "" : "*");
        order += QStringList{"NewBtn", "SaveBtn", "SaveAsBtn", "QuitBtn", order.first()};
        for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
            QStringList walked{"Name*"};
            Form1->Name->setFocus();
            while (walked.size() < order.size()) {
                QTest::keyClick(QApplication::focusWidget(), key);
                QWidget* at = QApplication::focusWidget();
                auto* edit = qobject_cast<QComboBox*>(at) ? at->findChild<QLineEdit*>()
                                                          : qobject_cast<QLineEdit*>(at);
                walked << at->objectName() +
                              (edit && edit->selectedText() == edit->text() ? "*" : "");
            }
            if (key == Qt::Key_Backtab)
                std::reverse(walked.begin(), walked.end());
            QCOMPARE(walked, order);
        }
        // A click places the cursor; entered by another button, the field is selected whole.
        for (const Qt::MouseButton button : {Qt::LeftButton, Qt::MiddleButton, Qt::RightButton}) {
            Form1->Name->setFocus();
            QTest::mouseClick(Form1->Dist, button, {}, QPoint(70, 10));
            QCOMPARE(Form1->Dist->selectedText(), button == Qt::LeftButton ? "" : "0");
        }
    }

    void hintGoesDownOnLabelsWithoutOne()
    {
        // Qt would leave the last hint up for its whole display time.
        for (HintLabel* bare : {Form1->Label48, Form1->Label30}) {
            for (HintLabel* label : {Form1->Label1, bare}) {
                QHelpEvent rest(QEvent::ToolTip, label->rect().center(),
                                label->mapToGlobal(label->rect().center()));
                QApplication::sendEvent(label, &rest);
            }
            QTRY_VERIFY_WITH_TIMEOUT(!QToolTip::isVisible(), kToolTipDisplayMs / 2);
        }
    }

    void comboBoxesShowTheirNumber()
    {
        // Opened from a plugin, then with the longest item of each list picked from the open
        // list, which is as wide as its widest item by the list's own measure: whenever a box
        // has no focus, and after a pick, the start of its text, with its number, is in view.
        openDroppedPlugin(*Form1, VORMO_TEST_DATA "/foreign-plugin-resaved.vwp");
        const auto startInView = [](ComboBox* box) {
            box->lineEdit()->repaint();
            return box->lineEdit()->cursorPositionAt({2, box->height() / 2}) == 0;
        };
        for (ComboBox* box : Form1->findChildren<ComboBox*>()) {
            QVERIFY2(startInView(box), qPrintable(box->objectName()));
            if (!box->isEnabled())
                continue;
            QAbstractItemView* list = box->view();
            box->setFocus(), box->showPopup();
            QTRY_VERIFY(list->isVisible());
            QVERIFY(list->sizeHintForColumn(0) <= list->viewport()->width());
            int longest = 0;
            for (int row = 0; row < box->count(); ++row)
                longest = box->itemText(row).size() > box->itemText(longest).size() ? row : longest;
            const QModelIndex item = list->model()->index(longest, 0);
            list->scrollTo(item);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualRect(item).center());
            QVERIFY2(startInView(box), qPrintable(box->currentText()));
            Form1->Name->setFocus();
            QVERIFY2(startInView(box) && box->currentIndex() == longest,
                     qPrintable(box->currentText()));
        }
    }

    void typedTextStaysAsTyped()
    {
        // Set by the program or pasted, text keeps only what comes before its first line break,
        // so a field can never add a line to a plugin.
        for (QLineEdit* edit : {static_cast<QLineEdit*>(Form1->Name), Form1->DetType->lineEdit()}) {
            edit->setFocus(), edit->setText("Gun\nSHADOW:0");
            edit->setCursorPosition(1);
            QApplication::clipboard()->setText("a\rb");
            QTest::keySequence(edit, QKeySequence::Paste);
            QTest::keyClick(edit, Qt::Key_Z);
            QCOMPARE(edit->text(), u"Gazun");
        }
        // A combo box neither completes typed text from its list nor adds it to the list.
        const int items = Form1->DetType->count();
        Form1->DetType->lineEdit()->clear();
        QTest::keyClicks(Form1->DetType, "3:small");
        QTest::keyClick(Form1->DetType, Qt::Key_Return);
        QCOMPARE(Form1->DetType->currentText() + ' ' + QString::number(Form1->DetType->count()),
                 "3:small " + QString::number(items));
    }

    void menuItemsRunOnceTheMenuIsGone()
    {
        // The menu opens 16 pixels below the press. Save; New forgets the path but keeps the
        // fields, and Save asks again; Quit.
        s->dialog.accept(toPath(s->path("menu.vwp")), 3);
        QCOMPARE(pickFromMenu(Qt::Key_S),
                 QList<QPoint>{Form1->frameGeometry().topLeft() + QPoint(200, 361)});
        QTRY_COMPARE(contents(s->path("menu.vwp")), fixture("fresh.vwp"));
        Form1->Name->setText("Kept");
        pickFromMenu(Qt::Key_N);
        QTRY_COMPARE(fromPath(currentFileName()), u"untitled.vwp");
        QCOMPARE(Form1->Name->text(), u"Kept");
        s->dialog.cancel();
        QTest::mouseClick(Form1->SaveBtn, Qt::LeftButton);
        QCOMPARE(s->dialog.runs().size(), 2u);
        pickFromMenu(Qt::Key_Q);
        QTRY_VERIFY(!Form1->isVisible());
    }

    void messageBoxRequests()
    {
        // The help, then a failed save to a name in a missing folder: no full stop is added
        // after one.
        QTest::mouseDClick(Form1->windowHandle(), Qt::LeftButton, {},
                           Form1->Label39->geometry().center());
        s->dialog.accept(toPath(s->path("missing/weapon.")));
        QTest::mouseClick(Form1->SaveAsBtn, Qt::LeftButton);
        const QString help = s->boxes.shown.value(0).text;
        QVERIFY(help.startsWith("Bullet types specifics:\n 0)Normal\n 1)Direction Type 1:") &&
                help.endsWith("moves randomly until it detonates."));
        QCOMPARE(described(s->boxes.shown),
                 (QStringList{"Bullet Types... | " + help + " | information | modeless | ok | free",
                              "Vormo Weapon Plugin Maker | Cannot create file " +
                                  s->path("missing/weapon.") + " | critical | modal | ok | free"}));
        QVERIFY(Form1->isEnabled());
    }

    void whatADropOpens()
    {
        // text/uri-list as file managers send it, %d the folder percent-encoded; the file it
        // opens, or "-" when refused; the error shown, %1 the path. Save then writes the plugin
        // back as the window shows it, without a dialog. Bytes that are not UTF-8 name their own
        // file, never the U+FFFD twin they show as.
        const std::filesystem::path plugins[] = {"d\xc3\xbcr 100%.vwp", "weapon\xfc.vwp"};
        const std::tuple<QByteArray, QByteArray, QString> rows[] = {
            {"file://%d/d%C3%BCr%20100%25.vwp", "d\xc3\xbcr 100%.vwp", ""},
            {"file://localhost%d/d%C3%BCr%20100%25.vwp", "d\xc3\xbcr 100%.vwp", ""},
            {"# from a file manager\r\nfile://%d/weapon%FC.vwp\r\n", "weapon\xfc.vwp", ""},
            {"file://%d/a.vwp\r\nfile://%d/a.vwp", "-", ""},
            {"file://elsewhere%d/a.vwp", "-", ""},
            {"file:a.vwp", "-", ""},
            {"\r\n", "-", ""},
            {"file://%d/bad.vwp", "bad.vwp", "%1 is not a Vormo weapon plugin."},
            {"file://%d/none.vwp", "none.vwp", "Cannot open file %1."},
            {"file://%d/a%00.vwp", "-", ""}};
        for (auto [uris, opens, message] : rows) {
            cleanup(), init();
            const std::filesystem::path dir = toPath(s->dir.path()), file = dir / opens.data();
            for (const std::filesystem::path& name : plugins)
                std::filesystem::copy_file(VORMO_TEST_DATA "/foreign-plugin.vwp", dir / name);
            QVERIFY(writeFile(s->path("weapon\ufffd.vwp"), "twin"));
            QVERIFY(writeFile(s->path("bad.vwp"), "VORMOKIT:WEAPONPLUGIX\r\nNAME:a\r\n"));
            QMimeData data;
            data.setData("text/uri-list",
                         uris.replace("%d", QUrl::toPercentEncoding(s->dir.path(), "/")));
            QCOMPARE(uris + ' ' + dragAndDrop(data, Qt::CopyAction | Qt::MoveAction),
                     uris + (opens == "-" ? " none refused" : " copy taken"));
            const bool opened = opens != "-" && message.isEmpty();
            QTRY_VERIFY(currentFileName() == (opened ? file : "untitled.vwp"));
            QTRY_COMPARE(s->boxes.shown.size(), message.isEmpty() ? 0 : 1);
            QCOMPARE(s->boxes.shown.value(0).text,
                     message.isEmpty() ? "" : message.arg(displayName(file)));
            if (opened) {
                QCOMPARE(Form1->Name->selectedText(), Form1->Name->text()); // typing replaces it
                std::filesystem::remove(file);
                Form1->SaveBtn->click();
                QCOMPARE(contents(file), fixture("foreign-plugin-resaved.vwp"));
            }
            QCOMPARE(contents(s->path("weapon\ufffd.vwp")), "twin");
            std::filesystem::remove(dir / plugins[1]); // which Qt could not name
        }
        // Only a copy is taken: a move would tell the source to delete the file. Nothing while
        // the about box is up.
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(fromPath(toPath(s->dir.path()) / plugins[0]))});
        QCOMPARE(dragAndDrop(data, Qt::MoveAction), u"none refused");
        Form1->setEnabled(false);
        QCOMPARE(dragAndDrop(data, Qt::CopyAction), u"none refused");
    }

    void aboutBoxTakesOnlyOK()
    {
        Form1->Dist->setFocus();
        openAbout();
        QCOMPARE(AboutBox->Comments->geometry(), QRect(8, 88, 248, 39)); // three lines of 13
        // The icon as Qt's own reader of the file draws it.
        const QImage icon(VORMO_TEST_DATA "/../../resources/VormoWep.ico");
        QCOMPARE(AboutBox->ProgramIcon->pixmap().toImage().convertToFormat(icon.format()), icon);
        // Escape does nothing; Enter is OK, and gives the editor back its focus; so is a window
        // manager's close.
        QTest::keyClick(AboutBox->OKButton, Qt::Key_Escape);
        QVERIFY(AboutBox->isVisible() && !Form1->isEnabled());
        QTest::keyClick(AboutBox->OKButton, Qt::Key_Enter);
        QVERIFY(!AboutBox->isVisible() && Form1->isEnabled());
        QTRY_COMPARE(QApplication::focusWidget(), Form1->Dist);
        openAbout();
        QCloseEvent request;
        QApplication::sendEvent(AboutBox, &request);
        QVERIFY(!AboutBox->isVisible() && Form1->isEnabled());
    }

    void aboutBoxExportsTheProgramIcon()
    {
        // Cancelled; replacing what was there whatever the extension; then failing for a missing
        // folder, and for a disk that fails (through libfiu's preload), keeping what was there.
        if (!fiuEnable)
            QSKIP("needs libfiu's preload; ctest gives it");
        openAbout();
        const QString path = s->path("exported.png"), missing = s->path("no/new.ico");
        QVERIFY(writeFile(path, "not an icon"));
        for (const QString& name : {QString(), path, missing, path}) {
            name.isEmpty() ? s->dialog.cancel()
                           : s->dialog.accept(toPath(name), name == path ? 2 : 1);
            if (name == path && !s->boxes.shown.isEmpty()) // the disk fails
                fiuEnable("posix/io/sync/fsync", 1, reinterpret_cast<void*>(EIO), 1);
            QTest::mouseDClick(AboutBox->ProgramIcon, Qt::LeftButton);
            QCOMPARE(contents(path),
                     name.isEmpty() ? "not an icon" : programIconBytes().toStdString());
        }
        QCOMPARE(QDir(s->dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{"exported.png"}); // nothing torn or left behind
        QVERIFY(AboutBox->isVisible() && !Form1->isEnabled());
        // The dialog proposes the last name taken, with its file type.
        const QString asked = "Save Vormo Weapon icon as... | Icon Files *.ico, All Files *.* | "
                              "%1 | ico | . | %2 | replace? | create?";
        const QString error = "Vormo Weapon Plugin Maker | %1. | critical | modal | ok | free";
        QCOMPARE(
            described(s->dialog.runs()),
            (QStringList{asked.arg(1).arg("VormoWeapon.ico"), asked.arg(1).arg("VormoWeapon.ico"),
                         asked.arg(2).arg(path), asked.arg(1).arg(missing)}));
        QCOMPARE(described(s->boxes.shown), (QStringList{error.arg("Cannot create file " + missing),
                                                         error.arg("Stream write error")}));
    }

    void messageBoxShowsTheRequest()
    {
        // Icon, yes/no, modal, and the button pressed; then the live box as shown, its buttons
        // by their number: 400 OK, 14000 Yes and No. A box answers true unless No was pressed.
        setMessageBoxes(nullptr); // Qt's own
        using Icon = MessageBoxRequest::Icon;
        const std::tuple<Icon, bool, bool, QMessageBox::StandardButton, QString> rows[] = {
            {Icon::Information, false, false, QMessageBox::Ok, "Information 400 none NonModal"},
            {Icon::Question, true, true, QMessageBox::No, "Question 14000 &No ApplicationModal"}};
        for (const auto& [icon, yesNo, modal, press, expected] : rows) {
            QWidget owner;
            QStringList shown;
            QTimer timer;
            QObject::connect(&timer, &QTimer::timeout, [&, press = press] {
                auto* box = owner.findChild<QMessageBox*>();
                if (!box || !box->isVisible() || !shown.isEmpty())
                    return;
                const auto key = [](auto value) {
                    return QMetaEnum::fromType<decltype(value)>().valueToKey(value);
                };
                shown << box->windowTitle() << box->text() << key(box->textFormat())
                      << key(box->icon()) << QString::number(box->standardButtons().toInt(), 16)
                      << (box->defaultButton() ? box->defaultButton()->text() : "none")
                      << key(box->windowModality());
                box->button(press)->click();
            });
            timer.start(10);
            QCOMPARE(messageBoxes().show({&owner, "Caption", "<b>x</b> &amp;", icon, modal, yesNo}),
                     press != QMessageBox::No);
            QCOMPARE(shown.join(u' '), "Caption <b>x</b> &amp; PlainText " + expected);
        }
    }
};

QTEST_MAIN(EditorWindowTest)
#include "tst_editor_window.moc"
