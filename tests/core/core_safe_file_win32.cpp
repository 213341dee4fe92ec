// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Saving on Windows: what a save leaves in the folder when the target is new, plain, hidden,
// read-only, or held open by another program; and when the disk is full.

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "CoreTest.h"

#include "SafeFile.h"

#include <windows.h>

using namespace vormo;
using namespace vormo::test;

namespace {

constexpr std::u16string_view kWriteError = u"Failed to Save Stream";

// The target before the save: its attributes (0: no file), the sharing of a handle another
// program keeps open on it (~0u: none), and whether the save replaces it; if not, the old bytes
// stay and the save fails with "Cannot create file <path>". Attributes stay either way.
struct Row {
    const char* name;
    DWORD attributes, heldSharing;
    bool replaced;
};

} // namespace

TEST_CASE("a save replaces the file whole or leaves it as it was")
{
    const Row rows[] = {{"new file", 0, ~0u, true},
                        {"plain file", FILE_ATTRIBUTE_NORMAL, ~0u, true},
                        {"hidden file", FILE_ATTRIBUTE_HIDDEN, ~0u, true},
                        {"read-only file", FILE_ATTRIBUTE_READONLY, ~0u, false},
                        {"held open, no sharing", FILE_ATTRIBUTE_NORMAL, 0, false},
                        {"held open, read and write shared", FILE_ATTRIBUTE_NORMAL,
                         FILE_SHARE_READ | FILE_SHARE_WRITE, false}};
    for (const Row& row : rows) {
        CAPTURE(row.name);
        TempDir dir;
        const fs::path file = dir / u"weapon \u00fc\u20ac.vwp";
        if (row.attributes) {
            REQUIRE(writeFile(file, "previous"));
            REQUIRE(::SetFileAttributesW(file.c_str(), row.attributes));
        }
        HANDLE held = INVALID_HANDLE_VALUE;
        if (row.heldSharing != ~0u) {
            held = ::CreateFileW(file.c_str(), GENERIC_READ, row.heldSharing, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            REQUIRE(held != INVALID_HANDLE_VALUE);
        }
        const std::u16string error =
            errorOf([&] { saveFileSafely(file, "new bytes\r\n", std::u16string(kWriteError)); });
        if (held != INVALID_HANDLE_VALUE)
            ::CloseHandle(held);

        CHECK(error == (row.replaced ? u"" : u"Cannot create file " + pathText(file)));
        CHECK(contents(file) == (row.replaced ? "new bytes\r\n" : "previous"));
        constexpr DWORD kShown = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
        CHECK((::GetFileAttributesW(file.c_str()) & kShown) == (row.attributes & kShown));
        // Nothing but the file: the temporary one is gone whatever happened.
        CHECK(dir.listing() == toUtf8(pathText(file.filename())) + ' ');
        ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// Run by full-disk.sh, which mounts a small file system for it.
TEST_CASE("a full disk fails the save, keeps the old bytes and leaves nothing behind" *
          doctest::skip(!std::getenv("VORMO_FULL_DISK")))
{
    const fs::path disk = "Z:" + std::string(std::getenv("VORMO_FULL_DISK"));
    const fs::path file = disk / "weapon.vwp", fresh = disk / "new.vwp";
    REQUIRE(writeFile(file, "previous"));
    writeFile(disk / "fill", std::string(1 << 20, 'f')); // as much as there is room for
    for (const fs::path& path : {file, fresh}) {
        CHECK(errorOf([&] {
                  saveFileSafely(path, std::string(32768, 'n'), u"Stream write error");
              }) == u"Stream write error");
    }
    CHECK(contents(file) == "previous");
    CHECK(listing(disk) == "fill weapon.vwp ");
}
