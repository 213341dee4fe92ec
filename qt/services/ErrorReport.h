// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The one place where a failed command reaches the user. Handlers that Qt calls run inside
// guarded(): an error ends the command where it happened, nothing is rolled back, the error
// box shows its text, and the event loop goes on. No exception ever crosses Qt's dispatch.

#include "Errors.h"

#include <QString>

#include <utility>

namespace vormo {

// Releases any mouse grab and shows the error box: application title as caption, stop icon,
// one OK button, the text as plain text.
void reportError(const QString& message);

void reportCurrentException() noexcept;

template <typename Handler> void guarded(Handler&& handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
    } catch (...) {
        reportCurrentException();
    }
}

} // namespace vormo
