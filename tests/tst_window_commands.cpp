// The editor window's commands beyond its buttons: where and how often the pop-up menu opens,
// what its items do and when, the About command, and the bullet-types help.

#include "Application.h"
#include "FileCommands.h"
#include "RecordingMessageBoxes.h"
#include "TAboutBox.h"
#include "TForm1.h"
#include "TestSupport.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <functional>
#include <memory>

using namespace vormo;

namespace {

// Watches PopupMenu1: records where each opening puts it, then types the next scripted key
// into it, or closes it when none is left.
class MenuWatch : public QObject {
public:
    explicit MenuWatch(QMenu* menu) : menu_(menu)
    {
        connect(menu, &QMenu::aboutToShow, this, [this] {
            QMetaObject::invokeMethod(
                this, [this] { opened(); }, Qt::QueuedConnection);
        });
    }

    QList<QPoint> openedAt;
    QList<Qt::Key> keys;

private:
    void opened()
    {
        openedAt.append(menu_->pos());
        if (keys.isEmpty())
            menu_->hide();
        else
            QTest::keyClick(menu_, keys.takeFirst());
    }

    QMenu* menu_;
};

// Runs action as soon as condition holds, checking again whenever the event loop comes round;
// this also works from inside a nested loop.
void when(std::function<bool()> condition, std::function<void()> action)
{
    QTimer::singleShot(10, qApp, [condition, action] {
        if (condition())
            action();
        else
            when(condition, action);
    });
}

class EventCounter final : public QObject {
public:
    EventCounter(QEvent::Type type, int* count, QObject* parent)
        : QObject(parent), type_(type), count_(count)
    {
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == type_)
            ++*count_;
        return false;
    }

private:
    QEvent::Type type_;
    int* count_;
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

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Below the last row of fields, where no control is.
constexpr QPoint kBare(200, 345);

QPoint centreOf(const char* name)
{
    auto* widget = Form1->findChild<QWidget*>(QLatin1StringView(name));
    return widget->mapTo(Form1, widget->rect().center());
}

const QString kBulletTypesHelp =
    QStringList{
        "Bullet types specifics:",
        " 0)Normal",
        " 1)Direction Type 1:Bitmap is rotated to be aligned with barrel.",
        " 2)Direction Type Steerable:Like Missile, is guided with left/right while weapon is "
        "alive",
        "  and that weapon is selected.",
        " 3)Direction Type 2:So far as I can tell, the weapon moves randomly until it detonates.",
    }
        .join(u'\n');

} // namespace

class WindowCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void rightPressOpensTheMenuOnce_data();
    void rightPressOpensTheMenuOnce();
    void menuKeyOpensTheMenuAboveLeft_data();
    void menuKeyOpensTheMenuAboveLeft();
    void pressHandlerPlacesTheMenu_data();
    void pressHandlerPlacesTheMenu();
    void leftAndMiddlePressesOpenNothing_data();
    void leftAndMiddlePressesOpenNothing();
    void editAndComboBoxesKeepTheirOwnMenu_data();
    void editAndComboBoxesKeepTheirOwnMenu();
    void saveFromTheMenuRunsAfterTheMenuClosed();
    void newFromTheMenuForgetsThePath();
    void quitFromTheMenuClosesTheWindow();
    void failedSaveFromTheMenuIsReported();
    void aboutDisablesTheEditorUntilOK();
    void bulletTypesHelp();
    void helpBoxesLeaveTheEditorUsable();

private:
    void rightClick(QPoint at, Qt::KeyboardModifiers modifiers = {});
    QPoint frameCorner() const { return Form1->frameGeometry().topLeft(); }

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<test::ScriptedSaveDialog> dialog;
    std::unique_ptr<test::RecordingMessageBoxes> boxes;
    std::unique_ptr<MenuWatch> menu;
};

void WindowCommandsTest::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    dialog = std::make_unique<test::ScriptedSaveDialog>();
    boxes = std::make_unique<test::RecordingMessageBoxes>();
    createForm(Form1);
    createForm(AboutBox);
    Form1->show();
    QVERIFY(QTest::qWaitForWindowActive(Form1));
    menu = std::make_unique<MenuWatch>(Form1->PopupMenu1);
}

void WindowCommandsTest::cleanup()
{
    menu.reset();
    destroyWindows();
    boxes.reset();
    dialog.reset();
    dir.reset();
}

// Through the window, as the platform delivers it: Qt follows the press with a context-menu
// request to the control under the pointer.
void WindowCommandsTest::rightClick(QPoint at, Qt::KeyboardModifiers modifiers)
{
    QTest::mousePress(Form1->windowHandle(), Qt::RightButton, modifiers, at);
    QTest::mouseRelease(Form1->windowHandle(), Qt::RightButton, modifiers, at);
}

