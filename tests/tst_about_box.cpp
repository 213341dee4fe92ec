// The about box: its window and layout, hints and cursors, how it comes and goes (Enter, Escape,
// the window manager, where it shows), and the export of the program icon with its failures.

#include "Application.h"
#include "RecordingMessageBoxes.h"
#include "Resources.h"
#include "SafeFile.h"
#include "TAboutBox.h"
#include "TForm1.h"
#include "TestSupport.h"
#include "ToolTips.h"

#include <QApplication>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include <memory>

using namespace vormo;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class AboutBoxTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { applyToolTipTiming(); }
    void init();
    void cleanup();

    void windowOfItsOwn();
    void panelHoldsItsTextInside();
    void iconShowsThePanelThroughItsTransparentPixels();
    void hintsAndCursors_data();
    void hintsAndCursors();
    void enterPressesOK_data();
    void enterPressesOK();
    void escapeDoesNothing();
    void closeRequestCountsAsOK();
    void centredOnlyTheFirstTime();
    void exportedIconIsTheProgramIcon();
    void iconDialogProposals();
    void doubleClickWithTheLeftButtonOnly();
    void exportFailures_data();
    void exportFailures();

private:
    void showAbout();
    QString inDir(const QString& name) const { return dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<test::ScriptedSaveDialog> dialog;
    std::unique_ptr<test::RecordingMessageBoxes> boxes;
};

void AboutBoxTest::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    dialog = std::make_unique<test::ScriptedSaveDialog>();
    boxes = std::make_unique<test::RecordingMessageBoxes>();
    createForm(Form1);
    createForm(AboutBox);
    Form1->show();
    QVERIFY(QTest::qWaitForWindowActive(Form1));
}

void AboutBoxTest::cleanup()
{
    setChunkWriter(nullptr);
    QToolTip::hideText();
    destroyWindows();
    boxes.reset();
    dialog.reset();
    dir.reset();
}

void AboutBoxTest::showAbout()
{
    Form1->About1Click(Form1->About1);
    QVERIFY(AboutBox->isVisible());
    QVERIFY(!Form1->isEnabled());
    QTRY_COMPARE(QApplication::activeWindow(), AboutBox);
    QCOMPARE(QApplication::focusWidget(), AboutBox->OKButton);
}

void AboutBoxTest::windowOfItsOwn()
{
    QVERIFY(!AboutBox->isVisible());
    QCOMPARE(AboutBox->windowTitle(), QStringLiteral("About..."));
    QVERIFY(AboutBox->isWindow());
    QCOMPARE(AboutBox->parentWidget(), nullptr);
    const Qt::WindowFlags flags = AboutBox->windowFlags();
    QVERIFY(!(flags & (Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                       Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint)));
    QCOMPARE(AboutBox->minimumSize(), QSize(298, 213));
    QCOMPARE(AboutBox->maximumSize(), QSize(298, 213));
}

void AboutBoxTest::panelHoldsItsTextInside()
{
    QLabel* comments = AboutBox->Comments;
    QCOMPARE(comments->width(), 248);
    QVERIFY(comments->text().startsWith(
        QStringLiteral("Interface derived from VormoM8 toolkit.  Visit ")));
    QVERIFY(comments->text().endsWith(
        QStringLiteral(" For use with VormoKit and VormoM8, versions 1.6 +")));
    // Wrapped, in no more than the three lines the layout has room for.
    QVERIFY(comments->height() >= comments->heightForWidth(248));
    QVERIFY(comments->height() <= 3 * comments->fontMetrics().lineSpacing());
    QVERIFY(AboutBox->Notice->text().contains(QStringLiteral("2002")));
    QVERIFY(AboutBox->Notice->geometry().bottom() < comments->geometry().top());
    for (QWidget* inside : AboutBox->Panel1->findChildren<QWidget*>())
        QVERIFY2(AboutBox->Panel1->contentsRect().contains(inside->geometry()),
                 qPrintable(inside->objectName()));
    QVERIFY(AboutBox->OKButton->isDefault());
}

void AboutBoxTest::iconShowsThePanelThroughItsTransparentPixels()
{
    const QImage icon = decodeProgramIcon(programIconBytes());
    QCOMPARE(icon.size(), QSize(32, 32));
    QCOMPARE(AboutBox->ProgramIcon->size(), QSize(32, 32));
    QCOMPARE(AboutBox->ProgramIcon->pixmap().toImage().convertToFormat(QImage::Format_ARGB32),
             icon);

    showAbout();
    const QImage shown = AboutBox->Panel1->grab().toImage();
    const QColor face = AboutBox->Panel1->palette().color(QPalette::Window);
    int transparent = 0, opaque = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QColor expected = qAlpha(icon.pixel(x, y)) == 0 ? face : QColor(icon.pixel(x, y));
            (qAlpha(icon.pixel(x, y)) == 0 ? transparent : opaque)++;
            QCOMPARE(shown.pixelColor(QPoint(8 + x, 8 + y)).rgb(), expected.rgb());
        }
    }
    QVERIFY(transparent > 0 && opaque > 0);
}

