// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the core's suites share, on Linux and on Windows alike: doctest, readable UTF-16 in its
// reports, folder listings and a temporary folder.

#include "Text.h"
#include "WeaponEdits.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <random>
#include <set>
#include <string>

namespace doctest {
template <> struct StringMaker<std::u16string> {
    static String convert(const std::u16string& text)
    {
        return ("u\"" + vormo::toUtf8(text) + '"').c_str();
    }
};
} // namespace doctest

namespace vormo::test {

namespace fs = std::filesystem;

// The names in a folder, sorted, each followed by " ".
inline std::string listing(const fs::path& folder)
{
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.insert(toUtf8(pathText(entry.path().filename())) + ' ');
    return std::accumulate(names.begin(), names.end(), std::string());
}

// A fresh folder of the system's temporary ones, removed with everything in it.
class TempDir {
public:
    TempDir() : path_(fs::temp_directory_path() / ("vormo-test-" + std::to_string(random())))
    {
        fs::create_directory(path_);
    }
    TempDir(const TempDir&) = delete;
    ~TempDir()
    {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }
    fs::path operator/(const fs::path& name) const { return path_ / name; }
    std::string listing() const { return vormo::test::listing(path_); }

private:
    static inline std::random_device random;
    fs::path path_;
};

} // namespace vormo::test
