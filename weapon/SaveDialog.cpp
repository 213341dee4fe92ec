// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SaveDialog.h"

namespace vormo {
namespace {
SaveDialogRunner* defaultRunner = nullptr;
}

void SaveDialog::setDefaultRunner(SaveDialogRunner* runner) { defaultRunner = runner; }

bool SaveDialog::Execute()
{
    SaveDialogRunner* runner = runner_ ? runner_ : defaultRunner;
    if (!runner)
        return false;
    const std::optional<SaveDialogAnswer> answer = runner->run(settings_);
    if (!answer)
        return false;
    settings_.fileName = answer->path;
    settings_.filterIndex = answer->filterIndex;
    return true;
}

} // namespace vormo
