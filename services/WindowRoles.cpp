// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WindowRoles.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
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

// Follows the active window from the first use on; popups and tooltips never count.
void trackActiveWindow()
{
    static bool tracking = false;
    if (std::exchange(tracking, true))
        return;
    lastActive() = QApplication::activeWindow();
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [] {
        if (QWidget* active = QApplication::activeWindow())
            lastActive() = active;
    });
}

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
            // A Wayland compositor that has configured the window maximised requires a frame
            // at that size before the request to go back can even be sent: a native window held
            // to one size would break the protocol and be disconnected. There, the native window
            // may take any size, and goes back once a frame at the demanded size is out.
            if (QGuiApplication::platformName().startsWith(QLatin1StringView("wayland")) &&
                window_.minimumSize() == window_.maximumSize()) {
                fixedSize_ = window_.minimumSize();
                window_.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            }
            connect(watched_, &QWindow::windowStateChanged, this, [this](Qt::WindowState state) {
                pending_ = state == Qt::WindowMaximized || state == Qt::WindowFullScreen;
                if (pending_ && fixedSize_.isEmpty())
                    backToNormal();
            });
        }
        // Resized by hand, a window that has no maximum size for the compositor goes back too.
        if (event->type() == QEvent::Resize && !fixedSize_.isEmpty() &&
            window_.size() != fixedSize_ && !pending_ && watched_ &&
            !(watched_->windowStates() & kNotNormal))
            QMetaObject::invokeMethod(this, &NormalStateKeeper::backToNormal, Qt::QueuedConnection);
        // Posted from the paint, so that it runs once the painted frame has gone out.
        if (event->type() == QEvent::Paint && pending_)
            QMetaObject::invokeMethod(this, &NormalStateKeeper::backToNormal, Qt::QueuedConnection);
        return false;
    }

private:
    void backToNormal()
    {
        pending_ = false;
        if (!watched_)
            return;
        const Qt::WindowStates states = watched_->windowStates();
        if (states & kNotNormal)
            watched_->setWindowStates(states & ~kNotNormal);
        else if (!fixedSize_.isEmpty() && window_.size() != fixedSize_)
            window_.resize(fixedSize_);
    }

    QWidget& window_;
    QPointer<QWindow> watched_;
    QSize fixedSize_; // held here rather than by Qt, where it would break the protocol
    bool pending_ = false;
};

} // namespace

void keepNormalState(QWidget& window) { window.installEventFilter(new NormalStateKeeper(window)); }

QWidget* lastActiveWindow()
{
    trackActiveWindow();
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
    window->raise();
    window->activateWindow();
}

} // namespace vormo
