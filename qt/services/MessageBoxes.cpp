// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MessageBoxes.h"

#include "WindowRoles.h"

#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>

namespace vormo {
namespace {

class QtMessageBoxes final : public MessageBoxes {
public:
    bool show(const MessageBoxRequest& request) override
    {
        QMessageBox box(iconOf(request.icon), request.caption, request.text,
                        request.yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                        request.owner);
        // Texts carry paths and names the user typed: never let them be read as markup.
        box.setTextFormat(Qt::PlainText);
        if (request.yesNo)
            box.setDefaultButton(QMessageBox::No);
        // Kept above the window it speaks for, which gets the keyboard back afterwards.
        const QPointer<QWidget> before = lastActiveWindow();
        if (!request.owner)
            belongTo(box, before);
        const int button = run(box, request.applicationModal);
        reactivate(before);
        return button == QMessageBox::Ok || button == QMessageBox::Yes;
    }

private:
    static int run(QMessageBox& box, bool applicationModal)
    {
        if (applicationModal)
            return box.exec();
        // A box without modality: wait for it without blocking the other windows.
        box.setWindowModality(Qt::NonModal);
        QEventLoop loop;
        QObject::connect(&box, &QMessageBox::finished, &loop, &QEventLoop::quit);
        box.show();
        loop.exec();
        return box.result();
    }

    static QMessageBox::Icon iconOf(MessageBoxRequest::Icon icon)
    {
        switch (icon) {
        case MessageBoxRequest::Icon::Critical:
            return QMessageBox::Critical;
        case MessageBoxRequest::Icon::Information:
            return QMessageBox::Information;
        case MessageBoxRequest::Icon::Question:
            return QMessageBox::Question;
        }
        return QMessageBox::NoIcon;
    }
};

QtMessageBoxes qtBoxes;
MessageBoxes* current = nullptr;

} // namespace

MessageBoxes& messageBoxes() { return current ? *current : qtBoxes; }
void setMessageBoxes(MessageBoxes* boxes) { current = boxes; }

} // namespace vormo
