// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Stands in for Qt's message boxes while it exists: records every box instead of showing it
// and answers OK.

#include "MessageBoxes.h"

#include <QList>

namespace vormo::test {

class RecordingMessageBoxes final : public MessageBoxes {
public:
    RecordingMessageBoxes() { setMessageBoxes(this); }
    ~RecordingMessageBoxes() override { setMessageBoxes(nullptr); }

    bool show(const MessageBoxRequest& request) override
    {
        shown.append(request);
        return true;
    }

    QList<MessageBoxRequest> shown;
};

} // namespace vormo::test
