// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The yardstick for the editor's start-up: a plain Qt program that shows one window with the
// editor's widget mix at the editor's places, written as anyone would, with no subclasses, no
// fitted font, icon, cursor or window services. It runs until its window is closed.

#include "FieldTable.h"
#include "ItemLists.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace {

QRect place(const vormo::Rect& r) { return QRect(r.left, r.top, r.width, r.height); }

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Plain"));
    window.setFixedSize(528, 350);
    for (const vormo::FieldDef& def : vormo::fields()) {
        QWidget* control = nullptr;
        switch (def.kind) {
        case vormo::FieldKind::Edit:
            control = new QLineEdit(QString::fromStdU16String(def.defaultString()), &window);
            break;
        case vormo::FieldKind::Combo: {
            auto* combo = new QComboBox(&window);
            combo->setEditable(true);
            for (const std::u16string& item : vormo::itemList(def.items))
                combo->addItem(QString::fromStdU16String(item));
            control = combo;
            break;
        }
        case vormo::FieldKind::Check:
            control = new QCheckBox(&window);
            break;
        }
        control->setGeometry(place(def.geometry));
    }
    for (const vormo::LabelDef& def : vormo::labels()) {
        auto* label = new QLabel(QLatin1StringView(def.caption), &window);
        label->setGeometry(place(def.geometry));
        label->setToolTip(QLatin1StringView(def.hint));
    }
    auto* outer = new QFrame(&window);
    outer->setGeometry(400, 120, 121, 225);
    auto* inner = new QFrame(outer);
    inner->setGeometry(32, 8, 65, 209);
    for (int i = 0; i < 4; ++i)
        (new QPushButton(QStringLiteral("Button"), inner))->setGeometry(8, 8 + 48 * i, 49, 49);
    auto* menu = new QMenu(&window);
    for (int i = 0; i < 4; ++i)
        menu->addAction(QStringLiteral("&Item"));
    window.show();
    return QApplication::exec();
}
