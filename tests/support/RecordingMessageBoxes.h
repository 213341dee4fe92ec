// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Stands in for Qt's message boxes while it exists: records every box instead
// of showing it and answers OK.

#include "MessageBoxes.h"

#include <QStringList>

namespace vormo::test {

// "caption | text | icon | modal or modeless | ok or yes/no, owned or not"
inline QString describe(const MessageBoxRequest& box)
{
    const char* icons[] = {"critical", "information", "question"};
    QStringList parts{box.caption, box.text, icons[int(box.icon)]};
    parts << (box.applicationModal ? "modal" : "modeless") << (box.yesNo ? "yes/no" : "ok")
          << (box.owner ? "owned" : "free");
    return parts.join(u" | ");
}

class RecordingMessageBoxes : public MessageBoxes {
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
