// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Saving on Windows: what a save leaves in the folder when the target is new, plain, hidden,
// read-only, held open by another program, or cannot be a file at all.

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "CoreTest.h"

#include "SafeFile.h"

#include <windows.h>

using namespace vormo;
using namespace vormo::test;

namespace {

constexpr std::u16string_view kWriteError = u"Failed to Save Stream";

// What another program does to the target before the save: its attributes, or a handle it
// keeps open with the given sharing.
struct Row {
    const char* name;
    DWORD attributes;   // 0: no file there before
    DWORD heldSharing;  // ~0u: not held open
    bool replaced;      // else "Cannot create file <path>" and the old bytes stay
    DWORD attributesAfter;
};

} // namespace

TEST_CASE("a save replaces the file whole or leaves it as it was")
{
    const Row rows[] = {
        {"new file", 0, ~0u, true, FILE_ATTRIBUTE_ARCHIVE},
        {"plain file", FILE_ATTRIBUTE_NORMAL, ~0u, true, FILE_ATTRIBUTE_ARCHIVE},
        {"hidden file keeps its attribute", FILE_ATTRIBUTE_HIDDEN, ~0u, true,
         FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE},
        {"read-only file", FILE_ATTRIBUTE_READONLY, ~0u, false, FILE_ATTRIBUTE_READONLY},
        {"held open, no sharing", FILE_ATTRIBUTE_NORMAL, 0, false, FILE_ATTRIBUTE_ARCHIVE},
        {"held open, read and write shared", FILE_ATTRIBUTE_NORMAL,
         FILE_SHARE_READ | FILE_SHARE_WRITE, false, FILE_ATTRIBUTE_ARCHIVE},
    };
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
        const std::u16string error = errorOf(
            [&] { saveFileSafely(file, "new bytes\r\n", std::u16string(kWriteError)); });
        if (held != INVALID_HANDLE_VALUE)
            ::CloseHandle(held);

        CHECK(error == (row.replaced ? u"" : u"Cannot create file " + pathText(file)));
        CHECK(contents(file) == (row.replaced ? "new bytes\r\n" : "previous"));
        const DWORD attributes = ::GetFileAttributesW(file.c_str());
        CHECK((attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN)) ==
              (row.attributesAfter & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN)));
        // Nothing but the file: the temporary one is gone whatever happened.
        CHECK(dir.listing() == toUtf8(pathText(file.filename())));
        ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_CASE("a name that cannot be a file is refused before anything is written")
{
    TempDir dir;
    fs::create_directory(dir / "folder.vwp");
    std::wstring withNul = (dir / "a").native() + L'\0' + L"b";
    for (const fs::path& path :
         {dir / "folder.vwp", dir / "missing" / "weapon.vwp", fs::path(withNul), fs::path()}) {
        CAPTURE(path);
        CHECK(errorOf([&] { saveFileSafely(path, "x", std::u16string(kWriteError)); }) ==
              u"Cannot create file " + pathText(path));
    }
    CHECK(dir.listing() == "folder.vwp");
}
