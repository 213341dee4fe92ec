// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Every message box of the program goes through here, so that tests can see what would be
// shown (and answer it) without a person.

#include <QString>

class QWidget;

namespace vormo {

struct MessageBoxRequest {
    enum class Icon { Critical, Information, Question };
    QWidget* owner = nullptr; // nullptr: no owner window
    QString caption;
    QString text; // always shown as plain text
    Icon icon = Icon::Critical;
    bool applicationModal = true; // false: the other windows stay usable while it is open
    bool yesNo = false;           // Yes and No buttons instead of a single OK
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Returns when the box is dismissed; true for OK or Yes.
    virtual bool show(const MessageBoxRequest& request) = 0;
};

// The boxes in use: Qt's unless a test installed its own (nullptr restores Qt's).
MessageBoxes& messageBoxes();
void setMessageBoxes(MessageBoxes* boxes);

} // namespace vormo
