// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The editor window's fields as a player meets them: what one shows, and input by keys and
// mouse clicks.

#include "Controls.h"

#include <QAbstractItemView>
#include <QTest>

namespace vormo::test {

// "text on", "[x] off", a label's "hint on" or "nohint off": the value and enabled state.
inline QString stateOf(const QWidget* control)
{
    QString value;
    if (auto* edit = qobject_cast<const QLineEdit*>(control))
        value = edit->text();
    else if (auto* combo = qobject_cast<const QComboBox*>(control))
        value = combo->currentText();
    else if (auto* box = qobject_cast<const QCheckBox*>(control))
        value = box->isChecked() ? u"[x]"_qs : u"[ ]"_qs;
    else
        value = static_cast<const HintLabel*>(control)->showHint() ? u"hint"_qs : u"nohint"_qs;
    return value + (control->isEnabled() ? u" on"_qs : u" off"_qs);
}

// The states of the window's named controls, joined by "; ".
inline QString statesOf(const QWidget& window, const QStringList& names)
{
    QStringList states;
    for (const QString& name : names)
        states << stateOf(window.findChild<QWidget*>(name));
    return states.join(u"; ");
}

// Replaces the field's whole text by typing.
inline void typeInto(QWidget* field, const QString& text)
{
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

// Opens the combo box's list and clicks the item; false if the list never opened or closed.
inline bool pickItem(QComboBox* combo, const QString& item)
{
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    if (!QTest::qWaitFor([view] { return view->isVisible(); }))
        return false;
    const QModelIndex index = view->model()->index(combo->findText(item), 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    return QTest::qWaitFor([view] { return !view->isVisible(); });
}

} // namespace vormo::test
