// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SafeFile.h"

#include "Errors.h"
#include "Win32Files.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <system_error>
#include <utility>

namespace vormo {
namespace {

// Owns a file handle. Where closing is the last word on the data, it is called and checked.
class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle()
    {
        if (valid())
            ::CloseHandle(handle_);
    }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    bool close() { return ::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != 0; }

private:
    HANDLE handle_;
};

// How many bytes reached the file before the first failure. WriteFile takes at most a DWORD at
// a time and may store fewer bytes than asked.
std::size_t writeAll(HANDLE file, std::string_view data)
{
    constexpr std::size_t kChunk = 1 << 30;
    std::size_t done = 0;
    while (done < data.size()) {
        const DWORD ask = static_cast<DWORD>(std::min(data.size() - done, kChunk));
        DWORD wrote = 0;
        if (!::WriteFile(file, data.data() + done, ask, &wrote, nullptr) || wrote == 0)
            break;
        done += wrote;
    }
    return done;
}

bool setLength(HANDLE file, std::uint64_t length)
{
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(length);
    return ::SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && ::SetEndOfFile(file);
}

std::wstring randomName()
{
    static std::mt19937_64 generator{(std::uint64_t(std::random_device{}()) << 32) ^
                                     std::random_device{}()};
    std::uint64_t n = generator();
    std::wstring digits;
    do {
        digits.insert(digits.begin(), L"0123456789abcdefghijklmnopqrstuvwxyz"[n % 36]);
        n /= 36;
    } while (n != 0);
    return digits;
}

// A link stays a link: the file it points to is the one replaced.
std::filesystem::path linkTarget(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, error)))
        return path;
    if (std::filesystem::exists(path, error)) {
        if (auto target = std::filesystem::canonical(path, error); !error)
            return target;
    }
    std::filesystem::path target = std::filesystem::read_symlink(path, error);
    if (error)
        return path;
    if (target.is_relative())
        target = std::filesystem::absolute(path, error).parent_path() / target;
    return target.lexically_normal();
}

// Nothing written in place can be taken back, so the file is first made long enough for every
// byte: a failure before the first byte is written leaves the old bytes as they were.
void writeInPlace(const std::filesystem::path& target, std::string_view data,
                  const std::filesystem::path& path, const std::u16string& writeError)
{
    Handle file(::CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER old;
    if (!file.valid() || ::GetFileType(file.get()) != FILE_TYPE_DISK ||
        !::GetFileSizeEx(file.get(), &old))
        throw VormoError(messages::cannotCreateFile(path));
    const auto oldSize = static_cast<std::uint64_t>(old.QuadPart);
    if (data.size() > oldSize && !setLength(file.get(), data.size())) {
        setLength(file.get(), oldSize);
        throw VormoError(writeError);
    }
    LARGE_INTEGER start{};
    if (!::SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN))
        throw VormoError(writeError);
    if (writeAll(file.get(), data) < data.size() || !setLength(file.get(), data.size()) ||
        !::FlushFileBuffers(file.get()) || !file.close())
        throw VormoError(writeError);
}

// Held files: a scanner, an indexer or a sync client opens a new or changed file for a moment.
bool transient(DWORD error)
{
    switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_ACCESS_DENIED: // also a file whose deletion is pending
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2:
        return true;
    default:
        return false;
    }
}

// About two seconds in all, in growing pauses, for a hold to end: the window waits that long.
class Patience {
public:
    bool wait()
    {
        if (spent_ >= kBudget)
            return false;
        const DWORD pause = std::min({next_, kLongest, kBudget - spent_});
        winfile::calls().pause(pause);
        spent_ += pause;
        next_ *= 2;
        return true;
    }

private:
    static constexpr DWORD kBudget = 2000, kLongest = 250;
    DWORD spent_ = 0, next_ = 10;
};

