#include "filelock.h"

#include "datafile.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace velmora {
namespace {

using Stat = struct stat;

// About as long as a teacher waits before thinking the program hangs.
int waitLimitMs = 10000;

FileLock::WaitHandler& waitHandler()
{
    static FileLock::WaitHandler handler;
    return handler;
}

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

mode_t creationMode(FileLock::Readers readers)
{
    // The umask or the folder's default ACL narrows this further; nothing widens it.
    return readers == FileLock::Readers::Group ? 0660 : 0666;
}

enum class LockResult { Locked, Taken, Unsupported };

// One try at the exclusive lock on the whole file.
LockResult tryLock(int fd, int& failure)
{
    struct flock lock
    {
    };
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    int command = F_OFD_SETLK;
    for (;;) {
        if (::fcntl(fd, command, &lock) == 0)
            return LockResult::Locked;
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EACCES)
            return LockResult::Taken;
        // A kernel without open-file-description locks: the classic process lock.
        if (errno == EINVAL && command == F_OFD_SETLK) {
            command = F_SETLK;
            continue;
        }
        failure = errno;
        return LockResult::Unsupported;
    }
}

void unlock(int fd)
{
    struct flock lock
    {
    };
    lock.l_type = F_UNLCK;
    lock.l_whence = SEEK_SET;
    if (::fcntl(fd, F_OFD_SETLK, &lock) != 0 && errno == EINVAL)
        ::fcntl(fd, F_SETLK, &lock);
}

