// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"

namespace vormo::test {

std::optional<SaveDialogAnswer> ScriptedSaveDialog::run(const SaveDialogSettings& settings)
{
    runs_.append(settings);
    if (answers_.isEmpty())
        throw std::logic_error("save dialog shown but no answer was scripted");
    return answers_.takeFirst();
}

} // namespace vormo::test
