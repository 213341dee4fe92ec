// The editor window as built: the rules its layout keeps (labels beside their fields, nothing
// overlapping, everything inside the client area, the tab chain in field order), a few places
// and states picked by hand from the design, and the window's own properties.

#include "EditorFont.h"
#include "FieldTable.h"
#include "ItemLists.h"
#include "TForm1.h"
#include "WindowPlacement.h"

#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTest>

#include <memory>

using namespace vormo;

namespace {

QRect inForm(const QWidget* widget, const QWidget* form)
{
    return QRect(widget->mapTo(form, QPoint(0, 0)), widget->size());
}

} // namespace

class EditorLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void init() { form = std::make_unique<TForm1>(); }
    void cleanup() { form.reset(); }

    void fieldsStandWhereTheTableSays();
    void labelsStandBesideTheirFields();
    void nothingOverlapsButNeighbouringButtons();
    void everythingInsideTheClientArea();
    void tabChainFollowsTheTable();
    void handPickedFields_data();
    void handPickedFields();
    void handPickedLabels_data();
    void handPickedLabels();
    void buttonPanel();
    void hiddenDocumentNeverShows();
    void popupMenuItems();
    void comboBoxesAreEditableDropDowns();
    void windowProperties();
    void cursors();
    void fieldsAreNamedByTheirLabels_data();
    void fieldsAreNamedByTheirLabels();
    void centredOnceWhenFirstShown();
    void centringFormula_data();
    void centringFormula();

private:
    QWidget* control(const char* name) const
    {
        return form->findChild<QWidget*>(QLatin1StringView(name));
    }
    std::unique_ptr<TForm1> form;
};

void EditorLayoutTest::fieldsStandWhereTheTableSays()
{
    for (const FieldDef& def : fields()) {
        QWidget* widget = control(def.name);
        QVERIFY2(widget, def.name);
        QCOMPARE(widget->parentWidget(), form.get());
        QCOMPARE(widget->geometry(), def.geometry);
        QCOMPARE(widget->isEnabled(), def.enabledAtStart);
    }
}

void EditorLayoutTest::labelsStandBesideTheirFields()
{
    const QList<int> columnX{0, 136, 272, 400};
    for (const LabelDef& def : labels()) {
        auto* label = form->findChild<HintLabel*>(QLatin1StringView(def.name));
        QVERIFY2(label, def.name);
        QWidget* field = control(def.field);
        QCOMPARE(label->y(), field->y());
        QCOMPARE(label->height(), 13);
        QVERIFY2(label->x() < field->x(), def.name);
        // The bullet switch row alone strings three labels along one row.
        if (field != form->BulletBox)
            QVERIFY2(columnX.contains(label->x()), def.name);
        QCOMPARE(label->text(), QLatin1StringView(def.caption));
        QCOMPARE(label->buddy(), field);
    }
}

void EditorLayoutTest::nothingOverlapsButNeighbouringButtons()
{
    QList<QWidget*> onForm;
    for (QWidget* child : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isHidden() && !child->isWindow())
            onForm.append(child);
    }
    QCOMPARE(onForm.size(), kFieldCount + kLabelCount + 1); // and Panel4
    // The design stacks LoopAnim's bottom row of pixels under the top row of BulletBox.
    const QSet<QWidget*> sharingOneRow{form->LoopAnim, form->BulletBox};
    for (int i = 0; i < onForm.size(); ++i) {
        for (int j = i + 1; j < onForm.size(); ++j) {
            const QRect shared = onForm[i]->geometry() & onForm[j]->geometry();
            if (sharingOneRow.contains(onForm[i]) && sharingOneRow.contains(onForm[j])) {
                QCOMPARE(shared, QRect(504, 96, 17, 1));
                continue;
            }
            QVERIFY2(shared.isEmpty(),
                     qPrintable(onForm[i]->objectName() + QStringLiteral(" overlaps ") +
                                onForm[j]->objectName()));
        }
    }

    const QList<QPushButton*> buttons{form->NewBtn, form->SaveBtn, form->SaveAsBtn, form->QuitBtn};
    for (int i = 0; i < buttons.size(); ++i) {
        for (int j = i + 1; j < buttons.size(); ++j) {
            const QRect shared = buttons[i]->geometry() & buttons[j]->geometry();
            if (j == i + 1)
                QCOMPARE(shared.size(), QSize(49, 1));
            else
                QVERIFY(shared.isEmpty());
        }
    }
}

