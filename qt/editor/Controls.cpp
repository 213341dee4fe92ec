// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Controls.h"

#include "ToolTips.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QToolTip>

#include <algorithm>
#include <limits>
#include <utility>

namespace vormo {
namespace {

qsizetype firstLineBreak(QStringView text)
{
    const auto it =
        std::find_if(text.begin(), text.end(), [](QChar c) { return c == u'\n' || c == u'\r'; });
    return it == text.end() ? -1 : it - text.begin();
}

qsizetype commonPrefix(QStringView a, QStringView b, qsizetype limit)
{
    qsizetype n = 0;
    while (n < limit && a[n] == b[n])
        ++n;
    return n;
}

qsizetype commonSuffix(QStringView a, QStringView b, qsizetype limit)
{
    qsizetype n = 0;
    while (n < limit && a[a.size() - 1 - n] == b[b.size() - 1 - n])
        ++n;
    return n;
}

// Qt's line edit stops at 32767 characters; a field has no limit of its own.
constexpr int kNoLengthLimit = std::numeric_limits<int>::max();

} // namespace

QValidator::State LineBreakFilter::validate(QString& input, int& pos) const
{
    if (firstLineBreak(input) >= 0) {
        // The inserted text ends at the cursor, and what stands around it was there before,
        // so it holds no line break.
        const qsizetype cursor = std::clamp<qsizetype>(pos, 0, input.size());
        const QString& before = accepted_;
        const qsizetype suffix =
            commonSuffix(input, before, std::min(input.size() - cursor, before.size()));
        const qsizetype prefix =
            commonPrefix(input, before, std::min(input.size(), before.size()) - suffix);
        QString inserted = input.mid(prefix, input.size() - prefix - suffix);
        if (const qsizetype cut = firstLineBreak(inserted); cut >= 0)
            inserted.truncate(cut);
        input = input.left(prefix) + inserted + input.right(suffix);
        pos = static_cast<int>(prefix + inserted.size());
        if (const qsizetype cut = firstLineBreak(input); cut >= 0) {
            input.truncate(cut);
            pos = std::min(pos, static_cast<int>(cut));
        }
    }
    accepted_ = input;
    return Acceptable;
}

EditBox::EditBox(QWidget* parent) : QLineEdit(parent)
{
    setMaxLength(kNoLengthLimit);
    setValidator(new LineBreakFilter(this));
}

void EditBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // Entering the field any way but by a left click (Tab, a shortcut, being handed the focus,
    // another mouse button) selects the whole text, so that typing replaces it.
    switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:
        selectAll();
        break;
    case Qt::MouseFocusReason:
        focusedByPress_ = true;
        break;
    default:
        break;
    }
}

void EditBox::focusOutEvent(QFocusEvent* event)
{
    focusedByPress_ = false;
    QLineEdit::focusOutEvent(event);
}

void EditBox::mousePressEvent(QMouseEvent* event)
{
    // Only a left click places the cursor. Focus brought by any other button selects the whole
    // text, and that press and its release do nothing else: a middle release would paste over
    // the selection.
    if (std::exchange(focusedByPress_, false) && event->button() != Qt::LeftButton) {
        selectAll();
        swallowedRelease_ = event->button();
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void EditBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == swallowedRelease_) {
        swallowedRelease_ = Qt::NoButton;
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent)
{
    // Editable as setEditable() makes it, except that Qt builds its default completer only for
    // a line edit that has none: a stand-in spares building one just to throw it away, which
    // cost a third of the window's construction.
    auto* edit = new QLineEdit(this);
    edit->setPalette(palette());
    edit->setCompleter(new QCompleter(edit));
    setLineEdit(edit);
    // Qt's defaults would complete case-insensitively and add typed texts to the list; a
    // plugin must get exactly what was typed.
    setCompleter(nullptr); // deletes the stand-in too
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(8);
    lineEdit()->setMaxLength(kNoLengthLimit);
    setValidator(new LineBreakFilter(this));
    setCursor(Qt::ArrowCursor);
    // A text set from outside (a plugin opened, New) leaves the cursor at its end, and the line
    // edit scrolls there.
    connect(this, &QComboBox::editTextChanged, this, [this] {
        if (!hasFocus())
            showStart();
    });
    // A picked item is selected whole, as typing replaces it, with its start in view.
    connect(this, &QComboBox::activated, this, [this] {
        const int length = static_cast<int>(currentText().size());
        lineEdit()->setSelection(length, -length);
    });
    view()->setTextElideMode(Qt::ElideNone);
}

void ComboBox::showStart() { lineEdit()->setCursorPosition(0); }

void ComboBox::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    // Opening the list takes no focus from the box.
    if (event->reason() != Qt::PopupFocusReason)
        showStart();
}

void ComboBox::showPopup()
{
    // As wide as the widest item, with room for the scroll bar a long list gets.
    const int items = view()->sizeHintForColumn(0) + 2 * view()->frameWidth();
    const int scrollBar =
        count() > maxVisibleItems() ? view()->style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    view()->setMinimumWidth(std::max(width(), items + scrollBar));
    QComboBox::showPopup();
}

HintLabel::HintLabel(QWidget* parent) : QLabel(parent) { setToolTipDuration(kToolTipDisplayMs); }

void HintLabel::setHint(const QString& hint)
{
    hint_ = hint;
    setToolTip(showHint_ ? hint_ : QString());
}

void HintLabel::setShowHint(bool show)
{
    showHint_ = show;
    setToolTip(showHint_ ? hint_ : QString());
}

bool HintLabel::event(QEvent* event)
{
    // A label whose hint is off takes down a hint still up from elsewhere. Left unaccepted,
    // the request goes on to the window, which has no hint of its own.
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    return QLabel::event(event);
}

CheckBox::CheckBox(QWidget* parent) : QCheckBox(parent) { setCursor(Qt::ArrowCursor); }

bool CheckBox::event(QEvent* event)
{
    // Qt's disabled buttons swallow the mouse; a disabled check box passes its presses and
    // context-menu requests on to the window, as disabled labels and fields do, so that a
    // right-click on it opens the window's menu.
    if (!isEnabled()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::ContextMenu:
            return QWidget::event(event);
        default:
            break;
        }
    }
    return QCheckBox::event(event);
}

} // namespace vormo
