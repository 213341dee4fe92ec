// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The editor window as built: the rules its layout keeps (labels beside their fields, nothing
// overlapping, everything inside the client area, the tab chain in field order), a few places
// and states picked by hand from the design, and the window's own properties.

#include "FieldTable.h"
#include "TForm1.h"
#include "support/EditorFields.h"

#include <memory>

using namespace vormo;

class EditorLayoutTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TForm1> form;
    QWidget* control(const char* name) const
    {
        return form->findChild<QWidget*>(QLatin1StringView(name));
    }
    QRect inForm(const QWidget* widget) const
    {
        return QRect(widget->mapTo(form.get(), QPoint(0, 0)), widget->size());
    }

private slots:
    void init() { form = std::make_unique<TForm1>(); }
    void cleanup() { form.reset(); }

    void labelsStandBesideTheirFields()
    {
        for (const LabelDef& def : labels()) {
            QWidget* label = control(def.name);
            QWidget* field = control(def.field);
            QCOMPARE(label->y(), field->y());
            QVERIFY2(label->x() < field->x(), def.name);
            // The bullet switch row alone strings three labels along one row.
            if (field != form->BulletBox)
                QVERIFY2(QList<int>({0, 136, 272, 400}).contains(label->x()), def.name);
        }
    }

    void allInsideAndNothingOverlapsButNeighbours()
    {
        QList<QWidget*> shown{form->NewBtn, form->SaveBtn, form->SaveAsBtn, form->QuitBtn};
        for (QWidget* child : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!child->isHidden() && !child->isWindow())
                shown.append(child);
        }
        QCOMPARE(shown.size(), 4 + kFieldCount + kLabelCount + 1); // and Panel4
        for (int i = 0; i < shown.size(); ++i) {
            QVERIFY2(QRect(0, 0, 528, 350).contains(inForm(shown[i])),
                     qPrintable(shown[i]->objectName()));
            for (int j = i + 1; j < shown.size(); ++j) {
                QWidget *a = shown[i], *b = shown[j];
                if (a->isAncestorOf(b) || b->isAncestorOf(a))
                    continue;
                // The buttons stand one above the other sharing a row of pixels, and so do
                // LoopAnim and BulletBox.
                const bool neighbours =
                    QSet<QWidget*>{a, b} == QSet<QWidget*>{form->LoopAnim, form->BulletBox} ||
                    (j < 4 && qAbs(a->y() - b->y()) == 48);
                QVERIFY2((inForm(a) & inForm(b)).height() == int(neighbours),
                         qPrintable(a->objectName() + u" overlaps "_qs + b->objectName()));
            }
        }
    }

    void tabChainFollowsTheTable()
    {
        QList<QWidget*> expected;
        for (const FieldDef& def : fields())
            expected.append(control(def.name));
        expected << form->NewBtn << form->SaveBtn << form->SaveAsBtn << form->QuitBtn;
        QList<QWidget*> chain{form->Name};
        for (QWidget* w = form->Name->nextInFocusChain(); w != form->Name;
             w = w->nextInFocusChain()) {
            if (expected.contains(w))
                chain.append(w);
        }
        QCOMPARE(chain, expected);
    }

    void handPicked_data()
    {
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<QString>("state");
        QTest::newRow("Name") << QPoint(48, 8) << u"NAME on"_qs;
        QTest::newRow("SplinterType") << QPoint(312, 80) << u"0:None off"_qs;
        QTest::newRow("Scatter") << QPoint(376, 104) << u"[x] off"_qs;
        QTest::newRow("BulletBox") << QPoint(504, 96) << u"[x] on"_qs;
        QTest::newRow("Label45") << QPoint(272, 56) << u"nohint off"_qs;
        QTest::newRow("Label33") << QPoint(272, 152) << u"hint off"_qs;
    }

    void handPicked()
    {
        QFETCH(QPoint, position);
        QFETCH(QString, state);
        QCOMPARE(control(QTest::currentDataTag())->pos(), position);
        QCOMPARE(test::stateOf(control(QTest::currentDataTag())), state);
    }

    void windowProperties()
    {
        QCOMPARE(form->windowTitle(), u"Vormo Weapon Editor");
        QCOMPARE(form->minimumSize(), QSize(528, 350));
        QCOMPARE(form->maximumSize(), QSize(528, 350));
        // A tool window without caption buttons.
        QCOMPARE(form->windowFlags() & (Qt::WindowType_Mask | Qt::WindowSystemMenuHint |
                                        Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint),
                 Qt::Tool);
    }
};

QTEST_MAIN(EditorLayoutTest)
#include "tst_editor_layout.moc"