void EditorLayoutTest::everythingInsideTheClientArea()
{
    const QRect client(0, 0, 528, 350);
    for (QWidget* widget : form->findChildren<QWidget*>()) {
        if (widget->window() != form.get() || widget->isHidden())
            continue; // the combo boxes' lists are windows of their own
        QVERIFY2(client.contains(inForm(widget, form.get())), qPrintable(widget->objectName()));
    }
}

void EditorLayoutTest::tabChainFollowsTheTable()
{
    QList<QWidget*> expected;
    for (const FieldDef& def : fields())
        expected.append(control(def.name));
    expected << form->NewBtn << form->SaveBtn << form->SaveAsBtn << form->QuitBtn;

    QList<QWidget*> chain;
    QWidget* widget = form->Name;
    do {
        if (expected.contains(widget))
            chain.append(widget);
        QVERIFY2(widget != form->WeaponDoc || widget->focusPolicy() == Qt::NoFocus, "WeaponDoc");
        widget = widget->nextInFocusChain();
    } while (widget != form->Name);
    QCOMPARE(chain, expected);
}

void EditorLayoutTest::handPickedFields_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("value"); // text, or "checked" / "unchecked"

    QTest::newRow("Name") << "Name" << QRect(48, 8, 81, 21) << true << "NAME";
    QTest::newRow("MultAcc") << "MultAcc" << QRect(48, 128, 81, 21) << true << "100";
    QTest::newRow("LoadTime") << "LoadTime" << QRect(184, 200, 81, 21) << true << "500";
    QTest::newRow("DropShells") << "DropShells" << QRect(184, 296, 81, 21) << true << "0:Never";
    QTest::newRow("HitObjs") << "HitObjs" << QRect(249, 104, 16, 17) << true << "unchecked";
    QTest::newRow("SplinterType") << "SplinterType" << QRect(312, 80, 81, 21) << false << "0:None";
    QTest::newRow("Scatter") << "Scatter" << QRect(376, 104, 17, 17) << false << "checked";
    QTest::newRow("TrailDelay") << "TrailDelay" << QRect(312, 152, 81, 21) << false << "1";
    QTest::newRow("FirstFrame") << "FirstFrame" << QRect(440, 32, 81, 21) << false << "-1";
    QTest::newRow("LoopAnim") << "LoopAnim" << QRect(504, 80, 17, 17) << false << "unchecked";
    QTest::newRow("BulletBox") << "BulletBox" << QRect(504, 96, 17, 17) << true << "checked";
    QTest::newRow("BulletType") << "BulletType" << QRect(312, 320, 81, 21) << true << "0:Normal";
}

void EditorLayoutTest::handPickedFields()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(bool, enabled);
    QFETCH(QString, value);

    QWidget* widget = control(qPrintable(name));
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), geometry);
    QCOMPARE(widget->isEnabled(), enabled);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        QCOMPARE(edit->text(), value);
    else if (auto* combo = qobject_cast<QComboBox*>(widget))
        QCOMPARE(combo->currentText(), value);
    else
        QCOMPARE(qobject_cast<QCheckBox*>(widget)->isChecked(), value == u"checked");
}

