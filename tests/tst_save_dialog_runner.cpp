// Qt's file dialog as the program shows it: what it proposes, what it returns, and the
// question before creating a file. Driven offscreen through the dialog's own widgets.

#include "MessageBoxes.h"
#include "QtSaveDialogRunner.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace vormo;

namespace {

// Answers every question with a preset reply and remembers what was asked.
class AnsweringBoxes final : public MessageBoxes {
public:
    explicit AnsweringBoxes(QList<bool> replies) : replies_(std::move(replies))
    {
        setMessageBoxes(this);
    }
    ~AnsweringBoxes() override { setMessageBoxes(nullptr); }
    bool show(const MessageBoxRequest& request) override
    {
        asked.append(request.text);
        return replies_.isEmpty() ? false : replies_.takeFirst();
    }
    QStringList asked;

private:
    QList<bool> replies_;
};

// Runs the dialog; each step gets the open dialog once it is shown.
std::optional<SaveDialogAnswer> runWith(const SaveDialogSettings& settings,
                                        QList<std::function<void(QFileDialog&)>> steps)
{
    auto drive = std::make_shared<std::function<void()>>();
    *drive = [drive, steps]() mutable {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            QTimer::singleShot(10, *drive);
            return;
        }
        if (steps.isEmpty() || QTest::currentTestFailed()) {
            dialog->reject(); // a failed step must not leave the dialog waiting
            return;
        }
        steps.takeFirst()(*dialog);
        if (dialog->isVisible())
            QTimer::singleShot(10, *drive);
    };
    QTimer::singleShot(0, *drive);
    QtSaveDialogRunner runner;
    return runner.run(settings);
}

void typeName(QFileDialog& dialog, const QString& name)
{
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(edit);
    edit->setText(name);
}

SaveDialogSettings pluginSettings(const QString& folder)
{
    SaveDialogSettings s;
    s.title = QStringLiteral("Save Vormo Weapon...");
    s.filters = {{QStringLiteral("Vormo Weapons"), QStringLiteral("*.vwp")},
                 {QStringLiteral("Text files"), QStringLiteral("*.txt")},
                 {QStringLiteral("All files"), QStringLiteral("*.*")}};
    s.defaultExt = QStringLiteral("vwp");
    s.initialDir = folder;
    return s;
}

} // namespace

class SaveDialogRunnerTest : public QObject {
    Q_OBJECT
private slots:
    void typedNameGetsDefaultExtension_data();
    void typedNameGetsDefaultExtension();
    void proposesLastPathAndFileType();
    void cancelReturnsNothing();
    void asksBeforeCreatingWhenWanted();
};

void SaveDialogRunnerTest::typedNameGetsDefaultExtension_data()
{
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");
    QTest::newRow("weapons") << 1 << "foo"
                             << "foo.vwp";
    QTest::newRow("text files") << 2 << "foo"
                                << "foo.vwp";
    QTest::newRow("own extension") << 3 << "foo.txt"
                                   << "foo.txt";
}

void SaveDialogRunnerTest::typedNameGetsDefaultExtension()
{
    QFETCH(int, filter);
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    QTemporaryDir dir;
    SaveDialogSettings settings = pluginSettings(dir.path());
    settings.filterIndex = filter;
    const auto answer = runWith(settings, {[&](QFileDialog& d) {
                                    QCOMPARE(d.windowTitle(), u"Save Vormo Weapon...");
                                    QCOMPARE(d.directory().absolutePath(), dir.path());
                                    typeName(d, typed);
                                    static_cast<QDialog&>(d).accept();
                                }});
    QVERIFY(answer);
    QCOMPARE(answer->path, dir.filePath(saved));
    QCOMPARE(answer->filterIndex, filter);
}

void SaveDialogRunnerTest::proposesLastPathAndFileType()
{
    QTemporaryDir dir;
    SaveDialogSettings settings = pluginSettings(QStringLiteral("."));
    settings.fileName = dir.filePath(QStringLiteral("last.vwp"));
    settings.filterIndex = 2;
    const auto answer = runWith(settings, {[&](QFileDialog& d) {
                                    QCOMPARE(d.selectedNameFilter(), u"Text files (*.txt)");
                                    QCOMPARE(d.directory().absolutePath(), dir.path());
                                    static_cast<QDialog&>(d).accept();
                                }});
    QVERIFY(answer);
    QCOMPARE(answer->path, dir.filePath(QStringLiteral("last.vwp")));
    QCOMPARE(answer->filterIndex, 2);
}

void SaveDialogRunnerTest::cancelReturnsNothing()
{
    QTemporaryDir dir;
    const auto answer = runWith(pluginSettings(dir.path()), {[](QFileDialog& d) { d.reject(); }});
    QVERIFY(!answer);
}

void SaveDialogRunnerTest::asksBeforeCreatingWhenWanted()
{
    QTemporaryDir dir;
    SaveDialogSettings settings = pluginSettings(dir.path());
    settings.confirmCreate = true;
    AnsweringBoxes boxes({false, true});
    const auto answer =
        runWith(settings, {[&](QFileDialog& d) {
                               typeName(d, QStringLiteral("new"));
                               static_cast<QDialog&>(d).accept(); // "No": the dialog stays
                           },
                           [&](QFileDialog& d) {
                               QVERIFY(d.isVisible());
                               static_cast<QDialog&>(d).accept(); // "Yes"
                           }});
    QVERIFY(answer);
    QCOMPARE(answer->path, dir.filePath(QStringLiteral("new.vwp")));
    QCOMPARE(boxes.asked.size(), 2);
    QVERIFY(boxes.asked.first().startsWith(u"new.vwp"));
    QVERIFY(!QFile::exists(answer->path)); // asking creates nothing
}

QTEST_MAIN(SaveDialogRunnerTest)
#include "tst_save_dialog_runner.moc"
