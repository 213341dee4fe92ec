// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WindowPlacement.h"

#include "FrameExtents.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>

namespace vormo {
namespace {

class FirstShowCentring final : public QObject {
public:
    FirstShowCentring(QWidget& window, std::function<QRect()> desktop)
        : QObject(&window), window_(window), desktop_(std::move(desktop))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &window_)
            return false;
        switch (event->type()) {
        case QEvent::Show:
            // Sent before the window is mapped: placed now, the first position is already right.
            if (!shown_) {
                shown_ = true;
                placeFirst();
                watchFrameMargins(window_, *this, [this](QMargins margins) { framed(margins); });
            }
            break;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Paint: // a window manager that keeps the client where it was sends no move
            if (shown_)
                follow();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void placeFirst()
    {
        const QRect frame = window_.frameGeometry();
        if (frame != window_.geometry()) {
            if (centre(frame.size()))
                window_.move(target_); // on a framed window, move() places the frame
            return;
        }
        // Until the window is framed, Qt places its client area.
        const QMargins margins = expectedFrameMargins(window_);
        if (centre(window_.size().grownBy(margins)))
            window_.move(target_ + QPoint(margins.left(), margins.top()));
    }

    // Whether there is a desktop to centre on; then target_ is where the frame goes.
    bool centre(QSize outer)
    {
        outer_ = outer;
        const QRect desktop = desktop_();
        if (desktop.isEmpty())
            return false;
        target_ = centredOnDesktop(desktop, outer);
        return true;
    }

    // The frame the window manager reports once it has framed the window, told by none that
    // would not answer in advance. Qt's own view of the frame may lag behind it, and may never
    // be refreshed where the window manager leaves the client where it was.
    void framed(const QMargins& margins)
    {
        const QSize client = window_.size().expandedTo(window_.minimumSize());
        if (client.grownBy(margins) != outer_ && centre(client.grownBy(margins)))
            window_.setGeometry(QRect(target_ + QPoint(margins.left(), margins.top()), client));
    }

    void follow()
    {
        const QRect frame = window_.frameGeometry();
        // KWin may pass the window through a size below its least on the way to being framed.
        if (frame == window_.geometry() || window_.width() < window_.minimumWidth() ||
            window_.height() < window_.minimumHeight())
            return; // not framed, or never will be
        if (frame.size() != outer_) {
            if (centre(frame.size())) // framed only now, otherwise than expected
                window_.move(target_);
        } else if (frame.topLeft() != target_)
            deleteLater(); // moved by the user: placed for good
    }

    QWidget& window_;
    std::function<QRect()> desktop_;
    bool shown_ = false;
    QSize outer_;
    QPoint target_;
};

} // namespace

QPoint centredOnDesktop(const QRect& desktop, const QSize& outerSize)
{
    const int left = std::max(0, (desktop.width() - outerSize.width()) / 2);
    const int top = std::max(0, (desktop.height() - outerSize.height()) / 2);
    return desktop.topLeft() + QPoint(left, top);
}

void centreWhenFirstShown(QWidget& window, std::function<QRect()> desktop)
{
    window.installEventFilter(new FirstShowCentring(window, std::move(desktop)));
}

} // namespace vormo