// Waits for the lock up to the deadline, letting a window show it is busy.
std::optional<DataError> waitForLock(int fd, const QString& path, const QDeadlineTimer& deadline,
                                     bool& waited)
{
    for (;;) {
        int failure = 0;
        switch (tryLock(fd, failure)) {
        case LockResult::Locked:
            return std::nullopt;
        case LockResult::Unsupported:
            return DataFile::error(DataError::Kind::NoLock, path, failure);
        case LockResult::Taken:
            break;
        }
        if (deadline.hasExpired())
            return DataFile::error(DataError::Kind::Busy, path);
        waited = true;
        if (waitHandler())
            waitHandler()(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

bool sameFile(const Stat& a, const Stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// A second name for the file (a hard link) would let a write land elsewhere.
std::optional<DataError> refuseIfNotPlain(const Stat& info, const QString& path)
{
    if (!S_ISREG(info.st_mode))
        return DataFile::error(DataError::Kind::NotRegular, path);
    if (info.st_nlink > 1)
        return DataFile::error(DataError::Kind::Link, path);
    return std::nullopt;
}

bool writeAll(int fd, const QByteArray& bytes, int& failure)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, std::size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            failure = n < 0 ? errno : EIO;
            return false;
        }
        written += n;
    }
    // EINVAL: a file system that cannot sync; the write itself went through.
    if (::fsync(fd) != 0 && errno != EINVAL) {
        failure = errno;
        return false;
    }
    return true;
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

DataError openError(const QString& path, int failure)
{
    if (failure == ELOOP)
        return DataFile::error(DataError::Kind::Link, path);
    if (failure == EACCES || failure == EPERM || failure == EROFS)
        return DataFile::error(DataError::Kind::NoRights, path, failure);
    return DataFile::error(DataError::Kind::WriteFailed, path, failure);
}

} // namespace

void FileLock::setWaitHandler(WaitHandler handler)
{
    waitHandler() = std::move(handler);
}

void FileLock::setWaitLimit(int milliseconds)
{
    waitLimitMs = milliseconds;
}

FileLock::FileLock(QString path, int fd, bool ownsDescriptor, bool created, Readers readers)
    : m_path(std::move(path)), m_fd(fd), m_ownsDescriptor(ownsDescriptor), m_created(created),
      m_readers(readers)
{
}

FileLock::FileLock(FileLock&& other) noexcept
    : m_path(std::move(other.m_path)), m_fd(other.m_fd), m_ownsDescriptor(other.m_ownsDescriptor),
      m_created(other.m_created), m_readers(other.m_readers)
{
    other.m_fd = -1;
}

FileLock::~FileLock()
{
    if (m_fd < 0)
        return;
    if (m_ownsDescriptor)
        ::close(m_fd);
    else
        unlock(m_fd);
}

std::variant<FileLock, DataError> FileLock::acquire(const QString& path, IfMissing ifMissing, Readers readers)
{
    const QDeadlineTimer deadline(waitLimitMs);
    bool waited = false;
    const auto done = [&](std::variant<FileLock, DataError> result) {
        if (waited && waitHandler())
            waitHandler()(false);
        return result;
    };
    const QByteArray name = native(path);
    for (;;) {
        // Never open what is not a regular file: opening a device can have effects of its own,
        // and a link is never written through.
        Stat seen{};
        if (::lstat(name.constData(), &seen) == 0) {
            if (S_ISLNK(seen.st_mode))
                return done(DataFile::error(DataError::Kind::Link, path));
            if (!S_ISREG(seen.st_mode))
                return done(DataFile::error(DataError::Kind::NotRegular, path));
        }

        constexpr int Flags = O_RDWR | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
        bool created = false;
        int fd = ::open(name.constData(), Flags);
        if (fd < 0 && errno == ENOENT) {
            if (ifMissing == IfMissing::Fail)
                return done(DataFile::error(DataError::Kind::Missing, path));
            fd = ::open(name.constData(), Flags | O_CREAT | O_EXCL, creationMode(readers));
            created = fd >= 0;
        }
        if (fd < 0 && (errno == EEXIST || errno == ENOENT) && !deadline.hasExpired())
            continue; // made or removed by someone else just now: look again
        if (fd < 0)
            return done(openError(path, errno));

        Stat opened{};
        if (::fstat(fd, &opened) != 0) {
            const int failure = errno;
            ::close(fd);
            return done(DataFile::error(DataError::Kind::Unreadable, path, failure));
        }
        if (auto refused = refuseIfNotPlain(opened, path)) {
            ::close(fd);
            return done(*refused);
        }
        if (auto error = waitForLock(fd, path, deadline, waited)) {
            ::close(fd);
            return done(*error);
        }
        // Whoever held the lock may have replaced or removed the file meanwhile.
        Stat now{};
        if (::lstat(name.constData(), &now) != 0 || !sameFile(now, opened)) {
            ::close(fd);
            if (deadline.hasExpired())
                return done(DataFile::error(DataError::Kind::Busy, path));
            continue;
        }
        return done(FileLock(path, fd, true, created, readers));
    }
}

std::variant<FileLock, DataError> FileLock::acquireHeld(int fd, const QString& path)
{
    const QDeadlineTimer deadline(waitLimitMs);
    bool waited = false;
    Stat held{};
    std::optional<DataError> error;
    if (::fstat(fd, &held) != 0)
        error = DataFile::error(DataError::Kind::Unreadable, path, errno);
    if (!error)
        error = refuseIfNotPlain(held, path);
    if (!error)
        error = waitForLock(fd, path, deadline, waited);
    if (waited && waitHandler())
        waitHandler()(false);
    if (error)
        return *error;
    FileLock lock(path, fd, false, false, Readers::Group);
    // Results written to a file that has since been replaced or removed would reach nobody.
    Stat now{};
    if (::lstat(native(path).constData(), &now) != 0 || !sameFile(now, held))
        return DataFile::error(DataError::Kind::Replaced, path);
    return lock;
}

std::variant<QByteArray, DataError> FileLock::read(qint64 limit) const
{
    return DataFile::read(m_fd, m_path, limit);
}

std::variant<QByteArray, DataError> FileLock::readAt(qint64 offset, qint64 length) const
{
    QByteArray chunk(qsizetype(length), Qt::Uninitialized);
    for (;;) {
        const ssize_t n = ::pread(m_fd, chunk.data(), std::size_t(length), off_t(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return DataFile::error(DataError::Kind::Unreadable, m_path, errno);
        chunk.truncate(n);
        return chunk;
    }
}

std::variant<qint64, DataError> FileLock::size() const
{
    Stat info{};
    if (::fstat(m_fd, &info) != 0)
        return DataFile::error(DataError::Kind::Unreadable, m_path, errno);
    return qint64(info.st_size);
}

std::optional<DataError> FileLock::append(const QByteArray& bytes)
{
    const off_t start = ::lseek(m_fd, 0, SEEK_END);
    int failure = 0;
    if (!writeAll(m_fd, bytes, failure)) {
        // The write's own failure is what the user is told; the cut back is a best effort.
        [[maybe_unused]] const int cut = start >= 0 ? ::ftruncate(m_fd, start) : 0;
        return DataFile::error(DataError::Kind::WriteFailed, m_path, failure);
    }
    return std::nullopt;
}

std::optional<DataError> FileLock::replace(const QByteArray& contents)
{
    QByteArray scratch;
    const int fd = openScratch(m_path, creationMode(m_readers), scratch);
    if (fd < 0)
        return openError(m_path, errno);
    int failure = 0;
    bool written = writeAll(fd, contents, failure);
    if (::close(fd) != 0 && written) {
        failure = errno;
        written = false;
    }
    // A rename replaces whatever is at the name, a link included: it never writes through one.
    if (written && ::rename(scratch.constData(), native(m_path).constData()) != 0) {
        failure = errno;
        written = false;
    }
    if (!written) {
        ::unlink(scratch.constData());
        return DataFile::error(DataError::Kind::WriteFailed, m_path, failure);
    }
    return std::nullopt;
}

std::optional<DataError> FileLock::truncate()
{
    if (::ftruncate(m_fd, 0) != 0 || (::fsync(m_fd) != 0 && errno != EINVAL))
        return DataFile::error(DataError::Kind::WriteFailed, m_path, errno);
    return std::nullopt;
}

std::optional<DataError> FileLock::moveTo(const QString& newPath)
{
    if (::renameat2(AT_FDCWD, native(m_path).constData(), AT_FDCWD, native(newPath).constData(),
                    RENAME_NOREPLACE) == 0)
        return std::nullopt;
    int failure = errno;
    // A file system that cannot refuse to replace: the lock keeps other writers of this file out.
    if ((failure == EINVAL || failure == ENOSYS) && !QFileInfo(newPath).exists() &&
        !QFileInfo(newPath).isSymLink()) {
        if (::rename(native(m_path).constData(), native(newPath).constData()) == 0)
            return std::nullopt;
        failure = errno;
    }
    return DataFile::error(DataError::Kind::WriteFailed, m_path, failure);
}

std::optional<DataError> FileLock::removeCreated()
{
    if (m_created && ::unlink(native(m_path).constData()) != 0)
        return DataFile::error(DataError::Kind::WriteFailed, m_path, errno);
    return std::nullopt;
}

} // namespace velmora
