// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Shows a SaveDialog as Qt's own (widget) file dialog, so the same dialog appears on every
// desktop and a name typed without extension gets the default one.

#include "SaveDialog.h"

namespace vormo {

class QtSaveDialogRunner final : public SaveDialogRunner {
public:
    std::optional<SaveDialogAnswer> run(const SaveDialogSettings& settings) override;
};

} // namespace vormo