void AboutBoxTest::hintsAndCursors_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<Qt::CursorShape>("cursor");
    const QString panel = QStringLiteral("Quit touching me!");
    QTest::newRow("panel") << "Panel1" << panel << Qt::PointingHandCursor;
    QTest::newRow("product name") << "ProductName" << panel << Qt::PointingHandCursor;
    QTest::newRow("comments") << "Comments" << panel << Qt::PointingHandCursor;
    QTest::newRow("icon") << "ProgramIcon"
                          << "Double click to save this" << Qt::WhatsThisCursor;
}

void AboutBoxTest::hintsAndCursors()
{
    QFETCH(QString, name);
    QFETCH(QString, hint);
    QFETCH(Qt::CursorShape, cursor);
    showAbout();
    auto* widget = AboutBox->findChild<QWidget*>(name);
    QCOMPARE(widget->cursor().shape(), cursor);

    const QPoint inside(3, 3);
    QHelpEvent request(QEvent::ToolTip, inside, widget->mapToGlobal(inside));
    QApplication::sendEvent(widget, &request);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), hint);
}

void AboutBoxTest::enterPressesOK_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Return") << Qt::Key_Return;
    QTest::newRow("Enter") << Qt::Key_Enter;
}

void AboutBoxTest::enterPressesOK()
{
    QFETCH(Qt::Key, key);
    showAbout();
    QTest::keyClick(QApplication::focusWidget(), key);
    QVERIFY(Form1->isEnabled());
    QVERIFY(!AboutBox->isVisible());
    QTRY_COMPARE(QApplication::activeWindow(), Form1);

    // Also with the focus on the panel rather than the button.
    showAbout();
    AboutBox->Panel1->setFocusPolicy(Qt::StrongFocus);
    AboutBox->Panel1->setFocus();
    QTest::keyClick(AboutBox->Panel1, key);
    QVERIFY(Form1->isEnabled());
    QVERIFY(!AboutBox->isVisible());
}

void AboutBoxTest::escapeDoesNothing()
{
    showAbout();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(AboutBox->isVisible());
    QVERIFY(!Form1->isEnabled());
}

void AboutBoxTest::closeRequestCountsAsOK()
{
    showAbout();
    QCloseEvent request;
    QApplication::sendEvent(AboutBox, &request);
    QVERIFY(!AboutBox->isVisible());
    QVERIFY(Form1->isEnabled());
    // Hidden, not gone: the next About shows it again.
    showAbout();
}

void AboutBoxTest::centredOnlyTheFirstTime()
{
    showAbout();
    const QRect screen = Form1->screen()->geometry();
    const QSize outer = AboutBox->frameGeometry().size();
    QCOMPARE(AboutBox->frameGeometry().topLeft(),
             screen.topLeft() + QPoint((screen.width() - outer.width()) / 2,
                                       (screen.height() - outer.height()) / 2));
    const QPoint centred = AboutBox->pos();
    QTest::mouseClick(AboutBox->OKButton, Qt::LeftButton);

    showAbout();
    QCOMPARE(AboutBox->pos(), centred);
    // Dragged away by the user, then hidden there: it comes back there.
    const QPoint dragged = centred + QPoint(-90, 57);
    AboutBox->move(dragged);
    QTest::mouseClick(AboutBox->OKButton, Qt::LeftButton);
    QVERIFY(Form1->isEnabled());

    showAbout();
    QCOMPARE(AboutBox->pos(), dragged);
    QTest::keyClick(AboutBox, Qt::Key_Return);
    QVERIFY(Form1->isEnabled());
}

void AboutBoxTest::exportedIconIsTheProgramIcon()
{
    // What was there is replaced, whatever the extension.
    const QString path = inDir("exported.png");
    QVERIFY(writeFile(path, QByteArray(2000, 'x')));
    dialog->accept(path, 2);
    showAbout();
    AboutBox->ProgramIconDblClick(AboutBox->ProgramIcon);

    const QByteArray ico = contents(path);
    QCOMPARE(ico, programIconBytes());
    QCOMPARE(boxes->shown.size(), 0);
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{"exported.png"});

    // Directory entry, bitmap header and palette, as the icon format has them.
    QByteArray expected;
    QDataStream out(&expected, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(1);                  // an icon, one image
    out << quint8(32) << quint8(32) << quint8(16) << quint8(0);     // 32 x 32, 16 colours
    out << quint16(0) << quint16(0) << quint32(744) << quint32(22); // planes, bits, data
    out << quint32(40) << qint32(32) << qint32(64) << quint16(1)
        << quint16(4); // mask below the bitmap
    out << quint32(0) << quint32(512) << quint32(0) << quint32(0) << quint32(0) << quint32(0);
    for (QRgb colour :
         {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
          0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF})
        out << quint8(qBlue(colour)) << quint8(qGreen(colour)) << quint8(qRed(colour)) << quint8(0);
    QCOMPARE(ico.size(), 766);
    QCOMPARE(ico.left(126).toHex(' '), expected.toHex(' '));
}

