// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Qt's file dialog as the program shows it: what it proposes, what it returns, and the
// question before creating a file. Driven offscreen through the dialog's own widgets.

#include "FileCommands.h"
#include "MessageBoxes.h"
#include "QtSaveDialogRunner.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace vormo;

namespace {

// Answers "No" to the first question and "Yes" to the others; remembers what was asked.
struct AnsweringBoxes final : MessageBoxes {
    AnsweringBoxes() { setMessageBoxes(this); }
    ~AnsweringBoxes() override { setMessageBoxes(nullptr); }
    bool show(const MessageBoxRequest& request) override
    {
        asked.append(request.text);
        return asked.size() > 1;
    }
    QStringList asked;
};

struct Run {
    QString title, fileType; // as the dialog shows them
    std::optional<SaveDialogAnswer> answer;
};

// Runs the dialog and, while it is shown, types each name (unless empty) and accepts; rejects
// once the names are used up.
Run runWith(const SaveDialogSettings& settings, QStringList names)
{
    Run run;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        run.title = dialog->windowTitle();
        run.fileType = dialog->selectedNameFilter();
        if (names.isEmpty())
            return dialog->reject();
        if (const QString name = names.takeFirst(); !name.isEmpty())
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
        static_cast<QDialog*>(dialog)->accept();
    });
    timer.start(10);
    run.answer = QtSaveDialogRunner().run(settings);
    return run;
}

} // namespace

class SaveDialogRunnerTest : public QObject {
    Q_OBJECT
private slots:
    void runsTheDialog_data()
    {
        QTest::addColumn<int>("filter");
        QTest::addColumn<bool>("last");         // proposes the last path
        QTest::addColumn<bool>("confirm");      // asks before creating a file
        QTest::addColumn<QStringList>("names"); // each typed, unless empty, and accepted
        QTest::addColumn<QString>("path");      // empty when cancelled
        QTest::newRow("vwp added") << 2 << false << false << QStringList{"foo"} << "foo.vwp";
        QTest::newRow("txt kept") << 3 << false << false << QStringList{"foo.txt"} << "foo.txt";
        QTest::newRow("last path") << 2 << true << false << QStringList{""} << "last.vwp";
        // "No" to creating the file keeps the dialog open for the second accept.
        QTest::newRow("no, then yes") << 1 << false << true << QStringList{"new", ""} << "new.vwp";
        QTest::newRow("cancel") << 1 << false << false << QStringList() << "";
    }
    void runsTheDialog()
    {
        QFETCH(int, filter);
        QFETCH(bool, last);
        QFETCH(bool, confirm);
        QFETCH(QStringList, names);
        QFETCH(QString, path);
        QTemporaryDir dir;
        SaveDialogSettings s = pluginSaveDialogSettings();
        s.filterIndex = filter;
        s.confirmCreate = confirm;
        s.initialDir = last ? QStringLiteral(".") : dir.path(); // the last path's folder wins
        s.fileName = last ? dir.filePath(QStringLiteral("last.vwp")) : QString();
        AnsweringBoxes boxes;
        const Run run = runWith(s, names);
        QCOMPARE(run.title, u"Save Vormo Weapon...");
        QVERIFY(run.fileType.startsWith(s.filters[filter - 1].name));
        QCOMPARE(boxes.asked.size(), confirm ? 2 : 0);
        QCOMPARE(run.answer.has_value(), !path.isEmpty());
        if (run.answer) {
            QCOMPARE(run.answer->path, dir.filePath(path));
            QCOMPARE(run.answer->filterIndex, filter);
            QVERIFY(!QFileInfo::exists(run.answer->path)); // asking creates nothing
        }
    }
};

QTEST_MAIN(SaveDialogRunnerTest)
#include "tst_save_dialog_runner.moc"
