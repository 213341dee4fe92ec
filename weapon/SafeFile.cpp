// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SafeFile.h"

#include "Errors.h"

#ifdef Q_OS_UNIX
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>
#else
#include <QSaveFile>
#endif

namespace vormo {

#ifdef Q_OS_UNIX
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
qsizetype writeAll(int fd, QByteArrayView data)
{
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, size_t(data.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    return done;
}

// Nothing written in place can be taken back, so room for every byte is reserved first: a
// failure before the first byte is written leaves the old bytes as they were.
void writeInPlace(const QByteArray& target, QByteArrayView data, const QString& path,
                  const QString& writeError)
{
    Descriptor file(::open(target.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat old;
    if (file.get() < 0 || ::fstat(file.get(), &old) != 0 || !S_ISREG(old.st_mode))
        throw VormoError(messages::cannotCreateFile(path));
    const auto fail = [&] {
        // The reservation may have lengthened the file; the error that led here is the one
        // reported.
        [[maybe_unused]] const int ignored = ::ftruncate(file.get(), old.st_size);
        return VormoError(writeError);
    };
    const int reserved = data.isEmpty() ? 0 : ::posix_fallocate(file.get(), 0, data.size());
    // A file system that can reserve nothing leaves no choice but to write unguarded.
    if (reserved != 0 && reserved != EOPNOTSUPP && reserved != ENOSYS)
        throw fail();
    const qsizetype written = writeAll(file.get(), data);
    if (written == 0 && !data.isEmpty())
        throw fail();
    if (written < data.size() || ::ftruncate(file.get(), data.size()) != 0 ||
        ::fsync(file.get()) != 0 || !file.close())
        throw VormoError(writeError);
}

} // namespace

void saveFileSafely(const QString& path, QByteArrayView data, const QString& writeError)
{
    const auto cannotCreate = [&] { return VormoError(messages::cannotCreateFile(path)); };
    // A NUL would end the name early and write some other file.
    if (path.isEmpty() || path.contains(QChar(0)))
        throw cannotCreate();
    // A link stays a link: the file it points to is the one replaced.
    QString target = path;
    if (const QFileInfo link(path); link.isSymLink())
        target = link.exists() ? link.canonicalFilePath() : link.symLinkTarget();
    const QByteArray name = QFile::encodeName(target);
    struct stat old;
    const bool existed = ::stat(name.constData(), &old) == 0;
    // A read-only file is not replaced, though its folder may allow it.
    if (existed &&
        (!S_ISREG(old.st_mode) || ::faccessat(AT_FDCWD, name.constData(), W_OK, AT_EACCESS) != 0))
        throw cannotCreate();

    // Beside the target, so that the rename stays on one file system.
    const QByteArray folder = QFile::encodeName(QFileInfo(target).absolutePath());
    QByteArray temp;
    int fd = -1;
    int openError = 0;
    for (int attempt = 0; fd < 0 && attempt < 16; ++attempt) {
        temp = folder + "/.vormo-" +
               QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".tmp";
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
        openError = errno;
        if (fd < 0 && openError != EEXIST)
            break;
    }
    if (fd < 0) {
        // A folder the user may not write can still hold a file the user may.
        if (existed && (openError == EACCES || openError == EPERM))
            return writeInPlace(name, data, path, writeError);
        throw cannotCreate();
    }
    Descriptor file(fd);
    bool replaced = false;
    const auto removeTemp = qScopeGuard([&] {
        if (!replaced)
            ::unlink(temp.constData());
    });

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
    if (::rename(temp.constData(), name.constData()) != 0)
        throw cannotCreate();
    replaced = true;

    // Makes the rename itself last through a crash; the file is replaced either way.
    const Descriptor dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

#else

void saveFileSafely(const QString& path, QByteArrayView data, const QString& writeError)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (path.isEmpty() || !file.open(QIODevice::WriteOnly))
        throw VormoError(messages::cannotCreateFile(path));
    // commit() flushes too, but puts the file in place even when that flush fails.
    if (file.write(data.data(), data.size()) != data.size() || !file.flush()) {
        file.cancelWriting();
        throw VormoError(writeError);
    }
    if (!file.commit()) {
        throw VormoError(file.error() == QFileDevice::RenameError ? messages::cannotCreateFile(path)
                                                                  : writeError);
    }
}

#endif

} // namespace vormo