bool present(const std::filesystem::path& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool moveFile(const std::filesystem::path& from, const std::filesystem::path& to, DWORD flags,
              Patience& patience)
{
    while (!winfile::calls().moveFile(from.c_str(), to.c_str(), flags | MOVEFILE_WRITE_THROUGH)) {
        if (!transient(::GetLastError()) || !patience.wait())
            return false;
    }
    return true;
}

bool moveOnce(const std::filesystem::path& from, const std::filesystem::path& to)
{
    return present(from) &&
           winfile::calls().moveFile(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH);
}

// Tried at least once, however much patience is left.
void removeFile(const std::filesystem::path& path, Patience& patience)
{
    while (!::DeleteFileW(path.c_str()) && transient(::GetLastError()) && patience.wait())
        ;
}

// A name beside the target, in the same folder so that a rename stays on one volume.
std::filesystem::path besideTarget(const std::filesystem::path& folder)
{
    return winfile::systemPath(folder / (L".vormo-" + randomName() + L".tmp"));
}

enum class Replaced { no, yes };

// Replaces target with temp, which ReplaceFileW moves the old file aside for, to backup. Where a
// failure leaves the name empty (1177, or 1176 as Windows documents it without a backup), a
// plugin goes back under it at once: the new one if temp can be moved, else the old one. Held
// files are waited for. Throws only when neither can be put back; both files then stay.
Replaced replace(const std::filesystem::path& target, const std::filesystem::path& temp,
                 const std::filesystem::path& backup, const std::filesystem::path& path,
                 Patience& patience)
{
    for (;;) {
        if (winfile::calls().replaceFile(target.c_str(), temp.c_str(), backup.c_str(),
                                         REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
            return Replaced::yes;
        const DWORD error = ::GetLastError();
        if (!present(target)) {
            if (moveOnce(temp, target))
                return Replaced::yes;
            if (!moveOnce(backup, target)) {
                if (patience.wait())
                    continue;
                const bool old = present(backup);
                throw VormoError(
                    messages::cannotCreateFile(path) +
                    (old ? u". Its previous contents are in " : u". Its new bytes are in ") +
                    pathText(old ? backup : temp));
            }
        }
        if (!transient(error) || !present(temp) || !patience.wait())
            return Replaced::no;
    }
}

} // namespace

namespace winfile {

std::filesystem::path fullPath(const std::filesystem::path& path)
{
    const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD length = size ? ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr) : 0;
    if (length == 0 || length >= size)
        return path;
    full.resize(length);
    return full;
}

std::filesystem::path systemPath(const std::filesystem::path& path)
{
    const std::wstring full = fullPath(path).native();
    if (full.size() < MAX_PATH || full.starts_with(LR"(\\?\)") || full.starts_with(LR"(\\.\)"))
        return full;
    if (full.starts_with(LR"(\\)"))
        return LR"(\\?\UNC\)" + full.substr(2);
    return LR"(\\?\)" + full;
}

Calls& calls()
{
    static Calls system;
    return system;
}

} // namespace winfile

void saveFileSafely(const std::filesystem::path& path, std::string_view data,
                    const std::u16string& writeError)
{
    const auto cannotCreate = [&] { return VormoError(messages::cannotCreateFile(path)); };
    // A NUL would end the name early and write some other file.
    if (path.empty() || path.native().find(L'\0') != std::wstring::npos)
        throw cannotCreate();
    const std::filesystem::path target = winfile::systemPath(linkTarget(path));
    Patience patience;

    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    const bool existed = attributes != INVALID_FILE_ATTRIBUTES;
    // A read-only file is not replaced, though its folder may allow it.
    if (existed && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY |
                                  FILE_ATTRIBUTE_DEVICE)) != 0)
        throw cannotCreate();

    // A file another program holds open without letting it be deleted cannot be replaced; found
    // now, nothing has been written yet. A short hold is waited for.
    while (existed) {
        const HANDLE probe = ::CreateFileW(target.c_str(), DELETE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (probe != INVALID_HANDLE_VALUE) {
            ::CloseHandle(probe);
            break;
        }
        if (::GetLastError() != ERROR_SHARING_VIOLATION)
            break;
        if (!patience.wait())
            throw cannotCreate();
    }

    const std::filesystem::path folder = target.parent_path();
    std::filesystem::path temp;
    HANDLE created = INVALID_HANDLE_VALUE;
    DWORD openError = 0;
    for (int attempt = 0; created == INVALID_HANDLE_VALUE && attempt < 16; ++attempt) {
        temp = besideTarget(folder);
        created = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
        openError = ::GetLastError();
        if (created == INVALID_HANDLE_VALUE && openError != ERROR_FILE_EXISTS &&
            openError != ERROR_ALREADY_EXISTS)
            break;
    }
    if (created == INVALID_HANDLE_VALUE) {
        // A folder the user may not write can still hold a file the user may.
        if (existed && openError == ERROR_ACCESS_DENIED)
            return writeInPlace(target, data, path, writeError);
        throw cannotCreate();
    }
    // Until a plugin is back under the target's name, the temporary file may be the only copy
    // of one; once one is, every way out removes it: after closing it, as Windows deletes no
    // file that is open without delete sharing.
    struct TempRemover {
        const std::filesystem::path& temp;
        Patience& patience;
        bool keep = false;
        ~TempRemover()
        {
            if (!keep && present(temp))
                removeFile(temp, patience);
        }
    } removeTemp{temp, patience};
    Handle file(created);

    if (writeAll(file.get(), data) < data.size() || !::FlushFileBuffers(file.get()) ||
        !file.close())
        throw VormoError(writeError);

    if (!existed) {
        if (!moveFile(temp, target, MOVEFILE_REPLACE_EXISTING, patience))
            throw cannotCreate();
        return;
    }
    // ReplaceFileW keeps the replaced file's ACL, attributes and owner where it may. With a
    // backup name, no answer it gives loses the old file: at worst it is left under that name.
    std::filesystem::path backup;
    do
        backup = besideTarget(folder);
    while (present(backup));
    Replaced replaced = Replaced::no;
    try {
        replaced = replace(target, temp, backup, path, patience);
    } catch (const VormoError&) {
        removeTemp.keep = true;
        throw;
    }
    // The old bytes, whether they are a copy or the replaced file, go only once a plugin is in
    // place.
    if (present(backup))
        removeFile(backup, patience);
    if (replaced == Replaced::no)
        throw cannotCreate();
    // Where the system moved the file rather than merging (Wine), the old attributes return.
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    const DWORD now = ::GetFileAttributesW(target.c_str());
    if (now != INVALID_FILE_ATTRIBUTES && (now & kKept) != (attributes & kKept))
        ::SetFileAttributesW(target.c_str(), (now & ~FILE_ATTRIBUTE_NORMAL) | (attributes & kKept));
}

} // namespace vormo
