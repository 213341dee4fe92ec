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

#include <memory>

using namespace vormo;
using namespace vormo::test;

namespace {

std::u16string save(const fs::path& file, std::string_view bytes)
{
    return errorOf([&] { saveFileSafely(file, bytes, u"Failed to Save Stream"); });
}

// ReplaceFileW's answer, played: its first `failures` calls fail with `error` and leave the
// files as Windows documents for it, then the system's call runs. While the new file is held,
// it cannot be moved.
struct Play {
    DWORD error = 0;
    int failures = 0;
    bool newHeld = false;
} play;
std::wstring replacement;
DWORD paused = 0;

const winfile::Calls played{
    [](LPCWSTR replaced, LPCWSTR with, LPCWSTR backup, DWORD flags, LPVOID, LPVOID) {
        replacement = with;
        if (play.failures-- <= 0)
            return ::ReplaceFileW(replaced, with, backup, flags, nullptr, nullptr);
        if (play.error == ERROR_UNABLE_TO_MOVE_REPLACEMENT && !backup)
            ::DeleteFileW(replaced);
        if (play.error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
            ::MoveFileExW(replaced, backup ? backup : (replaced + std::wstring(L"~")).c_str(), 0);
        return ::SetLastError(play.error), FALSE;
    },
    [](LPCWSTR from, LPCWSTR to, DWORD flags) {
        if (play.newHeld && from == replacement)
            return ::SetLastError(ERROR_SHARING_VIOLATION), FALSE;
        return ::MoveFileExW(from, to, flags);
    },
    [](DWORD pause) { paused += pause; }};

// The tests' own scanner program, running until the handle goes.
std::shared_ptr<void> scanner(const std::wstring& arguments)
{
    const std::wstring ready = L"vormo-scanner-" + std::to_wstring(::GetCurrentProcessId());
    const HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, ready.c_str());
    std::wstring line = L"\"" VORMO_SCANNER "\" " + ready + L' ' + arguments;
    STARTUPINFOW start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION process{};
    REQUIRE(::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &start, &process));
    CHECK(::WaitForSingleObject(event, 10000) == WAIT_OBJECT_0);
    ::CloseHandle(event), ::CloseHandle(process.hThread);
    return {process.hProcess, [](HANDLE scanner) {
                ::TerminateProcess(scanner, 0), ::WaitForSingleObject(scanner, 10000);
                ::CloseHandle(scanner);
            }};
}

} // namespace

TEST_CASE("a save replaces the file whole or leaves it as it was, nothing beside it")
{
    // The target's attributes (0: no file), the sharing of a handle another program keeps open
    // on it (~0u: none), ReplaceFileW's played answer (no error: the system's), and whether the
    // save replaces the file; if not, the old bytes stay and the save fails with "Cannot create
    // file <path>". Attributes stay either way.
    struct Row {
        const char* name;
        DWORD attributes, heldSharing;
        Play play;
        bool replaced;
    };
    constexpr DWORD kPlain = FILE_ATTRIBUTE_NORMAL, kHidden = FILE_ATTRIBUTE_HIDDEN;
    const Row rows[] = {
        {"new file", 0, ~0u, {}, true},
        {"plain file", kPlain, ~0u, {}, true},
        {"hidden file", kHidden, ~0u, {}, true},
        {"read-only file", FILE_ATTRIBUTE_READONLY, ~0u, {}, false},
        {"held open, read and write shared", kPlain, FILE_SHARE_READ | FILE_SHARE_WRITE, {}, false},
        {"held for a moment", kHidden, ~0u, {ERROR_SHARING_VIOLATION, 3}, true},
        {"held throughout (1175)", kPlain, ~0u, {ERROR_UNABLE_TO_REMOVE_REPLACED, 99}, false},
        {"new file not renamed (1176)", kPlain, ~0u, {ERROR_UNABLE_TO_MOVE_REPLACEMENT, 1}, true},
        {"old file left as the backup (1177)",
         kPlain,
         ~0u,
         {ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, 1},
         true},
        {"1177 while the new file is held",
         kPlain,
         ~0u,
         {ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, 99, true},
         false},
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
        const HANDLE held = row.heldSharing == ~0u
                                ? INVALID_HANDLE_VALUE
                                : ::CreateFileW(file.c_str(), GENERIC_READ, row.heldSharing,
                                                nullptr, OPEN_EXISTING, kPlain, nullptr);
        play = row.play, paused = 0;
        winfile::calls() = row.play.error ? played : system;
        const std::u16string error = save(file, "new bytes\r\n");
        winfile::calls() = system;
        ::CloseHandle(held);

        CHECK(error == (row.replaced ? u"" : u"Cannot create file " + pathText(file)));
        CHECK(contents(file) == (row.replaced ? "new bytes\r\n" : "previous"));
        constexpr DWORD kShown = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
        CHECK((::GetFileAttributesW(file.c_str()) & kShown) == (row.attributes & kShown));
        CHECK(dir.listing() == toUtf8(pathText(file.filename())) + ' ');
        // The window waits for a held file, but no longer than about two seconds.
        CHECK(((row.replaced || !row.play.error || paused > 1000) && paused <= 2000));
        ::SetFileAttributesW(file.c_str(), kPlain);
    }
}

TEST_CASE("against a scanner each save succeeds or keeps the old plugin; a long hold fails it")
{
    TempDir dir;
    const fs::path file = dir / "a.vwp";
    const std::u16string cannotCreate = u"Cannot create file " + pathText(file);
    std::string kept = "old";
    REQUIRE(writeFile(file, kept));
    for (const wchar_t* hold : {L"300", L"0"}) {
        const auto running = scanner(L"watch \"" + dir.path().wstring() + L"\" " + hold);
        for (int n = 0; n < 30; ++n) {
            const std::string bytes = "save " + std::to_string(n);
            const std::u16string error = save(file, bytes);
            kept = error.empty() ? bytes : kept;
            CHECK(error == (error.empty() ? u"" : cannotCreate));
            CHECK(contents(file) == kept);
        }
    }
    const auto game = scanner(L"hold \"" + file.wstring() + L'"'); // as long as it runs
    CHECK(save(file, "new") == cannotCreate);
    CHECK(contents(file) == kept);
    CHECK(dir.listing() == "a.vwp ");
}

TEST_CASE("a name past 260 characters, or in the \\\\?\\ form, is saved and read")
{
    TempDir dir;
    const fs::path deep = dir / std::string(120, 'd') / std::string(120, 'd');
    const std::wstring prefix = LR"(\\?\)";
    REQUIRE(fs::create_directories(deep));
    for (const fs::path& file : {deep / "a.vwp", fs::path(prefix + (dir / "b.vwp").native()),
                                 fs::path(prefix + (deep / "c.vwp").native())}) {
        for (const char* bytes : {"made", "replaced"}) {
            CHECK(save(file, bytes) == u"");
            CHECK(readPluginBytes(file) == bytes);
        }
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
