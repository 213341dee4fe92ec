// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Writes a whole file so that a failure never leaves a torn file or destroys the one that was
// there: the bytes go to a temporary file beside the target, which replaces it only once every
// byte is written and synced. In a folder where no temporary file can be made, a writable file
// is written in place instead, and only after room for all of it has been reserved.

#include <filesystem>
#include <string>
#include <string_view>

namespace vormo {

// Throws VormoError: "Cannot create file <path>" when the file cannot be created or replaced,
// writeError when any byte cannot be stored. The target of a symbolic link gets the bytes; a
// replaced file keeps its permission bits, and its owner and group where that is allowed.
void saveFileSafely(const std::filesystem::path& path, std::string_view data,
                    const std::u16string& writeError);

} // namespace vormo
