// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The editor window's commands beyond its buttons: the pop-up menu, where it opens and what its
// items do, the About command and the bullet-types help.

#include "qt/editor/TForm1.h"

#include "DoubleClick.h"
#include "ErrorReport.h"
#include "MessageBoxes.h"
#include "WindowRoles.h"
#include "WindowTexts.h"
#include "qt/about/TAboutBox.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QWindow>

namespace vormo {
namespace {

// The menu opens this far below the point it is given.
constexpr int kMenuDrop = 16;

} // namespace

void TForm1::connectCommands()
{
    onDoubleClick(Label39, [this] { guarded([this] { Label39DblClick(Label39); }); });
}

void TForm1::New1Click(QObject* Sender) { NewBtnClick(Sender); }

void TForm1::Save1Click(QObject* Sender) { SaveBtnClick(Sender); }

void TForm1::Quit1Click(QObject* Sender) { QuitBtnClick(Sender); }

void TForm1::About1Click(QObject*)
{
    if (!AboutBox)
        return;
    focusBeforeAbout_ = focusWidget();
    setEnabled(false);
    belongTo(*AboutBox, this);
    AboutBox->show();
    bringToFront(*AboutBox);
}

void TForm1::Label39DblClick(QObject*)
{
    MessageBoxRequest help;
    help.owner = nullptr;
    help.caption = QString::fromStdU16String(kBulletTypesCaption);
    help.text = QString::fromStdU16String(kBulletTypesHelp);
    help.icon = MessageBoxRequest::Icon::Information;
    help.applicationModal = false;
    messageBoxes().show(help);
}

void TForm1::FormMouseDown(QObject*, Qt::MouseButton Button, Qt::KeyboardModifiers, int X, int Y)
{
    if (Button != Qt::RightButton)
        return;
    const QPoint corner = frameCorner();
    popUpMenu(QPoint(corner.x() + X, corner.y() + Y + kMenuDrop));
}

void TForm1::FormContextPopup(QObject*, QPoint MousePos, bool& Handled)
{
    Handled = true;
    const QPoint corner = frameCorner();
    popUpMenu(QPoint(corner.x() + MousePos.x(), corner.y() + MousePos.y() + kMenuDrop));
}

void TForm1::popUpMenu(const QPoint& screenPoint)
{
    QAction* picked = PopupMenu1->exec(screenPoint);
    if (!picked)
        return;
    const std::pair<QAction*, void (TForm1::*)(QObject*)> items[] = {
        {New1, &TForm1::New1Click},
        {Save1, &TForm1::Save1Click},
        {Quit1, &TForm1::Quit1Click},
        {About1, &TForm1::About1Click},
    };
    for (const auto& [item, handler] : items) {
        if (item == picked) {
            // Posted, so that the command starts once the menu is gone and the handler that
            // opened it has returned.
            QMetaObject::invokeMethod(
                this, [this, item, handler] { guarded([&] { (this->*handler)(item); }); },
                Qt::QueuedConnection);
            return;
        }
    }
}

QPoint TForm1::frameCorner() const
{
    // Where the platform has the window: on Wayland, which tells no client where its windows
    // are, that differs from where the widget was last moved to, and the menu would open
    // elsewhere than beside the press.
    return windowHandle() ? windowHandle()->framePosition() : frameGeometry().topLeft();
}

bool TForm1::isOwnSurface(const QPoint& clientPoint) const
{
    const QWidget* hit = childAt(clientPoint);
    return !hit || !hit->isEnabled();
}

void TForm1::mousePressEvent(QMouseEvent* event)
{
    // Enabled labels, check boxes, panels and buttons pass a right press on to the window too,
    // but for them the context-menu request that comes with the click opens the menu.
    const QPoint at = event->position().toPoint();
    if (isOwnSurface(at)) {
        guarded([&] { FormMouseDown(this, event->button(), event->modifiers(), at.x(), at.y()); });
    }
    QWidget::mousePressEvent(event);
}

void TForm1::contextMenuEvent(QContextMenuEvent* event)
{
    // A right press on the bare surface or a disabled control has opened the menu already; the
    // request Qt sends after that press must not open it a second time.
    if (event->reason() == QContextMenuEvent::Mouse && isOwnSurface(event->pos())) {
        event->accept();
        return;
    }
    // A request from the keyboard carries no position of its own.
    const QPoint mousePos =
        event->reason() == QContextMenuEvent::Keyboard ? QPoint(-1, -1) : event->pos();
    bool handled = false;
    guarded([&] { FormContextPopup(this, mousePos, handled); });
    event->setAccepted(handled);
}

void TForm1::changeEvent(QEvent* event)
{
    // Qt takes the focus out of a disabled window; when the about box hands the window back,
    // the field that had it gets it again rather than the first field.
    if (event->type() == QEvent::EnabledChange && isEnabled() && focusBeforeAbout_) {
        if (focusBeforeAbout_->isEnabled() && focusBeforeAbout_->isVisible())
            focusBeforeAbout_->setFocus(Qt::ActiveWindowFocusReason);
        focusBeforeAbout_ = nullptr;
    }
    QWidget::changeEvent(event);
}

} // namespace vormo
