// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Field text and messages are UTF-16 (std::u16string): it is what Win32's wide calls and Qt's
// strings both hold, so each front end hands text over without a conversion that could lose a
// character. Plugin bytes are std::string (Windows-1252, see Windows1252.h). File names are
// std::filesystem::path and turn into text only to be shown (pathText).

#include <filesystem>
#include <string>
#include <string_view>

namespace vormo {

// Ill-formed UTF-8 decodes to U+FFFD for each offending byte; the result is for showing only.
std::u16string fromUtf8(std::string_view bytes);
// A lone surrogate encodes as U+FFFD.
std::string toUtf8(std::u16string_view text);

// Plain ASCII, for the program's own fixed texts.
std::u16string ascii(std::string_view text);

// A file name as the user should read it. On Windows that is the name itself; elsewhere the
// system's bytes read as UTF-8. Never turn this back into a path: it need not name the file.
std::u16string pathText(const std::filesystem::path& path);

} // namespace vormo
