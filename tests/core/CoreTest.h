// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the core's suites share, on Linux and on Windows alike: doctest, readable UTF-16 in its
// reports, files by path, fixtures and a temporary folder.

#include "Text.h"
#include "WeaponEdits.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace doctest {
template <> struct StringMaker<std::u16string> {
    static String convert(const std::u16string& text)
    {
        return ("u\"" + vormo::toUtf8(text) + '"').c_str();
    }
};
template <> struct StringMaker<std::filesystem::path> {
    static String convert(const std::filesystem::path& path)
    {
        return vormo::toUtf8(vormo::pathText(path)).c_str();
    }
};
} // namespace doctest

namespace vormo::test {

namespace fs = std::filesystem;

// A file's bytes; empty when it cannot be read.
inline std::string contents(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline bool writeFile(const fs::path& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(out.flush());
}

inline std::string fixture(const char* name)
{
    const fs::path path = fs::path(VORMO_TEST_DATA) / name;
    if (!fs::exists(path))
        throw std::runtime_error(std::string("missing fixture ") + name);
    return contents(path);
}

// A fresh folder of the system's temporary ones, removed with everything in it.
class TempDir {
public:
    TempDir()
    {
        std::random_device random;
        for (int attempt = 0; attempt < 16; ++attempt) {
            path_ = fs::temp_directory_path() / ("vormo-test-" + std::to_string(random()));
            if (fs::create_directory(path_))
                return;
        }
        throw std::runtime_error("no temporary folder");
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir()
    {
        std::error_code ignored;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }
    fs::path operator/(const fs::path& name) const { return path_ / name; }

    // Names of the folder's entries, sorted, joined by " ".
    std::string listing() const
    {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(path_))
            names.push_back(toUtf8(pathText(entry.path().filename())));
        std::sort(names.begin(), names.end());
        std::string joined;
        for (const std::string& name : names)
            joined += (joined.empty() ? "" : " ") + name;
        return joined;
    }

private:
    fs::path path_;
};

} // namespace vormo::test
