// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The editor window's commands beyond its buttons: where and how often the pop-up menu opens,
// what its items do and when, the About command, and the bullet-types help.

#include "EditorSession.h"
#include "FileCommands.h"

#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace vormo;
using test::centreOf;

namespace {

// Watches PopupMenu1: records where each opening puts it, then types the next scripted key
// into it, or closes it when none is left. Also calls onRequest for each context-menu request
// that reaches the window.
struct MenuWatch : QObject {
    QList<QPoint> openedAt;
    QList<Qt::Key> keys;
    std::function<void()> onRequest = [] {};

    MenuWatch()
    {
        QMenu* menu = Form1->PopupMenu1;
        connect(menu, &QMenu::aboutToShow, this, [=, this] {
            QTimer::singleShot(0, this, [=, this] {
                openedAt << menu->pos();
                keys.isEmpty() ? menu->hide() : QTest::keyClick(menu, keys.takeFirst());
            });
        });
        Form1->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::ContextMenu)
            onRequest();
        return false;
    }
};

QList<QMessageBox*> shownMessageBoxes()
{
    QList<QMessageBox*> boxes;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible())
            boxes.append(box);
    }
    return boxes;
}

constexpr QPoint kBare(200, 345); // below the last row of fields, where no control is

// Through the window, as the platform delivers it: Qt follows the press with a context-menu
// request to the control under the pointer.
void click(QPoint at, Qt::MouseButton button = Qt::RightButton, Qt::KeyboardModifiers keys = {})
{
    QTest::mousePress(Form1->windowHandle(), button, keys, at);
    QTest::mouseRelease(Form1->windowHandle(), button, keys, at);
}

} // namespace

class WindowCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        s = std::make_unique<test::EditorSession>();
        QVERIFY(s->dir.isValid());
        QVERIFY(QTest::qWaitForWindowActive(Form1));
        menu = std::make_unique<MenuWatch>();
    }
    void cleanup()
    {
        menu.reset();
        s.reset();
    }

    void menuOpensOncePerRequest_data()
    {
        QTest::addColumn<QString>("target"); // empty: the bare surface at `at`
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<Qt::MouseButton>("button"); // none: the menu key
        QTest::addColumn<Qt::KeyboardModifiers>("keys");
        QTest::addColumn<int>("opens"); // -1: the control's own menu instead
        const auto row = [](const char* name, const char* target, QPoint at, Qt::MouseButton button,
                            int opens, Qt::KeyboardModifiers keys = {}) {
            QTest::newRow(name) << QString(target) << at << button << keys << opens;
        };
        // The handler itself at (0, 0): QTest takes that point for the middle of the window.
        row("press handler at (0, 0)", "", {}, Qt::RightButton, 1);
        row("bare, modifiers", "", kBare, Qt::RightButton, 1,
            Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        row("disabled label", "Label33", {}, Qt::RightButton, 1);
        row("disabled edit box", "TrailDelay", {}, Qt::RightButton, 1);
        row("disabled combo box", "SplinterType", {}, Qt::RightButton, 1);
        row("disabled check box", "Scatter", {}, Qt::RightButton, 1);
        row("enabled label", "Label1", {}, Qt::RightButton, 1);
        row("enabled check box", "RemOnHit", {}, Qt::RightButton, 1);
        row("button", "SaveAsBtn", {}, Qt::RightButton, 1);
        row("panel", "", QPoint(405, 125), Qt::RightButton, 1);
        row("menu key", "DetOnWrm", {}, Qt::NoButton, 1);
        row("left, bare", "", kBare, Qt::LeftButton, 0);
        row("middle, disabled field", "TrailDelay", {}, Qt::MiddleButton, 0);
        row("edit box", "Name", {}, Qt::RightButton, -1);
        row("combo box", "DetType", {}, Qt::RightButton, -1);
    }
    void menuOpensOncePerRequest()
    {
        QFETCH(QString, target);
        QFETCH(QPoint, at);
        QFETCH(Qt::MouseButton, button);
        QFETCH(Qt::KeyboardModifiers, keys);
        QFETCH(int, opens);
        if (button == Qt::NoButton) {
            // What Qt makes of the menu key: a request to the focused control, at a point inside
            // it. The menu then opens as for a press at (-1, -1).
            auto* control = Form1->findChild<QWidget*>(target);
            QContextMenuEvent request(QContextMenuEvent::Keyboard, {5, 5},
                                      control->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(control, &request);
            at = QPoint(-1, -1);
        } else if (at.isNull() && target.isEmpty()) {
            Form1->FormMouseDown(Form1, Qt::RightButton, Qt::NoModifier, 0, 0);
        } else {
            click(at = target.isEmpty() ? at : centreOf(target), button, keys);
        }

        const QPoint placed = Form1->frameGeometry().topLeft() + at + QPoint(0, 16);
        QCOMPARE(menu->openedAt, QList<QPoint>(qMax(opens, 0), placed));
        auto* own = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QCOMPARE(own != nullptr, opens < 0);
        if (own)
            own->close();
    }
    void menuItemsRunAfterThePress()
    {
        const QString path = s->path("menu.vwp");
        s->dialog.accept(path);
        // Not before the press that opened the menu is over: Qt sends the window a context-menu
        // request after the press.
        bool savedBeforeRequest = true;
        menu->onRequest = [&] { savedBeforeRequest = QFile::exists(path); };
        menu->keys = {Qt::Key_S};
        click(kBare);
        QTRY_COMPARE(test::contents(path), test::fixture("fresh.vwp"));
        QVERIFY(!savedBeforeRequest);

        Form1->Name->setText(QStringLiteral("Kept"));
        menu->keys = {Qt::Key_N};
        click(kBare);
        QTRY_COMPARE(currentFileName(), QStringLiteral("untitled.vwp"));
        QCOMPARE(Form1->Name->text(), QStringLiteral("Kept"));

        QSignalSpy closed(Form1, &TForm1::closed);
        menu->keys = {Qt::Key_Q};
        click(kBare);
        QTRY_COMPARE(closed.size(), 1);
        QVERIFY(!Form1->isVisible());
    }
    void aboutDisablesTheEditorUntilOK()
    {
        Form1->Dist->setFocus();
        QPoint hiddenAt;
        for (int round = 1; round <= 2; ++round) {
            menu->keys = {Qt::Key_A};
            click(kBare);
            QTRY_VERIFY(AboutBox->isVisible());
            QVERIFY(!Form1->isEnabled());
            if (round == 2) // back where it was hidden, after the user had dragged it there
                QCOMPARE(AboutBox->pos(), hiddenAt);
            AboutBox->move(hiddenAt = AboutBox->pos() + QPoint(-90, 57));

            QTest::mouseClick(AboutBox->OKButton, Qt::LeftButton);
            QVERIFY(Form1->isEnabled());
            QVERIFY(!AboutBox->isVisible());
            QTRY_COMPARE(QApplication::activeWindow(), Form1);
            QCOMPARE(QApplication::focusWidget(), Form1->Dist); // back where the user was
        }
    }
    void helpBoxesLeaveTheEditorUsable()
    {
        setMessageBoxes(nullptr); // Qt's own boxes, each waiting in an event loop of its own
        const QPoint label = centreOf(QStringLiteral("Label39"));
        QStringList first; // caption, text, icon, owner
        qsizetype most = 0;
        const auto closeAll = [] {
            for (QMessageBox* box : shownMessageBoxes())
                box->button(QMessageBox::Ok)->click();
        };
        QTimer::singleShot(0, [&] {
            const QMessageBox* box = shownMessageBoxes().value(0);
            first = {box->windowTitle(), box->text(), QString::number(box->icon()),
                     box->parentWidget() ? "owned" : "free"};
            QTimer::singleShot(0, [&] {
                most = shownMessageBoxes().size();
                closeAll();
            });
            // Through the window, where a modal box would hold the click back.
            QTest::mouseDClick(Form1->windowHandle(), Qt::LeftButton, {}, label);
            closeAll();
        });
        QTest::mouseDClick(Form1->windowHandle(), Qt::LeftButton, {}, label);

        const QString help =
            QStringLiteral("Bullet types specifics:\n 0)Normal\n"
                           " 1)Direction Type 1:Bitmap is rotated to be aligned with barrel.\n"
                           " 2)Direction Type Steerable:Like Missile, is guided with left/right "
                           "while weapon is alive\n"
                           "  and that weapon is selected.\n"
                           " 3)Direction Type 2:So far as I can tell, the weapon moves randomly "
                           "until it detonates.");
        QCOMPARE(help.size(), 307);
        QCOMPARE(first, (QStringList{"Bullet Types...", help,
                                     QString::number(QMessageBox::Information), "free"}));
        QCOMPARE(most, 2);
        QTRY_COMPARE(shownMessageBoxes().size(), 0);
    }

private:
    std::unique_ptr<test::EditorSession> s;
    std::unique_ptr<MenuWatch> menu;
};

QTEST_MAIN(WindowCommandsTest)
#include "tst_window_commands.moc"
