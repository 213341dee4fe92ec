// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SafeFile.h"

#include "Errors.h"

#include <cstdint>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <random>
#include <system_error>
#include <utility>

namespace vormo {
namespace {

// Owns a descriptor. Where close() is the last word on the data, it is called and checked.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    bool close() { return ::close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};

// How many bytes reached the file before the first failure.
std::size_t writeAll(int fd, std::string_view data)
{
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

// Nothing written in place can be taken back, so room for every byte is reserved first: a
// failure before the first byte is written leaves the old bytes as they were.
void writeInPlace(const std::filesystem::path& target, std::string_view data,
                  const std::filesystem::path& path, const std::u16string& writeError)
{
    Descriptor file(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat old;
    if (file.get() < 0 || ::fstat(file.get(), &old) != 0 || !S_ISREG(old.st_mode))
        throw VormoError(messages::cannotCreateFile(path));
    const auto fail = [&] {
        // The reservation may have lengthened the file; the error that led here is the one
        // reported.
        [[maybe_unused]] const int ignored = ::ftruncate(file.get(), old.st_size);
        return VormoError(writeError);
    };
    const int reserved = data.empty() ? 0 : ::posix_fallocate(file.get(), 0, off_t(data.size()));
    // A file system that can reserve nothing leaves no choice but to write unguarded.
    if (reserved != 0 && reserved != EOPNOTSUPP && reserved != ENOSYS)
        throw fail();
    const std::size_t written = writeAll(file.get(), data);
    if (written == 0 && !data.empty())
        throw fail();
    if (written < data.size() || ::ftruncate(file.get(), off_t(data.size())) != 0 ||
        ::fsync(file.get()) != 0 || !file.close())
        throw VormoError(writeError);
}

// A name unlikely to be taken, for the temporary file.
std::string randomName()
{
    static std::mt19937_64 generator{(std::uint64_t(std::random_device{}()) << 32) ^
                                     std::random_device{}()};
    std::uint64_t n = generator();
    std::string digits;
    do {
        digits.insert(digits.begin(), "0123456789abcdefghijklmnopqrstuvwxyz"[n % 36]);
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
    // A dangling link: the file it names is the one created.
    std::filesystem::path target = std::filesystem::read_symlink(path, error);
    if (error)
        return path;
    if (target.is_relative())
        target = std::filesystem::absolute(path, error).parent_path() / target;
    return target.lexically_normal();
}

} // namespace

void saveFileSafely(const std::filesystem::path& path, std::string_view data,
                    const std::u16string& writeError)
{
    const auto cannotCreate = [&] { return VormoError(messages::cannotCreateFile(path)); };
    // A NUL would end the name early and write some other file.
    if (path.empty() || path.native().find('\0') != std::string::npos)
        throw cannotCreate();
    const std::filesystem::path target = linkTarget(path);
    const char* const name = target.c_str();
    struct stat old;
    const bool existed = ::stat(name, &old) == 0;
    // A read-only file is not replaced, though its folder may allow it.
    if (existed && (!S_ISREG(old.st_mode) || ::faccessat(AT_FDCWD, name, W_OK, AT_EACCESS) != 0))
        throw cannotCreate();

    // Beside the target, so that the rename stays on one file system.
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::absolute(target, error).parent_path();
    if (error)
        throw cannotCreate();
    std::filesystem::path temp;
    int fd = -1;
    int openError = 0;
    for (int attempt = 0; fd < 0 && attempt < 16; ++attempt) {
        temp = folder / (".vormo-" + randomName() + ".tmp");
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
        openError = errno;
        if (fd < 0 && openError != EEXIST)
            break;
    }
    if (fd < 0) {
        // A folder the user may not write can still hold a file the user may.
        if (existed && (openError == EACCES || openError == EPERM))
            return writeInPlace(target, data, path, writeError);
        throw cannotCreate();
    }
    Descriptor file(fd);
    // Until the rename succeeds, every way out removes the temporary file.
    struct TempRemover {
        const std::filesystem::path& temp;
        bool replaced = false;
        ~TempRemover()
        {
            if (!replaced)
                ::unlink(temp.c_str());
        }
    } removeTemp{temp};

    if (existed) {
        // Saved by root, a user's plugin stays the user's; anyone else keeps at least the group
        // where they belong to it.
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
            ::fchown(fd, old.st_uid, old.st_gid) != 0) {
            [[maybe_unused]] const int ignored = ::fchown(fd, uid_t(-1), old.st_gid);
        }
        // After the owner, whose change may clear the set-ID bits.
        if (::fchmod(fd, old.st_mode & 07777) != 0)
            throw VormoError(writeError);
    }
    if (writeAll(fd, data) < data.size() || ::fsync(fd) != 0 || !file.close())
        throw VormoError(writeError);
    if (::rename(temp.c_str(), name) != 0)
        throw cannotCreate();
    removeTemp.replaced = true;

    // Makes the rename itself last through a crash; the file is replaced either way.
    const Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

} // namespace vormo