void EditorLayoutTest::handPickedLabels_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("hintShown");
    QTest::addColumn<QString>("hint");

    QTest::newRow("Label1") << "Label1"
                            << "Name" << QPoint(0, 8) << true << true << "Weapon name";
    QTest::newRow("Label9")
        << "Label9"
        << "* Bnce" << QPoint(0, 200) << true << true
        << "Ratio speed is multiplied by  when it hits dirt (In new direction) (>=0)";
    QTest::newRow("Label44") << "Label44"
                             << "Splinters" << QPoint(272, 32) << true << true
                             << "Number of 'splinter' particles released on explosion (Set at 0 "
                                "if not using splinters, or side-effects!)";
    QTest::newRow("Label45") << "Label45"
                             << "Color" << QPoint(272, 56) << false << false
                             << "Color of splinter particles (From palette)";
    QTest::newRow("Label31") << "Label31"
                             << "Scatter" << QPoint(272, 104) << false << false
                             << "When checked, splinters scatter randomly; otherwise, splinters "
                                "travel in the direction the weapon was headed with small velocity";
    QTest::newRow("Label33") << "Label33"
                             << "Delay" << QPoint(272, 152) << false << true
                             << "Time between explosions";
    QTest::newRow("Label35") << "Label35"
                             << "Larpa-style Trail" << QPoint(272, 224) << false << true
                             << "When unchecked, trailing particles are thrown at random angles, "
                                "rather than a neat, 'Larpa'-style trail";
    QTest::newRow("Label47") << "Label47"
                             << "Delay" << QPoint(272, 200) << false << true
                             << "Time between particle drops";
    QTest::newRow("Label43") << "Label43"
                             << "Loop Anim" << QPoint(400, 80) << false << false
                             << "Loop animation after a complete cycle";
    QTest::newRow("Label46") << "Label46"
                             << "Pixel" << QPoint(400, 96) << true << true
                             << "Bullet is represented by a colored pixel";
    QTest::newRow("Label48") << "Label48"
                             << "or" << QPoint(432, 96) << true << false << "";
    QTest::newRow("Label49") << "Label49"
                             << "image" << QPoint(448, 96) << false << true
                             << "Bullet is represented by a bitmap from the .chr file";
}

void EditorLayoutTest::handPickedLabels()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QPoint, position);
    QFETCH(bool, enabled);
    QFETCH(bool, hintShown);
    QFETCH(QString, hint);

    auto* label = form->findChild<HintLabel*>(name);
    QVERIFY(label);
    QCOMPARE(label->text(), caption);
    QCOMPARE(label->pos(), position);
    QCOMPARE(label->isEnabled(), enabled);
    QCOMPARE(label->showHint(), hintShown);
    QCOMPARE(label->hint(), hint);
    QCOMPARE(label->font().bold(), name == u"Label48");
}

void EditorLayoutTest::buttonPanel()
{
    QCOMPARE(form->Panel4->geometry(), QRect(400, 120, 121, 225));
    QCOMPARE(inForm(form->Panel5, form.get()), QRect(432, 128, 65, 209));
    for (QFrame* panel : {form->Panel4, form->Panel5}) {
        QCOMPARE(panel->frameShape(), QFrame::Panel);
        QCOMPARE(panel->frameShadow(), QFrame::Raised);
        QCOMPARE(panel->lineWidth(), 1);
    }
    const struct {
        QPushButton* button;
        const char* caption;
        QPoint position;
    } expected[] = {{form->NewBtn, "New", {440, 136}},
                    {form->SaveBtn, "Save", {440, 184}},
                    {form->SaveAsBtn, "Save As", {440, 232}},
                    {form->QuitBtn, "Quit", {440, 280}}};
    for (const auto& [button, caption, position] : expected) {
        QCOMPARE(button->parentWidget(), form->Panel5);
        QCOMPARE(button->text(), QLatin1StringView(caption));
        QCOMPARE(inForm(button, form.get()), QRect(position, QSize(49, 49)));
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
    }
}

void EditorLayoutTest::hiddenDocumentNeverShows()
{
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QCOMPARE(form->WeaponDoc->geometry(), QRect(496, 304, 25, 25));
    QVERIFY(!form->WeaponDoc->isVisible());
    QCOMPARE(form->WeaponDoc->focusPolicy(), Qt::NoFocus);
}

void EditorLayoutTest::popupMenuItems()
{
    const QList<QAction*> items = form->PopupMenu1->actions();
    QCOMPARE(items, (QList<QAction*>{form->New1, form->Save1, form->Quit1, form->About1}));
    QStringList texts;
    for (QAction* item : items) {
        texts.append(item->text());
        QVERIFY(item->shortcut().isEmpty());
    }
    QCOMPARE(texts, (QStringList{"&New", "&Save", "&Quit", "&About"}));
    QVERIFY(form->contextMenuPolicy() != Qt::ActionsContextMenu);
}

void EditorLayoutTest::comboBoxesAreEditableDropDowns()
{
    for (const FieldDef& def : fields()) {
        if (def.kind != FieldKind::Combo)
            continue;
        auto* combo = qobject_cast<QComboBox*>(control(def.name));
        QVERIFY2(combo, def.name);
        QVERIFY(combo->isEditable());
        QCOMPARE(combo->maxVisibleItems(), 8);
        QVERIFY(!combo->completer());
        QCOMPARE(combo->insertPolicy(), QComboBox::NoInsert);
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items.append(combo->itemText(i));
        QCOMPARE(items, itemList(def.items));
    }
}

