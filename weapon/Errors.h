// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A failed command raises a VormoError carrying the text the user sees; the error report shows
// it and the program runs on. Paths are user input and are appended as data, never used as a
// format string.

#include "Text.h"

#include <cstddef>
#include <exception>
#include <filesystem>
#include <string>

namespace vormo {

// The program's name in the task bar and the caption of every error box.
inline constexpr char16_t kApplicationTitle[] = u"Vormo Weapon Plugin Maker";

class VormoError : public std::exception {
public:
    explicit VormoError(std::u16string message)
        : message_(std::move(message)), utf8_(toUtf8(message_))
    {
    }
    const std::u16string& message() const { return message_; }
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    std::u16string message_;
    std::string utf8_;
};

// What the error box shows for message: a full stop is appended when the text is not empty and
// its last character sorts after ".".
std::u16string withFullStop(std::u16string_view message);

namespace messages {
inline std::u16string cannotCreateFile(const std::filesystem::path& path)
{
    return u"Cannot create file " + pathText(path);
}
inline std::u16string cannotOpenFile(const std::filesystem::path& path)
{
    return u"Cannot open file " + pathText(path);
}
inline std::u16string notAWeaponPlugin(const std::filesystem::path& path)
{
    return pathText(path) + u" is not a Vormo weapon plugin";
}
inline std::u16string tooLargeToSave(const std::filesystem::path& path, std::size_t capacity)
{
    return pathText(path) + u" is too large for the editor: a weapon it saves holds at most " +
           ascii(std::to_string(capacity)) + u" characters";
}
inline std::u16string streamWriteError() { return u"Stream write error"; }
inline std::u16string failedToSaveStream() { return u"Failed to Save Stream"; }
inline std::u16string lineInsertionError() { return u"RichEdit line insertion error"; }
} // namespace messages

} // namespace vormo
