// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DoubleClick.h"

#include <QMouseEvent>
#include <QWidget>

namespace vormo {
namespace {

class DoubleClickFilter final : public QObject {
public:
    DoubleClickFilter(QWidget* widget, std::function<void()> handler)
        : QObject(widget), widget_(widget), handler_(std::move(handler))
    {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != widget_ || event->type() != QEvent::MouseButtonDblClick ||
            static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton || !widget_->isEnabled())
            return false;
        handler_();
        return true;
    }

private:
    QWidget* widget_;
    std::function<void()> handler_;
};

} // namespace

void onDoubleClick(QWidget* widget, std::function<void()> handler)
{
    new DoubleClickFilter(widget, std::move(handler));
}

} // namespace vormo
