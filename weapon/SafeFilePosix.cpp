// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SafeFile.h"

#include "Errors.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <pwd.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace vormo {

namespace fs = std::filesystem;

namespace {

// Owns a descriptor. Where close() is the last word on the data, it is called and checked.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept
    {
        std::swap(fd_, other.fd_);
        return *this;
    }
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

// Removes a file of ours on every way out, unless told to keep it.
class OwnFile {
public:
    OwnFile(int folder, std::string name) : folder_(folder), name_(std::move(name)) {}
    OwnFile(const OwnFile&) = delete;
    OwnFile& operator=(const OwnFile&) = delete;
    ~OwnFile()
    {
        if (!kept_)
            ::unlinkat(folder_, name_.c_str(), 0);
    }
    void keep() { kept_ = true; }

private:
    int folder_;
    std::string name_;
    bool kept_ = false;
};

bool writeAll(int fd, std::string_view data, off_t offset)
{
    while (!data.empty()) {
        const ssize_t n = ::pwrite(fd, data.data(), data.size(), offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data.remove_prefix(size_t(n));
        offset += n;
    }
    return true;
}

// Copies the first size bytes of one file to another, a block at a time.
bool copyBytes(int from, int to, off_t size)
{
    std::string block(std::size_t(1) << 16, '\0');
    for (off_t at = 0; at < size;) {
        const ssize_t n =
            ::pread(from, block.data(), std::size_t(std::min(size - at, off_t(block.size()))), at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 || !writeAll(to, std::string_view(block.data(), std::size_t(n)), at))
            return false;
        at += n;
    }
    return true;
}

std::string randomName(std::string_view prefix, std::string_view suffix)
{
    static constexpr char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::random_device random;
    std::string name(prefix);
    for (int i = 0; i < 12; ++i)
        name += digits[random() % 36];
    return name.append(suffix);
}

void syncFolder(int folder)
{
    // Makes a rename or a new name last through a crash; the file is in place either way.
    [[maybe_unused]] const int ignored = ::fsync(folder);
}

// Where the bytes go: an open folder and a name in it that is not a link.
struct Target {
    fs::path folder;
    Descriptor dir;
    std::string name;
    fs::path full() const { return folder / name; }
};

// Follows a chain of links by hand, so that its end is known even where nothing exists yet,
// and only where the kernel would let this process follow it (fs.protected_symlinks): in a
// sticky, world-writable folder, a link of someone else's may be a trap.
std::optional<Target> resolve(fs::path current)
{
    for (int hops = 0; hops <= 40; ++hops) { // the kernel's own limit before ELOOP
        fs::path folder = current.parent_path();
        if (folder.empty())
            folder = ".";
        std::string name = current.filename().native();
        if (name.empty() || name == "." || name == "..")
            return std::nullopt;
        Descriptor dir(::openat(AT_FDCWD, folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        struct stat link, parent;
        if (dir.get() < 0)
            return std::nullopt;
        // Whatever is not a link, or is not there yet, is the end of the chain.
        if (::fstatat(dir.get(), name.c_str(), &link, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISLNK(link.st_mode))
            return Target{std::move(folder), std::move(dir), std::move(name)};
        if (::fstat(dir.get(), &parent) != 0)
            return std::nullopt;
        const bool shared = (parent.st_mode & (S_ISVTX | S_IWOTH)) == (S_ISVTX | S_IWOTH);
        if (shared && link.st_uid != ::geteuid() && link.st_uid != parent.st_uid)
            return std::nullopt;
        std::string to(size_t(link.st_size > 0 ? link.st_size : PATH_MAX) + 1, '\0');
        const ssize_t n = ::readlinkat(dir.get(), name.c_str(), to.data(), to.size());
        if (n <= 0 || size_t(n) >= to.size())
            return std::nullopt;
        to.resize(size_t(n));
        const fs::path next(std::move(to));
        current = next.is_absolute() ? next : folder / next;
    }
    return std::nullopt; // a loop
}

std::optional<std::vector<std::string>> xattrNames(const fs::path& path, int fd)
{
    for (int attempt = 0; attempt < 4; ++attempt) {
        const ssize_t size =
            fd >= 0 ? ::flistxattr(fd, nullptr, 0) : ::llistxattr(path.c_str(), nullptr, 0);
        if (size < 0)
            return errno == ENOTSUP ? std::make_optional(std::vector<std::string>()) : std::nullopt;
        std::string list(size_t(size), '\0');
        const ssize_t got = fd >= 0 ? ::flistxattr(fd, list.data(), list.size())
                                    : ::llistxattr(path.c_str(), list.data(), list.size());
        if (got < 0 && errno == ERANGE)
            continue; // it grew meanwhile
        if (got < 0)
            return std::nullopt;
        std::vector<std::string> names;
        for (size_t at = 0; at < size_t(got);) {
            const size_t end = list.find('\0', at);
            names.push_back(list.substr(at, end - at));
            at = end + 1;
        }
        return names;
    }
    return std::nullopt;
}

// Gives the new file what the old one had beyond its bytes: owner, group, extended attributes
// (the ACL among them) and mode. False where any of it cannot be given, since a rename would
// then change the file.
bool takeOver(int fd, const fs::path& old, const struct stat& was)
{
    struct stat now;
    if (::fstat(fd, &now) != 0)
        return false;
    if ((now.st_uid != was.st_uid || now.st_gid != was.st_gid) &&
        ::fchown(fd, was.st_uid, was.st_gid) != 0)
        return false;
    const auto oldNames = xattrNames(old, -1);
    const auto newNames = xattrNames({}, fd);
    if (!oldNames || !newNames)
        return false;
    // Say, an ACL the folder's default gave the new file.
    for (const std::string& name : *newNames) {
        if (std::find(oldNames->begin(), oldNames->end(), name) == oldNames->end() &&
            ::fremovexattr(fd, name.c_str()) != 0)
            return false;
    }
    for (const std::string& name : *oldNames) {
        const ssize_t size = ::lgetxattr(old.c_str(), name.c_str(), nullptr, 0);
        std::string value(size_t(size > 0 ? size : 0), '\0');
        if (size < 0 ||
            ::lgetxattr(old.c_str(), name.c_str(), value.data(), value.size()) != size ||
            ::fsetxattr(fd, name.c_str(), value.data(), value.size(), 0) != 0)
            return false;
    }
    // Last: a change of owner may clear the set-ID bits, and with an ACL the group bits are its
    // mask, which this sets to what it was.
    return ::fchmod(fd, was.st_mode & 07777) == 0;
}

fs::path stateFolder()
{
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state == '/')
        return fs::path(state) / "VormoWep";
    const char* home = std::getenv("HOME");
    if (!home || *home != '/') {
        const passwd* user = ::getpwuid(::geteuid());
        home = user ? user->pw_dir : nullptr;
    }
    return home ? fs::path(home) / ".local/state/VormoWep" : fs::path();
}

// A copy of the old bytes that outlives a crash in the middle of an in-place write.
class Copy {
public:
    static std::optional<Copy> make(const std::string& name, int source, off_t size)
    {
        std::error_code error;
        const fs::path folder = stateFolder();
        if (folder.empty() || (fs::create_directories(folder, error), error))
            return std::nullopt;
        Descriptor dir(::openat(AT_FDCWD, folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (dir.get() < 0)
            return std::nullopt;
        // Room for the suffix within the 255 bytes a name may have.
        const std::string leaf = randomName(name.substr(0, 200) + ".", ".previous");
        Descriptor file(::openat(dir.get(), leaf.c_str(),
                                 O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (file.get() < 0)
            return std::nullopt;
        Copy copy(folder, std::move(dir), leaf, std::move(file));
        if (!copyBytes(source, copy.file_.get(), size) || ::fsync(copy.file_.get()) != 0)
            return std::nullopt;
        syncFolder(copy.dir_.get());
        return copy;
    }
    Copy(Copy&& other) noexcept = default;
    ~Copy()
    {
        if (!kept_ && dir_.get() >= 0)
            ::unlinkat(dir_.get(), leaf_.c_str(), 0);
    }
    fs::path path() const { return folder_ / leaf_; }
    int file() const { return file_.get(); }
    void keep() { kept_ = true; }

private:
    Copy(fs::path folder, Descriptor dir, std::string leaf, Descriptor file)
        : folder_(std::move(folder)), dir_(std::move(dir)), leaf_(std::move(leaf)),
          file_(std::move(file))
    {
    }
    fs::path folder_;
    Descriptor dir_;
    std::string leaf_;
    Descriptor file_;
    bool kept_ = false;
};

std::u16string keptMessage(const std::u16string& writeError, const fs::path& copy)
{
    return writeError + u". The file may be damaged; its previous contents are in " +
           pathText(copy);
}

bool putBack(int fd, const Copy& copy, off_t size)
{
    if (copyBytes(copy.file(), fd, size) && ::ftruncate(fd, size) == 0 && ::fsync(fd) == 0)
        return true;
    // A copy-on-write file system may need the new blocks' room to rewrite the old ones.
    return ::ftruncate(fd, 0) == 0 && ::fsync(fd) == 0 && copyBytes(copy.file(), fd, size) &&
           ::fsync(fd) == 0;
}

// Used where a rename would change the file: other names (hard links), an owner, an ACL or an
// attribute that cannot be carried over, or a folder that refuses a new file. Nothing written
// in place can be taken back, so the old bytes are first copied to the state folder; they are
// put back when the write fails, and the copy stays, named in the error, where even that fails.
void writeInPlace(const Target& target, const struct stat& was, std::string_view data,
                  const fs::path& path, const std::u16string& writeError)
{
    Descriptor file(
        ::open(target.full().c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat now;
    if (file.get() < 0 || ::fstat(file.get(), &now) != 0 || !S_ISREG(now.st_mode) ||
        now.st_dev != was.st_dev || now.st_ino != was.st_ino)
        throw VormoError(messages::cannotCreateFile(path));
    std::optional<Copy> copy = Copy::make(target.name, file.get(), now.st_size);
    if (!copy)
        throw VormoError(writeError);
    if (off_t(data.size()) > now.st_size) {
        // Where room can be reserved, a full disk is known before a byte changes. Elsewhere
        // (no fallocate, or a copy-on-write file system that needs new room for every write)
        // the copy is the guard.
        const int reserved = ::posix_fallocate(file.get(), 0, off_t(data.size()));
        if (reserved == ENOSPC || reserved == EDQUOT || reserved == EFBIG || reserved == EIO) {
            [[maybe_unused]] const int ignored = ::ftruncate(file.get(), now.st_size);
            throw VormoError(writeError);
        }
    }
    if (writeAll(file.get(), data, 0) && ::ftruncate(file.get(), off_t(data.size())) == 0 &&
        ::fsync(file.get()) == 0) {
        if (file.close())
            return;
    } else if (putBack(file.get(), *copy, now.st_size)) {
        throw VormoError(writeError);
    }
    copy->keep();
    throw VormoError(keptMessage(writeError, copy->path()));
}

} // namespace

void saveFileSafely(const fs::path& path, std::string_view data, const std::u16string& writeError)
{
    const auto cannotCreate = [&] { return VormoError(messages::cannotCreateFile(path)); };
    // A NUL would end the name early and write some other file.
    if (path.empty() || path.native().find('\0') != std::string::npos)
        throw cannotCreate();
    const std::optional<Target> target = resolve(path);
    if (!target)
        throw cannotCreate();
    struct stat was;
    const bool existed =
        ::fstatat(target->dir.get(), target->name.c_str(), &was, AT_SYMLINK_NOFOLLOW) == 0;
    if (!existed && errno != ENOENT)
        throw cannotCreate();
    // A read-only file is not replaced, though its folder may allow it.
    if (existed && (!S_ISREG(was.st_mode) ||
                    ::faccessat(target->dir.get(), target->name.c_str(), W_OK, AT_EACCESS) != 0))
        throw cannotCreate();
    // A rename would part the file from its other names.
    if (existed && was.st_nlink > 1)
        return writeInPlace(*target, was, data, path, writeError);

    // Beside the target, so that the rename stays on one file system.
    std::string temp;
    Descriptor file;
    int openError = 0;
    for (int attempt = 0; file.get() < 0 && attempt < 16; ++attempt) {
        temp = randomName(".vormo-", ".tmp");
        file = Descriptor(::open((target->folder / temp).c_str(),
                                 O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666));
        openError = errno;
        if (file.get() < 0 && openError != EEXIST)
            break;
    }
    if (file.get() < 0) {
        // A folder the user may not write can still hold a file the user may.
        if (existed && (openError == EACCES || openError == EPERM))
            return writeInPlace(*target, was, data, path, writeError);
        throw cannotCreate();
    }
    OwnFile removeTemp(target->dir.get(), temp);
    if (existed && !takeOver(file.get(), target->full(), was)) {
        file.close();
        return writeInPlace(*target, was, data, path, writeError);
    }
    if (!writeAll(file.get(), data, 0) || ::fsync(file.get()) != 0 || !file.close())
        throw VormoError(writeError);
    if (::rename((target->folder / temp).c_str(), target->full().c_str()) != 0)
        throw cannotCreate();
    removeTemp.keep();
    syncFolder(target->dir.get());
}

} // namespace vormo
