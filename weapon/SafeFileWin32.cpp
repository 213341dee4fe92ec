// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SafeFile.h"

#include "Errors.h"

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

} // namespace

void saveFileSafely(const std::filesystem::path& path, std::string_view data,
                    const std::u16string& writeError)
{
    const auto cannotCreate = [&] { return VormoError(messages::cannotCreateFile(path)); };
    // A NUL would end the name early and write some other file.
    if (path.empty() || path.native().find(L'\0') != std::wstring::npos)
        throw cannotCreate();
    const std::filesystem::path target = linkTarget(path);

    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    const bool existed = attributes != INVALID_FILE_ATTRIBUTES;
    // A read-only file is not replaced, though its folder may allow it.
    if (existed && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY |
                                  FILE_ATTRIBUTE_DEVICE)) != 0)
        throw cannotCreate();

    // A file another program holds open without letting it be deleted cannot be replaced; found
    // now, nothing has been written yet. (Wine's ReplaceFileW would also leave a stray file.)
    if (existed) {
        const HANDLE probe = ::CreateFileW(target.c_str(), DELETE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (probe == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_SHARING_VIOLATION)
            throw cannotCreate();
        if (probe != INVALID_HANDLE_VALUE)
            ::CloseHandle(probe);
    }

    // Beside the target, so that the replacement stays on one volume.
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::absolute(target, error).parent_path();
    if (error)
        throw cannotCreate();
    std::filesystem::path temp;
    HANDLE created = INVALID_HANDLE_VALUE;
    DWORD openError = 0;
    for (int attempt = 0; created == INVALID_HANDLE_VALUE && attempt < 16; ++attempt) {
        temp = folder / (L".vormo-" + randomName() + L".tmp");
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
    // Until the replacement succeeds, every way out removes the temporary file: after closing
    // it, as Windows deletes no file that is open without delete sharing.
    struct TempRemover {
        const std::filesystem::path& temp;
        bool replaced = false;
        ~TempRemover()
        {
            if (!replaced)
                ::DeleteFileW(temp.c_str());
        }
    } removeTemp{temp};
    Handle file(created);

    if (writeAll(file.get(), data) < data.size() || !::FlushFileBuffers(file.get()) ||
        !file.close())
        throw VormoError(writeError);

    // ReplaceFileW keeps the replaced file's ACL, attributes and owner where it may. Without a
    // backup name a failure leaves the replaced file under its own name with its own bytes.
    const bool moved = existed
                           ? ::ReplaceFileW(target.c_str(), temp.c_str(), nullptr,
                                            REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0
                           : ::MoveFileExW(temp.c_str(), target.c_str(),
                                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!moved)
        throw cannotCreate();
    removeTemp.replaced = true;
    // Where the system moved the file rather than merging (Wine), the old attributes return.
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    const DWORD now = ::GetFileAttributesW(target.c_str());
    if (existed && now != INVALID_FILE_ATTRIBUTES && (now & kKept) != (attributes & kKept))
        ::SetFileAttributesW(target.c_str(), (now & ~FILE_ATTRIBUTE_NORMAL) | (attributes & kKept));
}

} // namespace vormo