void EditorLayoutTest::windowProperties()
{
    QCOMPARE(form->objectName(), QStringLiteral("Form1"));
    QCOMPARE(form->windowTitle(), QStringLiteral("Vormo Weapon Editor"));
    const Qt::WindowFlags flags = form->windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(flags & Qt::CustomizeWindowHint);
    QVERIFY(!(flags & (Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                       Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(form->minimumSize(), QSize(528, 350));
    QCOMPARE(form->maximumSize(), QSize(528, 350));
    QCOMPARE(QFontInfo(form->font()).pixelSize(), 11);
    QCOMPARE(form->font().families().value(0), QStringLiteral("MS Sans Serif"));
    QVERIFY(captionsFit(form->font()));
    QVERIFY(!form->windowIcon().isNull());
    QVERIFY(form->windowIcon().availableSizes().contains(QSize(32, 32)));
    QCOMPARE(form->palette().color(QPalette::Window), form->palette().color(QPalette::Button));
    QVERIFY(form->autoFillBackground());
}

void EditorLayoutTest::cursors()
{
    QCOMPARE(form->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(form->cursor().hotSpot(), QPoint(0, 0));
    QVERIFY(!form->cursor().pixmap().isNull());
    // Labels show the window's cursor; the controls keep their usual ones.
    QCOMPARE(form->Label1->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(form->Label49->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(form->Name->cursor().shape(), Qt::IBeamCursor);
    QCOMPARE(form->DetType->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(form->DetType->lineEdit()->cursor().shape(), Qt::IBeamCursor);
    QCOMPARE(form->RemOnHit->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(form->Panel4->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(form->QuitBtn->cursor().shape(), Qt::ArrowCursor);
}

void EditorLayoutTest::fieldsAreNamedByTheirLabels_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("accessibleName");
    QTest::newRow("edit box") << "Name"
                              << "Name";
    QTest::newRow("combo box") << "DetType"
                               << "DetTyp";
    QTest::newRow("check box") << "HitObjs"
                               << "Collide with other shots";
    QTest::newRow("label on another row") << "SplintCount"
                                          << "Splinters";
    QTest::newRow("three labels") << "BulletBox"
                                  << "Pixel or image";
}

void EditorLayoutTest::fieldsAreNamedByTheirLabels()
{
    QFETCH(QString, field);
    QFETCH(QString, accessibleName);
    QWidget* widget = control(qPrintable(field));
    QCOMPARE(widget->accessibleName(), accessibleName);
    if (auto* check = qobject_cast<QCheckBox*>(widget))
        QVERIFY(check->text().isEmpty());
}

void EditorLayoutTest::centredOnceWhenFirstShown()
{
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    const QRect desktop = form->screen()->virtualGeometry();
    QCOMPARE(form->frameGeometry().topLeft(),
             centredOnDesktop(desktop, form->frameGeometry().size()));

    form->move(10, 20);
    form->hide();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QCOMPARE(form->pos(), QPoint(10, 20));
}

void EditorLayoutTest::centringFormula_data()
{
    QTest::addColumn<QRect>("desktop");
    QTest::addColumn<QSize>("outer");
    QTest::addColumn<QPoint>("position");
    QTest::newRow("even") << QRect(0, 0, 1024, 768) << QSize(534, 376) << QPoint(245, 196);
    QTest::newRow("odd room truncated")
        << QRect(0, 0, 1025, 769) << QSize(528, 350) << QPoint(248, 209);
    QTest::newRow("too small") << QRect(0, 0, 500, 300) << QSize(534, 376) << QPoint(0, 0);
    QTest::newRow("desktop left of the primary screen")
        << QRect(-1280, 0, 3200, 1200) << QSize(528, 350) << QPoint(56, 425);
}

void EditorLayoutTest::centringFormula()
{
    QFETCH(QRect, desktop);
    QFETCH(QSize, outer);
    QFETCH(QPoint, position);
    QCOMPARE(centredOnDesktop(desktop, outer), position);
}

QTEST_MAIN(EditorLayoutTest)
#include "tst_editor_layout.moc"
