// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The system's save-file dialog for the core's save dialogs, modal to the window that owns it.

#include "SaveDialog.h"

#include <windows.h>

namespace vormo::win {

class Win32SaveDialogRunner final : public SaveDialogRunner {
public:
    void setOwner(HWND owner) { owner_ = owner; }
    std::optional<SaveDialogAnswer> run(const SaveDialogSettings& settings) override;

private:
    HWND owner_ = nullptr;
};

// Where the dialog goes: horizontally centred on the monitor that shows owner, with a third of
// the height it leaves free above it and two thirds below. dialog is the outer size.
POINT saveDialogPlace(HWND owner, SIZE dialog);

} // namespace vormo::win
