#include "platformfile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/auxv.h>
#include <sys/stat.h>
#include <unistd.h>

extern char** environ;

namespace velmora {
namespace {

using Failure = PlatformFile::Failure;
using Stat = struct stat;

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

Failure failure(int errorNumber)
{
    Failure::Cause cause = Failure::Cause::Other;
    if (errorNumber == ENOENT)
        cause = Failure::Cause::Missing;
    else if (errorNumber == EEXIST)
        cause = Failure::Cause::Exists;
    else if (errorNumber == ELOOP)
        cause = Failure::Cause::Link;
    else if (errorNumber == EACCES || errorNumber == EPERM || errorNumber == EROFS)
        cause = Failure::Cause::NoRights;
    return Failure{cause, QString::fromLocal8Bit(std::strerror(errorNumber))};
}

// A failure whose cause the caller does not act on, only reports.
Failure otherFailure(int errorNumber)
{
    return Failure{Failure::Cause::Other, QString::fromLocal8Bit(std::strerror(errorNumber))};
}

mode_t creationMode(PlatformFile::Readers readers)
{
    // The umask or the folder's default ACL narrows this further; nothing widens it.
    return readers == PlatformFile::Readers::Group ? 0660 : 0666;
}

PlatformFile::Info infoFrom(const Stat& status)
{
    PlatformFile::Info info;
    if (S_ISREG(status.st_mode))
        info.type = PlatformFile::Info::Type::Regular;
    else if (S_ISLNK(status.st_mode))
        info.type = PlatformFile::Info::Type::Link;
    info.size = qint64(status.st_size);
    info.names = qint64(status.st_nlink);
    info.volume = quint64(status.st_dev);
    info.index = quint64(status.st_ino);
    return info;
}

// Open-file-description locks belong to the open file, not the process, so
// two locks in one program exclude each other as they do between computers.
int setLock(int fd, short type)
{
    struct flock lock
    {
    };
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    for (;;) {
        if (::fcntl(fd, F_OFD_SETLK, &lock) == 0)
            return 0;
        // A kernel without open-file-description locks: the classic process lock.
        if (errno == EINVAL && ::fcntl(fd, F_SETLK, &lock) == 0)
            return 0;
        if (errno != EINTR)
            return errno;
    }
}

// Writes all bytes and flushes them to disk; 0 or why not.
int writeAll(int fd, const QByteArray& bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, std::size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        written += n;
    }
    // EINVAL: a file system that cannot sync; the write itself went through.
    if (::fsync(fd) != 0 && errno != EINVAL)
        return errno;
    return 0;
}

// Opens a new scratch file beside path, with a name nobody else uses.
int openScratch(const QString& path, mode_t mode, QByteArray& name)
{
    static constexpr char Letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = native(path) + '.';
        for (int i = 0; i < 6; ++i)
            name += Letters[QRandomGenerator::global()->bounded(int(sizeof Letters - 1))];
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// Non-blocking, so that a FIFO opens at once; the data layer then refuses it.
constexpr int WriteFlags = O_RDWR | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;

} // namespace

void PlatformFile::close()
{
    if (isOpen())
        ::close(int(m_handle));
}

PlatformFile::Result<PlatformFile> PlatformFile::openForReading(const QString& path)
{
    const int fd = ::open(native(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOTDIR ? Failure{Failure::Cause::Missing, {}} : failure(errno);
    return PlatformFile(fd);
}

PlatformFile::Result<PlatformFile> PlatformFile::openForWriting(const QString& path)
{
    const int fd = ::open(native(path).constData(), WriteFlags);
    if (fd < 0)
        return failure(errno);
    return PlatformFile(fd);
}

PlatformFile::Result<PlatformFile> PlatformFile::create(const QString& path, Readers readers)
{
    const int fd = ::open(native(path).constData(), WriteFlags | O_CREAT | O_EXCL, creationMode(readers));
    if (fd < 0)
        return failure(errno);
    return PlatformFile(fd);
}

PlatformFile::Result<PlatformFile::Info> PlatformFile::infoOf(const QString& path)
{
    Stat status{};
    if (::lstat(native(path).constData(), &status) != 0)
        return failure(errno);
    return infoFrom(status);
}

PlatformFile::Result<PlatformFile::Info> PlatformFile::info() const
{
    Stat status{};
    if (::fstat(int(m_handle), &status) != 0)
        return failure(errno);
    return infoFrom(status);
}

PlatformFile::Result<qint64> PlatformFile::readAt(qint64 offset, char* buffer, qint64 length) const
{
    for (;;) {
        const ssize_t n = ::pread(int(m_handle), buffer, std::size_t(length), off_t(offset));
        if (n >= 0)
            return qint64(n);
        if (errno != EINTR)
            return failure(errno);
    }
}

PlatformFile::Result<bool> PlatformFile::tryLock() const
{
    const int result = setLock(int(m_handle), F_WRLCK);
    if (result == 0)
        return true;
    if (result == EAGAIN || result == EACCES)
        return false;
    return failure(result);
}

void PlatformFile::unlock() const
{
    setLock(int(m_handle), F_UNLCK);
}

std::optional<PlatformFile::Failure> PlatformFile::append(const QByteArray& bytes) const
{
    const int fd = int(m_handle);
    const off_t start = ::lseek(fd, 0, SEEK_END);
    if (const int result = writeAll(fd, bytes)) {
        // The write's own failure is what the user is told; the cut back is a best effort.
        [[maybe_unused]] const int cut = start >= 0 ? ::ftruncate(fd, start) : 0;
        return failure(result);
    }
    return std::nullopt;
}

std::optional<PlatformFile::Failure> PlatformFile::truncate() const
{
    const int fd = int(m_handle);
    if (::ftruncate(fd, 0) != 0 || (::fsync(fd) != 0 && errno != EINVAL))
        return failure(errno);
    return std::nullopt;
}

std::optional<PlatformFile::Failure> PlatformFile::replace(const QString& path, const QByteArray& contents,
                                                           Readers readers)
{
    QByteArray scratch;
    const int fd = openScratch(path, creationMode(readers), scratch);
    if (fd < 0)
        return failure(errno);
    int result = writeAll(fd, contents);
    if (::close(fd) != 0 && result == 0)
        result = errno;
    // A rename replaces whatever is at the name, a link included: it never writes through one.
    if (result == 0 && ::rename(scratch.constData(), native(path).constData()) != 0)
        result = errno;
    if (result != 0) {
        ::unlink(scratch.constData());
        return otherFailure(result);
    }
    return std::nullopt;
}

std::optional<PlatformFile::Failure> PlatformFile::moveNoReplace(const QString& path, const QString& newPath)
{
    if (::renameat2(AT_FDCWD, native(path).constData(), AT_FDCWD, native(newPath).constData(),
                    RENAME_NOREPLACE) == 0)
        return std::nullopt;
    int result = errno;
    // A file system that cannot refuse to replace: the caller's lock keeps other writers of this file out.
    if ((result == EINVAL || result == ENOSYS) && !QFileInfo(newPath).exists() &&
        !QFileInfo(newPath).isSymLink()) {
        if (::rename(native(path).constData(), native(newPath).constData()) == 0)
            return std::nullopt;
        result = errno;
    }
    return failure(result);
}

std::optional<PlatformFile::Failure> PlatformFile::remove(const QString& path)
{
    if (::unlink(native(path).constData()) != 0)
        return failure(errno);
    return std::nullopt;
}

bool PlatformFile::runsWithGainedRights()
{
    return ::getegid() != ::getgid() || ::getauxval(AT_SECURE) != 0;
}

bool PlatformFile::dropGainedRights()
{
    const gid_t own = ::getgid();
    if (::setresgid(own, own, own) != 0)
        return false;
    gid_t real = 0, effective = 0, saved = 0;
    return ::getresgid(&real, &effective, &saved) == 0 && real == own && effective == own && saved == own;
}

void PlatformFile::keepEnvironment(bool (*keep)(const char* entry))
{
    char** kept = environ;
    for (char** entry = environ; *entry; ++entry) {
        if (keep(*entry))
            *kept++ = *entry;
    }
    *kept = nullptr;
}

} // namespace velmora
