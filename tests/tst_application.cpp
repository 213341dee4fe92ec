// The program from start to end: what the application is set up with, the windows' globals,
// that only the editor window's closing ends the event loop, the order of shutdown, and an
// exit status of 0 even when start-up fails.

#include "Application.h"
#include "ErrorReport.h"
#include "Errors.h"
#include "RecordingMessageBoxes.h"
#include "TAboutBox.h"
#include "TForm1.h"
#include "ToolTips.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <stdexcept>

using namespace vormo;

namespace {

// A window that records what its global held while it was being constructed.
struct Probe : QWidget {
    Probe();
};
Probe* probe = nullptr;
const Probe* probeSeenDuringConstruction = nullptr;
Probe::Probe() { probeSeenDuringConstruction = probe; }

struct Failing : QWidget {
    Failing() { throw VormoError(QStringLiteral("Failing")); }
};
Failing* failing = reinterpret_cast<Failing*>(0x1);

// Runs work once the event loop of runApplication() is going.
void onceRunning(std::function<void()> work) { QTimer::singleShot(0, qApp, std::move(work)); }

} // namespace

class ApplicationTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { prepareApplication(); }
    void cleanup() { QVERIFY(!Form1 && !AboutBox); }

    void preparedApplication();
    void globalRefersToTheWindowWhileItIsConstructed();
    void failedConstructionLeavesTheGlobalEmpty();
    void startsWithTheEditorShownAndTheAboutBoxHidden();
    void closingTheEditorEndsTheProgram();
    void closingAnyOtherWindowDoesNot();
    void aboutBoxIsDestroyedBeforeTheEditor();
    void failedStartUpShowsTheErrorAndExitsWithZero();
};

void ApplicationTest::preparedApplication()
{
    QCOMPARE(QApplication::applicationName(), QStringLiteral("Vormo Weapon Plugin Maker"));
    QCOMPARE(QApplication::applicationVersion(), QStringLiteral("1.3.1.2"));
    QVERIFY(QApplication::windowIcon().availableSizes().contains(QSize(32, 32)));
    QVERIFY(!QApplication::quitOnLastWindowClosed());
    QStyle* style = QApplication::style();
    QCOMPARE(style->styleHint(QStyle::SH_ToolTip_WakeUpDelay), kToolTipWakeUpMs);
    QCOMPARE(style->styleHint(QStyle::SH_ToolTip_FallAsleepDelay), kToolTipFallAsleepMs);
    QCOMPARE(kToolTipWakeUpMs, 500);
    QCOMPARE(kToolTipDisplayMs, 2500);
}

void ApplicationTest::globalRefersToTheWindowWhileItIsConstructed()
{
    createForm(probe);
    QVERIFY(probe);
    QCOMPARE(probeSeenDuringConstruction, probe);
    delete probe;
    probe = nullptr;
}

void ApplicationTest::failedConstructionLeavesTheGlobalEmpty()
{
    QVERIFY_THROWS_EXCEPTION(VormoError, createForm(failing));
    QCOMPARE(failing, nullptr);
}

void ApplicationTest::startsWithTheEditorShownAndTheAboutBoxHidden()
{
    bool editorShown = false, aboutHidden = false, aboutOwnWindow = false;
    onceRunning([&] {
        editorShown = Form1->isVisible();
        aboutHidden = !AboutBox->isVisible();
        aboutOwnWindow = AboutBox->isWindow() && !AboutBox->parentWidget();
        Form1->close();
    });
    QCOMPARE(runApplication(), 0);
    QVERIFY(editorShown);
    QVERIFY(aboutHidden);
    QVERIFY(aboutOwnWindow);
}

void ApplicationTest::closingTheEditorEndsTheProgram()
{
    // By the Quit button, and by the window manager's close request.
    onceRunning([] { QTest::mouseClick(Form1->QuitBtn, Qt::LeftButton); });
    QCOMPARE(runApplication(), 0);

    onceRunning([] {
        QCloseEvent request;
        QApplication::sendEvent(Form1, &request);
    });
    QCOMPARE(runApplication(), 0);
}

void ApplicationTest::closingAnyOtherWindowDoesNot()
{
    QStringList steps;
    onceRunning([&] {
        AboutBox->show();
        AboutBox->close();
        steps << "about box closed";
        // Anything that would end the loop was posted by now and runs before this.
        QTimer::singleShot(0, qApp, [&] {
            auto* other = new QWidget;
            other->setAttribute(Qt::WA_DeleteOnClose);
            other->show();
            other->close();
            steps << "other window closed";
            QTimer::singleShot(0, qApp, [&] {
                steps << "still running";
                Form1->close();
            });
        });
    });
    QCOMPARE(runApplication(), 0);
    QCOMPARE(steps, (QStringList{"about box closed", "other window closed", "still running"}));
}

void ApplicationTest::aboutBoxIsDestroyedBeforeTheEditor()
{
    QStringList destroyed;
    onceRunning([&] {
        AboutBox->show(); // shown or hidden, it goes first
        QObject::connect(AboutBox, &QObject::destroyed, [&] { destroyed << "AboutBox"; });
        QObject::connect(Form1, &QObject::destroyed, [&] { destroyed << "Form1"; });
        Form1->close();
    });
    QCOMPARE(runApplication(), 0);
    QCOMPARE(destroyed, (QStringList{"AboutBox", "Form1"}));
}

void ApplicationTest::failedStartUpShowsTheErrorAndExitsWithZero()
{
    test::RecordingMessageBoxes boxes;
    QCOMPARE(runApplication([] {
                 createForm(Form1);
                 throw VormoError(QStringLiteral("Cannot create the about box"));
             }),
             0);
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(boxes.shown.first().text, QStringLiteral("Cannot create the about box."));
    QCOMPARE(boxes.shown.first().caption, QString::fromLatin1(kApplicationTitle));
    QCOMPARE(boxes.shown.first().icon, MessageBoxRequest::Icon::Critical);
}

QTEST_MAIN(ApplicationTest)
#include "tst_application.moc"