void WindowCommandsTest::rightPressOpensTheMenuOnce_data()
{
    QTest::addColumn<QString>("target"); // empty: the bare surface at `at`
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");

    // QTest takes (0, 0) for "the middle of the window": the corner's neighbour stands in.
    QTest::newRow("bare surface by the corner") << "" << QPoint(1, 0) << Qt::KeyboardModifiers();
    QTest::newRow("bare surface, Shift") << "" << kBare << Qt::KeyboardModifiers(Qt::ShiftModifier);
    QTest::newRow("bare surface, Ctrl")
        << "" << kBare << Qt::KeyboardModifiers(Qt::ControlModifier);
    QTest::newRow("bare surface, Alt") << "" << kBare << Qt::KeyboardModifiers(Qt::AltModifier);
    QTest::newRow("disabled label") << "Label33" << QPoint() << Qt::KeyboardModifiers();
    QTest::newRow("disabled edit box") << "TrailDelay" << QPoint() << Qt::KeyboardModifiers();
    QTest::newRow("disabled combo box") << "SplinterType" << QPoint() << Qt::KeyboardModifiers();
    QTest::newRow("disabled check box") << "Scatter" << QPoint() << Qt::KeyboardModifiers();
    QTest::newRow("enabled label") << "Label1" << QPoint() << Qt::KeyboardModifiers();
    QTest::newRow("enabled check box") << "RemOnHit" << QPoint() << Qt::KeyboardModifiers();
    QTest::newRow("button") << "SaveAsBtn" << QPoint() << Qt::KeyboardModifiers();
    QTest::newRow("panel") << "" << QPoint(405, 125) << Qt::KeyboardModifiers();
    QTest::newRow("inner panel") << "" << QPoint(435, 320) << Qt::KeyboardModifiers();
}

void WindowCommandsTest::rightPressOpensTheMenuOnce()
{
    QFETCH(QString, target);
    QFETCH(QPoint, at);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    if (!target.isEmpty()) {
        at = centreOf(qPrintable(target));
        QVERIFY(Form1->childAt(at));
    }

    rightClick(at, modifiers);

    QCOMPARE(menu->openedAt, QList<QPoint>{frameCorner() + at + QPoint(0, 16)});
    QVERIFY(!Form1->PopupMenu1->isVisible());
    QVERIFY(!QApplication::activePopupWidget());
}

void WindowCommandsTest::menuKeyOpensTheMenuAboveLeft_data()
{
    QTest::addColumn<QString>("focus");
    QTest::newRow("check box") << "DetOnWrm";
    QTest::newRow("button") << "NewBtn";
}

void WindowCommandsTest::menuKeyOpensTheMenuAboveLeft()
{
    QFETCH(QString, focus);
    auto* control = Form1->findChild<QWidget*>(focus);
    control->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), control);
    // What Qt makes of the menu key: a request to the focused control, at a point inside it.
    const QPoint inside = control->rect().center();
    QContextMenuEvent request(QContextMenuEvent::Keyboard, inside, control->mapToGlobal(inside));
    QApplication::sendEvent(control, &request);

    QVERIFY(request.isAccepted());
    QCOMPARE(menu->openedAt, QList<QPoint>{frameCorner() + QPoint(-1, 15)});
}

void WindowCommandsTest::pressHandlerPlacesTheMenu_data()
{
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QPoint>("expected"); // relative to the frame's outer corner
    QTest::newRow("(0, 0)") << QPoint(0, 0) << QPoint(0, 16);
    QTest::newRow("(100, 50)") << QPoint(100, 50) << QPoint(100, 66);
}

void WindowCommandsTest::pressHandlerPlacesTheMenu()
{
    QFETCH(QPoint, press);
    QFETCH(QPoint, expected);
    Form1->FormMouseDown(Form1, Qt::RightButton, Qt::NoModifier, press.x(), press.y());
    bool handled = false;
    Form1->FormContextPopup(Form1, press, handled);
    QVERIFY(handled);
    QCOMPARE(menu->openedAt, (QList<QPoint>{frameCorner() + expected, frameCorner() + expected}));
}

void WindowCommandsTest::leftAndMiddlePressesOpenNothing_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QString>("target");
    QTest::newRow("left, bare") << Qt::LeftButton << "";
    QTest::newRow("middle, bare") << Qt::MiddleButton << "";
    QTest::newRow("middle, disabled field") << Qt::MiddleButton << "TrailDelay";
}

