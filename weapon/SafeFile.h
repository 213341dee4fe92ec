// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Writes a whole file so that a failure never loses the one that was there: the bytes go to a
// temporary file beside the target, which takes the old file's owner, mode, ACL and extended
// attributes and replaces it only once every byte is written and synced. Where a rename would
// change the file (other hard links, something it cannot carry over, a folder that refuses new
// files) the file is written in place instead, after a copy of its old bytes has been put in
// the program's state folder; the copy goes once the save succeeds or the old bytes are back.

#include <filesystem>
#include <string>
#include <string_view>

namespace vormo {

// Throws VormoError: "Cannot create file <path>" when the file cannot be created or replaced,
// writeError when any byte cannot be stored, and writeError followed by where the copy of the
// old bytes lies when they could not even be put back. A chain of links is followed to its end
// (a missing end is created there) where the kernel would follow it; a loop is refused.
void saveFileSafely(const std::filesystem::path& path, std::string_view data,
                    const std::u16string& writeError);

} // namespace vormo
