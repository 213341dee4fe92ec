// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Saving on Windows: what a save leaves in the folder when the target is new, plain, hidden,
// read-only, held open by another program or by a scanner, or named past 260 characters; when
// ReplaceFileW gives each answer Windows documents; and when the disk is full.

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "CoreTest.h"

#include "PluginReader.h"
#include "SafeFile.h"
#include "Win32Files.h"

#include <process.h>

using namespace vormo;
using namespace vormo::test;

namespace {

std::u16string save(const fs::path& file, std::string_view bytes)
{
    return errorOf([&] { saveFileSafely(file, bytes, u"Failed to Save Stream"); });
}

// The target before the save: its attributes (0: no file), the sharing of a handle another
// program keeps open on it (0: none), ReplaceFileW's played answer (error 0: the system's),
// and whether the save replaces the file; if not, the old bytes stay and the save fails with
// "Cannot create file <path>". Attributes stay either way. The first `failures` played calls
// leave the files as Windows documents for the error, then the system's call runs; while the
// new file is held, it cannot be moved.
struct Row {
    const char* name;
    DWORD attributes, heldSharing, error;
    int failures;
    bool newHeld, replaced;
} playing;
std::wstring replacement;
DWORD paused = 0;

const winfile::Calls played{
    [](LPCWSTR replaced, LPCWSTR with, LPCWSTR backup, DWORD flags, LPVOID, LPVOID) {
        replacement = with;
        if (playing.failures-- <= 0)
            return ::ReplaceFileW(replaced, with, backup, flags, nullptr, nullptr);
        if (playing.error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
            ::MoveFileExW(replaced, backup ? backup : (replaced + std::wstring(L"~")).c_str(), 0);
        return ::SetLastError(playing.error), FALSE;
    },
    [](LPCWSTR from, LPCWSTR to, DWORD flags) {
        if (playing.newHeld && from == replacement)
            return ::SetLastError(ERROR_SHARING_VIOLATION), FALSE;
        return ::MoveFileExW(from, to, flags);
    },
    [](DWORD pause) { paused += pause; }};

} // namespace

TEST_CASE("a save replaces the file whole or leaves it as it was, nothing beside it")
{
    constexpr DWORD kPlain = FILE_ATTRIBUTE_NORMAL, kHidden = FILE_ATTRIBUTE_HIDDEN;
    constexpr DWORD k1177 = ERROR_UNABLE_TO_MOVE_REPLACEMENT_2;
    const Row rows[] = {
        {"new file", 0, 0, 0, 0, false, true},
        {"plain file", kPlain, 0, 0, 0, false, true},
        {"hidden file", kHidden, 0, 0, 0, false, true},
        {"read-only file", FILE_ATTRIBUTE_READONLY, 0, 0, 0, false, false},
        {"held open by the game", kPlain, FILE_SHARE_READ | FILE_SHARE_WRITE, 0, 0, false, false},
        {"held for a moment", kHidden, 0, ERROR_SHARING_VIOLATION, 3, false, true},
        {"held throughout", kPlain, 0, ERROR_UNABLE_TO_REMOVE_REPLACED, 99, false, false},
        {"new file not renamed", kPlain, 0, ERROR_UNABLE_TO_MOVE_REPLACEMENT, 1, false, true},
        {"old file left as the backup", kPlain, 0, k1177, 1, false, true},
        {"old file the backup, new held", kPlain, 0, k1177, 99, true, false},
    };
    const winfile::Calls system = winfile::calls();
    for (const Row& row : rows) {
        INFO(std::string(row.name));
        TempDir dir;
        const fs::path file = dir / u"weapon \u00fc\u20ac.vwp";
        if (row.attributes) {
            REQUIRE(writeFile(file, "previous"));
            REQUIRE(::SetFileAttributesW(file.c_str(), row.attributes));
        }
        const HANDLE held = row.heldSharing
                                ? ::CreateFileW(file.c_str(), GENERIC_READ, row.heldSharing,
                                                nullptr, OPEN_EXISTING, kPlain, nullptr)
                                : INVALID_HANDLE_VALUE;
        playing = row, paused = 0;
        winfile::calls() = row.error ? played : system;
        const std::u16string error = save(file, "new bytes\r\n");
        winfile::calls() = system;
        ::CloseHandle(held);

        CHECK(error == (row.replaced ? u"" : u"Cannot create file " + pathText(file)));
        CHECK(contents(file) == (row.replaced ? "new bytes\r\n" : "previous"));
        constexpr DWORD kShown = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
        CHECK((::GetFileAttributesW(file.c_str()) & kShown) == (row.attributes & kShown));
        CHECK(dir.listing() == toUtf8(pathText(file.filename())) + ' ');
        // The window waits for a held file, but no longer than about two seconds.
        CHECK(((row.replaced || !row.error || paused > 1000) && paused <= 2000));
        ::SetFileAttributesW(file.c_str(), kPlain);
    }
}

TEST_CASE("against a scanner each save succeeds or keeps the old plugin")
{
    TempDir dir;
    const fs::path file = LR"(\\?\)" + (dir / "a.vwp").native();
    std::string kept = "old";
    REQUIRE(writeFile(file, kept));
    for (const wchar_t* hold : {L"300", L"0"}) {
        // The tests' own scanner program, in place once it sets the event.
        const std::wstring ready = L"vormo-scanner-" + std::to_wstring(::GetCurrentProcessId());
        const HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, ready.c_str());
        const auto scanner =
            HANDLE(::_wspawnl(_P_NOWAIT, L"" VORMO_SCANNER, L"scanner", ready.c_str(),
                              (L'"' + dir.path().wstring() + L'"').c_str(), hold, 0));
        CHECK(::WaitForSingleObject(event, 10000) == WAIT_OBJECT_0);
        for (int n = 0; n < 30; ++n) {
            const std::string bytes = "save " + std::to_string(n);
            const std::u16string error = save(file, bytes);
            kept = error.empty() ? bytes : kept;
            CHECK(error == (error.empty() ? u"" : u"Cannot create file " + pathText(file)));
            CHECK(contents(file) == kept);
        }
        ::TerminateProcess(scanner, 0), ::WaitForSingleObject(scanner, 10000);
        ::CloseHandle(scanner), ::CloseHandle(event);
    }
    CHECK(kept != "old"); // some saves got through
    CHECK(dir.listing() == "a.vwp ");
}

TEST_CASE("a name past 260 characters is saved and read")
{
    TempDir dir;
    const fs::path file = dir / std::string(130, 'd') / std::string(130, 'd') / "a.vwp";
    REQUIRE(fs::create_directories(file.parent_path()));
    for (const char* bytes : {"made", "replaced"}) {
        CHECK(save(file, bytes) == u"");
        CHECK(readPluginBytes(file) == bytes);
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