void WindowCommandsTest::leftAndMiddlePressesOpenNothing()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(QString, target);
    const QPoint at = target.isEmpty() ? kBare : centreOf(qPrintable(target));
    Form1->FormMouseDown(Form1, button, Qt::NoModifier, at.x(), at.y());
    QTest::mouseClick(Form1->windowHandle(), button, {}, at);
    QCOMPARE(menu->openedAt.size(), 0);
    QVERIFY(!QApplication::activePopupWidget());
}

void WindowCommandsTest::editAndComboBoxesKeepTheirOwnMenu_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("keyboard"); // the menu key instead of a right-click
    QTest::newRow("edit box") << "Name" << false;
    QTest::newRow("combo box") << "DetType" << false;
    QTest::newRow("combo box's arrow") << "BulletType" << false;
    QTest::newRow("menu key, edit box") << "Dist" << true;
    QTest::newRow("menu key, combo box") << "FireSnd" << true;
}

void WindowCommandsTest::editAndComboBoxesKeepTheirOwnMenu()
{
    QFETCH(QString, target);
    QFETCH(bool, keyboard);
    auto* control = Form1->findChild<QWidget*>(target);
    if (keyboard) {
        control->setFocus(Qt::TabFocusReason);
        QWidget* focus = QApplication::focusWidget();
        const QPoint inside = focus->rect().center();
        QContextMenuEvent request(QContextMenuEvent::Keyboard, inside, focus->mapToGlobal(inside));
        QApplication::sendEvent(focus, &request);
    } else {
        const QRect area = control->geometry();
        // The arrow sits at the right end of a combo box.
        rightClick(target == "BulletType" ? QPoint(area.right() - 3, area.center().y())
                                          : area.center());
    }

    QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
    QMenu* shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(shown != Form1->PopupMenu1);
    QVERIFY(!shown->actions().isEmpty());
    shown->close();
    QCOMPARE(menu->openedAt.size(), 0);
}

void WindowCommandsTest::saveFromTheMenuRunsAfterTheMenuClosed()
{
    // How things stand when the command asks for a path.
    struct Observer final : SaveDialogRunner {
        SaveDialogRunner* next = nullptr;
        int contextRequests = 0; // that reached the window so far
        int contextRequestsBefore = -1;
        bool menuVisible = true;
        int loopLevel = -1;
        std::optional<SaveDialogAnswer> run(const SaveDialogSettings& settings) override
        {
            contextRequestsBefore = contextRequests;
            menuVisible = Form1->PopupMenu1->isVisible();
            loopLevel = QThread::currentThread()->loopLevel();
            return next->run(settings);
        }
    } observer;
    observer.next = dialog.get();
    Form1->SaveDialog1->setRunner(&observer);
    auto* counter = new EventCounter(QEvent::ContextMenu, &observer.contextRequests, Form1);
    Form1->installEventFilter(counter);

    const QString path = dir->filePath("menu.vwp");
    dialog->accept(path);
    menu->keys = {Qt::Key_S};
    rightClick(kBare);

    QTRY_COMPARE(dialog->runs().size(), 1);
    // Not from inside the menu's loop, and not before the press that opened it was over: Qt
    // sends the window a context-menu request after the press.
    QVERIFY(!observer.menuVisible);
    QCOMPARE(observer.loopLevel, QThread::currentThread()->loopLevel());
    QCOMPARE(observer.contextRequestsBefore, 1);
    QCOMPARE(dialog->runs().first().title, QStringLiteral("Save Vormo Weapon..."));
    QCOMPARE(contents(path), test::fixture("fresh.vwp"));
}

void WindowCommandsTest::newFromTheMenuForgetsThePath()
{
    dialog->accept(dir->filePath("named.vwp"));
    Form1->SaveBtn->click();
    QCOMPARE(currentFileName(), dir->filePath("named.vwp"));
    Form1->Name->setText(QStringLiteral("Kept"));

    menu->keys = {Qt::Key_N};
    rightClick(kBare);
    QTRY_COMPARE(currentFileName(), QStringLiteral("untitled.vwp"));
    QCOMPARE(Form1->Name->text(), QStringLiteral("Kept"));
}

void WindowCommandsTest::quitFromTheMenuClosesTheWindow()
{
    QSignalSpy closed(Form1, &TForm1::closed);
    menu->keys = {Qt::Key_Q};
    rightClick(centreOf("Label33"));
    QTRY_COMPARE(closed.size(), 1);
    QVERIFY(!Form1->isVisible());
}

