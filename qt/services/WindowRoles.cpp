// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WindowRoles.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace vormo {
namespace {

QPointer<QWidget>& lastActive()
{
    static QPointer<QWidget> window;
    return window;
}

} // namespace

void followActiveWindow()
{
    static bool tracking = false;
    if (std::exchange(tracking, true))
        return;
    // Popups never count: on Wayland the pop-up menu becomes the active window while it is up,
    // and is gone by the time the command picked in it opens a dialog.
    const auto follow = [] {
        QWidget* active = QApplication::activeWindow();
        if (active && active->windowType() != Qt::Popup && active->windowType() != Qt::ToolTip)
            lastActive() = active;
    };
    follow();
    QObject::connect(qApp, &QApplication::focusChanged, qApp, follow);
}

namespace {

constexpr Qt::WindowStates kNotNormal = Qt::WindowMaximized | Qt::WindowFullScreen;

class NormalStateKeeper final : public QObject {
public:
    explicit NormalStateKeeper(QWidget& window) : QObject(&window), window_(window) {}

    bool eventFilter(QObject*, QEvent* event) override
    {
        // The native window exists from the first showing on.
        if ((event->type() == QEvent::Show || event->type() == QEvent::WinIdChange) &&
            window_.windowHandle() && watched_ != window_.windowHandle()) {
            watched_ = window_.windowHandle();
            connect(watched_, &QWindow::windowStateChanged, this, [this](Qt::WindowState state) {
                if (state != Qt::WindowMaximized && state != Qt::WindowFullScreen)
                    return;
                pending_ = true;
                if (!onWayland())
                    return backToNormal();
                // A Wayland compositor that configures the window maximised requires a frame at
                // that size before the request to go back can even be sent: a window held to
                // one size would break the protocol and be disconnected. Qt's own title bar asks
                // for it before this runs, so the size is set free in time for the answer, and
                // held again once the window is back.
                if (fixedSize_.isEmpty() && window_.minimumSize() == window_.maximumSize()) {
                    fixedSize_ = window_.maximumSize();
                    window_.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
                }
            });
        }
        // Posted from the paint, so that it runs once the painted frame has gone out.
        if (event->type() == QEvent::Paint && pending_)
            QMetaObject::invokeMethod(this, &NormalStateKeeper::backToNormal, Qt::QueuedConnection);
        if (event->type() == QEvent::Resize && !fixedSize_.isEmpty() && !pending_ &&
            window_.size() == fixedSize_ && !(watched_->windowStates() & kNotNormal))
            window_.setMaximumSize(std::exchange(fixedSize_, QSize()));
        return false;
    }

private:
    static bool onWayland()
    {
        return QGuiApplication::platformName().startsWith(QLatin1StringView("wayland"));
    }

    void backToNormal()
    {
        pending_ = false;
        if (watched_ && watched_->windowStates() & kNotNormal)
            watched_->setWindowStates(watched_->windowStates() & ~kNotNormal);
    }

    QWidget& window_;
    QPointer<QWindow> watched_;
    QSize fixedSize_; // while set, the size the window goes back to and is held at again
    bool pending_ = false;
};

} // namespace

void keepNormalState(QWidget& window) { window.installEventFilter(new NormalStateKeeper(window)); }

void passKeyboardWhileDisabled(QWidget& window)
{
    class Passer final : public QObject {
    public:
        using QObject::QObject;
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            auto* window = static_cast<QWidget*>(watched);
            QWidget* secondary = window->isEnabled() ? nullptr : shownOver(window);
            if (!secondary)
                return false;
            if (event->type() == QEvent::WindowActivate) {
                // Once Qt is done activating the window clicked, and twice more a little later:
                // under load mutter can finish raising the clicked window after the first.
                for (const int delay : {0, 150, 400})
                    QTimer::singleShot(delay, secondary, [secondary, window] {
                        if (secondary->isVisible() && !window->isEnabled())
                            bringToFront(*secondary);
                    });
            }
            // A compositor that refuses the activation leaves the keys here: they go on.
            if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
                return false;
            QCoreApplication::sendEvent(
                secondary->focusWidget() ? secondary->focusWidget() : secondary, event);
            return true;
        }

    private:
        static QWidget* shownOver(const QWidget* window)
        {
            for (QWidget* secondary : QApplication::topLevelWidgets()) {
                if (secondary->isVisible() && secondary->isEnabled() && secondary->windowHandle() &&
                    secondary->windowHandle()->transientParent() == window->windowHandle())
                    return secondary;
            }
            return nullptr;
        }
    };
    window.installEventFilter(new Passer(&window));
}

QWidget* lastActiveWindow()
{
    followActiveWindow();
    if (QWidget* active = QApplication::activeWindow())
        return active;
    QWidget* last = lastActive();
    return last && last->isVisible() ? last : nullptr;
}

void belongTo(QWidget& secondary, QWidget* owner)
{
    QWidget* over = owner ? owner->window() : lastActiveWindow();
    if (!over || over == &secondary)
        return;
    secondary.winId(); // creates the native window, where the owner is recorded
    over->winId();
    secondary.windowHandle()->setTransientParent(over->windowHandle());
}

void reactivate(QWidget* window)
{
    if (!window || !window->isVisible() || !window->isEnabled())
        return;
    // Another window of the program that is up and active keeps the keyboard.
    const QWidget* active = QApplication::activeWindow();
    if (active && active != window && active->isVisible())
        return;
    bringToFront(*window);
}

void bringToFront(QWidget& window)
{
    window.raise();
    const QWindow* focus = QGuiApplication::focusWindow();
    if (!focus || focus->handle())
        window.activateWindow();
}

} // namespace vormo