void AboutBoxTest::iconDialogProposals()
{
    showAbout();
    dialog->cancel();
    AboutBox->ProgramIconDblClick(AboutBox->ProgramIcon);
    dialog->accept(inDir("first.ico"), 2);
    AboutBox->ProgramIconDblClick(AboutBox->ProgramIcon);
    dialog->accept(inDir("second.ico"));
    AboutBox->ProgramIconDblClick(AboutBox->ProgramIcon);
    QVERIFY(dialog->allAnswersUsed());

    const QList<SaveDialogSettings>& runs = dialog->runs();
    QCOMPARE(runs.size(), 3);
    const SaveDialogSettings& first = runs[0];
    QCOMPARE(first.title, QStringLiteral("Save Vormo Weapon icon as..."));
    QStringList filters;
    for (const FileTypeFilter& filter : first.filters)
        filters << filter.name + u' ' + filter.pattern;
    QCOMPARE(filters, (QStringList{"Icon Files *.ico", "All Files *.*"}));
    QCOMPARE(first.defaultExt, QStringLiteral("ico"));
    QCOMPARE(first.initialDir, QStringLiteral("."));
    QVERIFY(first.confirmOverwrite);
    QVERIFY(first.confirmCreate);
    // Proposed: the default name, again after a cancel, then the path chosen last.
    QCOMPARE(first.fileName, QStringLiteral("VormoWeapon.ico"));
    QCOMPARE(first.filterIndex, 1);
    QCOMPARE(runs[1].fileName, QStringLiteral("VormoWeapon.ico"));
    QCOMPARE(runs[1].filterIndex, 1);
    QCOMPARE(runs[2].fileName, inDir("first.ico"));
    QCOMPARE(runs[2].filterIndex, 2);
    QCOMPARE(AboutBox->IconSaveDlg->FileName(), inDir("second.ico"));

    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), (QStringList{"first.ico", "second.ico"}));
    QVERIFY(AboutBox->isVisible());
    QVERIFY(!Form1->isEnabled());
}

void AboutBoxTest::doubleClickWithTheLeftButtonOnly()
{
    showAbout();
    QTest::mouseClick(AboutBox->ProgramIcon, Qt::LeftButton);
    QTest::mouseDClick(AboutBox->ProgramIcon, Qt::RightButton);
    QTest::mouseDClick(AboutBox->Version, Qt::LeftButton);
    QCOMPARE(dialog->runs().size(), 0);

    dialog->accept(inDir("clicked.ico"));
    QTest::mouseDClick(AboutBox->ProgramIcon, Qt::LeftButton);
    QCOMPARE(dialog->runs().size(), 1);
    QCOMPARE(contents(inDir("clicked.ico")), programIconBytes());
    QCOMPARE(boxes->shown.size(), 0);
}

void AboutBoxTest::exportFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("shortWrite");
    QTest::addColumn<QString>("message"); // %1: the full path
    QTest::newRow("folder missing") << "missing/icon.ico" << false << "Cannot create file %1.";
    QTest::newRow("a folder") << "folder" << false << "Cannot create file %1.";
    QTest::newRow("write stops short") << "old.ico" << true << "Stream write error.";
}

void AboutBoxTest::exportFailures()
{
    QFETCH(QString, name);
    QFETCH(bool, shortWrite);
    QFETCH(QString, message);
    QVERIFY(QDir(dir->path()).mkdir("folder"));
    const QByteArray old("an icon that was there before");
    QVERIFY(writeFile(inDir("old.ico"), old));
    if (shortWrite) {
        setChunkWriter([](QIODevice& file, const char* data, qint64 size) {
            return file.write(data, size - 1);
        });
    }
    const QString path = inDir(name);
    showAbout();
    dialog->accept(path);
    QTest::mouseDClick(AboutBox->ProgramIcon, Qt::LeftButton);

    QCOMPARE(boxes->shown.size(), 1);
    QCOMPARE(boxes->shown.first().text, message.replace(QStringLiteral("%1"), path));
    QCOMPARE(boxes->shown.first().caption, QStringLiteral("Vormo Weapon Plugin Maker"));
    QCOMPARE(boxes->shown.first().icon, MessageBoxRequest::Icon::Critical);
    QVERIFY(AboutBox->isVisible());
    QVERIFY(!Form1->isEnabled());
    // Nothing torn, nothing left behind, and what was there is still whole.
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
             (QStringList{"folder", "old.ico"}));
    QCOMPARE(contents(inDir("old.ico")), old);

    // The about box goes on working.
    setChunkWriter(nullptr);
    dialog->accept(inDir("good.ico"));
    QTest::mouseDClick(AboutBox->ProgramIcon, Qt::LeftButton);
    QCOMPARE(contents(inDir("good.ico")), programIconBytes());
    QTest::mouseClick(AboutBox->OKButton, Qt::LeftButton);
    QVERIFY(Form1->isEnabled());
}

QTEST_MAIN(AboutBoxTest)
#include "tst_about_box.moc"