void WindowCommandsTest::failedSaveFromTheMenuIsReported()
{
    const QString path = dir->filePath("missing/menu.vwp");
    dialog->accept(path);
    menu->keys = {Qt::Key_S};
    rightClick(kBare);
    QTRY_COMPARE(boxes->shown.size(), 1);
    QCOMPARE(boxes->shown.first().text, QStringLiteral("Cannot create file ") + path + u'.');
    QVERIFY(Form1->isVisible());
    QVERIFY(Form1->isEnabled());

    // The window runs on, menu and all.
    menu->keys = {Qt::Key_N};
    rightClick(kBare);
    QTRY_COMPARE(currentFileName(), QStringLiteral("untitled.vwp"));
}

void WindowCommandsTest::aboutDisablesTheEditorUntilOK()
{
    Form1->Dist->setFocus();
    for (int round = 1; round <= 2; ++round) {
        menu->keys = {Qt::Key_A};
        rightClick(kBare);
        QTRY_VERIFY(AboutBox->isVisible());
        QVERIFY(!Form1->isEnabled());
        QTRY_COMPARE(QApplication::activeWindow(), AboutBox);

        // Neither the menu nor the buttons answer now.
        rightClick(kBare);
        QTest::mouseClick(Form1->windowHandle(), Qt::LeftButton, {},
                          Form1->SaveBtn->mapTo(Form1, Form1->SaveBtn->rect().center()));
        QCOMPARE(menu->openedAt.size(), round);
        QCOMPARE(dialog->runs().size(), 0);

        QTest::mouseClick(AboutBox->OKButton, Qt::LeftButton);
        QVERIFY(Form1->isEnabled());
        QVERIFY(!AboutBox->isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), Form1);
        // Back where the user was, not in the first field.
        QCOMPARE(QApplication::focusWidget(), Form1->Dist);
    }
}

void WindowCommandsTest::bulletTypesHelp()
{
    QCOMPARE(kBulletTypesHelp.size(), 307);

    QTest::mouseClick(Form1->Label39, Qt::LeftButton);
    QTest::mouseDClick(Form1->Label39, Qt::RightButton);
    QCOMPARE(boxes->shown.size(), 0);

    QTest::mouseDClick(Form1->Label39, Qt::LeftButton);
    QTest::mouseDClick(Form1->Label39, Qt::LeftButton);
    QCOMPARE(boxes->shown.size(), 2);
    for (const MessageBoxRequest& box : boxes->shown) {
        QCOMPARE(box.caption, QStringLiteral("Bullet Types..."));
        QCOMPARE(box.text, kBulletTypesHelp);
        QCOMPARE(box.icon, MessageBoxRequest::Icon::Information);
        QCOMPARE(box.owner, nullptr);
        QVERIFY(!box.applicationModal);
        QVERIFY(!box.yesNo);
    }
    QVERIFY(Form1->isEnabled());
}

void WindowCommandsTest::helpBoxesLeaveTheEditorUsable()
{
    boxes.reset(); // Qt's own boxes from here on
    const QPoint label = centreOf("Label39");
    struct Seen {
        QString caption, text;
        QMessageBox::Icon icon;
        bool hasOwner;
        Qt::WindowModality modality;
    };
    QList<Seen> whileFirst;
    qsizetype whileSecond = 0;
    bool editorBlocked = true;
    const auto closeAll = [] {
        for (QMessageBox* box : shownMessageBoxes())
            box->button(QMessageBox::Ok)->click();
    };

    when([] { return shownMessageBoxes().size() == 1; },
         [&] {
             for (QMessageBox* box : shownMessageBoxes()) {
                 whileFirst.append({box->windowTitle(), box->text(), box->icon(),
                                    box->parentWidget() != nullptr, box->windowModality()});
             }
             editorBlocked = QApplication::modalWindow() != nullptr || !Form1->isEnabled();
             when([] { return shownMessageBoxes().size() == 2; },
                  [&] {
                      whileSecond = shownMessageBoxes().size();
                      closeAll();
                  });
             // Through the window, where a modal box would hold the click back.
             QTest::mouseDClick(Form1->windowHandle(), Qt::LeftButton, {}, label);
             closeAll();
         });
    QTest::mouseDClick(Form1->windowHandle(), Qt::LeftButton, {}, label);

    QCOMPARE(whileFirst.size(), 1);
    QCOMPARE(whileFirst.first().caption, QStringLiteral("Bullet Types..."));
    QCOMPARE(whileFirst.first().text, kBulletTypesHelp);
    QCOMPARE(whileFirst.first().icon, QMessageBox::Information);
    QVERIFY(!whileFirst.first().hasOwner);
    QCOMPARE(whileFirst.first().modality, Qt::NonModal);
    QVERIFY(!editorBlocked);
    QCOMPARE(whileSecond, 2);
    QTRY_COMPARE(shownMessageBoxes().size(), 0);
}

QTEST_MAIN(WindowCommandsTest)
#include "tst_window_commands.moc"
