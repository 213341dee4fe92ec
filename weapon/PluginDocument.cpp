// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PluginDocument.h"

#include "Errors.h"
#include "SafeFile.h"
#include "Windows1252.h"

namespace vormo {

void PluginDocument::setText(std::u16string_view text)
{
    lines_.clear();
    std::size_t used = 0;
    std::size_t pos = 0;
    const std::size_t n = text.size();
    while (pos < n) {
        std::size_t end = pos;
        while (end < n && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        std::string line = toWindows1252(text.substr(pos, end - pos));
        if (used + line.size() + 2 > kCapacity)
            throw VormoError(messages::lineInsertionError());
        used += line.size() + 2;
        lines_.push_back(std::move(line));
        pos = end;
        if (pos < n && text[pos] == u'\r')
            ++pos;
        if (pos < n && text[pos] == u'\n')
            ++pos;
    }
}

std::string PluginDocument::bytes() const
{
    std::string out;
    for (const std::string& line : lines_) {
        out += line;
        out += "\r\n";
    }
    return out;
}

void PluginDocument::SaveToFile(const std::filesystem::path& path) const
{
    saveFileSafely(path, bytes(), messages::failedToSaveStream());
}

} // namespace vormo
