// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The line store behind the editor's hidden document: it receives the plugin text in one
// assignment, holds it as lines, and writes them to disk with CR LF after every line.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vormo {

class PluginDocument {
public:
    // Like the text control it stands for, the document holds at most this many characters,
    // every line end counted as two.
    static constexpr std::size_t kCapacity = 65535;

    // Empties the document and cuts the text into lines at CR LF, a lone LF or a lone CR. A
    // line that would pass the capacity is refused with "RichEdit line insertion error"; the
    // lines before it stay.
    void setText(std::u16string_view text);
    // Each line as the bytes it is saved as, without its line end.
    const std::vector<std::string>& lines() const { return lines_; }

    // The bytes a save writes: each line in Windows-1252, followed by CR LF.
    std::string bytes() const;

    // Writes the document to path through saveFileSafely; a failed write raises "Failed to
    // Save Stream" and leaves the previous file whole.
    void SaveToFile(const std::filesystem::path& path) const;

private:
    std::vector<std::string> lines_;
};

} // namespace vormo
