// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ErrorReport.h"

#include "CoreBridge.h"
#include "MessageBoxes.h"

#include <QWidget>

#include <exception>

namespace vormo {

void reportError(const QString& message)
{
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    MessageBoxRequest request;
    request.caption = toQString(kApplicationTitle);
    request.text = toQString(withFullStop(toU16(message)));
    request.icon = MessageBoxRequest::Icon::Critical;
    messageBoxes().show(request);
}

void reportCurrentException() noexcept
{
    try {
        try {
            throw;
        } catch (const VormoError& error) {
            reportError(toQString(error.message()));
        } catch (const std::exception& error) {
            reportError(QString::fromLocal8Bit(error.what()));
        } catch (...) {
            reportError(QStringLiteral("Unknown error"));
        }
    } catch (...) {
        // Showing the error failed as well; there is nobody left to tell.
    }
}

} // namespace vormo
