#include "filelock.h"

#include "datafile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {
namespace {

using Stat = struct stat;

// A file that another program keeps replacing gets this many tries.
constexpr int MaxReopens = 1000;

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

// Waits for the exclusive lock on the whole file. Without lock support (or
// on a descriptor opened for reading only) the work goes on unlocked.
void lockExclusive(int fd)
{
    struct flock lock
    {
    };
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    int command = F_OFD_SETLKW;
    for (;;) {
        if (::fcntl(fd, command, &lock) == 0)
            return;
        if (errno == EINTR)
            continue;
        // A kernel without open-file-description locks: the classic process lock.
        if (errno == EINVAL && command == F_OFD_SETLKW) {
            command = F_SETLKW;
            continue;
        }
        return;
    }
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

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

FileLock::FileLock(QString path, int fd, bool created) : m_path(std::move(path)), m_fd(fd), m_created(created)
{
}

FileLock::FileLock(FileLock&& other) noexcept
    : m_path(std::move(other.m_path)), m_fd(other.m_fd), m_created(other.m_created),
      m_writeError(other.m_writeError)
{
    other.m_fd = -1;
}

FileLock::~FileLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

std::variant<FileLock, DataError> FileLock::acquire(const QString& path, IfMissing ifMissing)
{
    for (int attempt = 0; attempt < MaxReopens; ++attempt) {
        auto target = DataFile::writeTarget(path);
        if (auto* error = std::get_if<DataError>(&target))
            return *error;
        const QString& file = std::get<QString>(target);
        const QByteArray name = native(file);

        // Never open what is not a regular file: opening a device can have effects of its own.
        Stat seen{};
        if (::lstat(name.constData(), &seen) == 0 && !S_ISREG(seen.st_mode) && !S_ISLNK(seen.st_mode))
            return DataFile::error(DataError::Kind::NotRegular, path);

        constexpr int Flags = O_RDWR | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
        bool created = false;
        int writeError = 0;
        int fd = ::open(name.constData(), Flags);
        if (fd < 0 && errno == ENOENT) {
            if (ifMissing == IfMissing::Fail)
                return DataFile::error(DataError::Kind::Missing, path);
            if (ifMissing == IfMissing::Proceed)
                return FileLock(file, -1, false);
            fd = ::open(name.constData(), Flags | O_CREAT | O_EXCL, 0666);
            if (fd < 0 && errno == EEXIST)
                continue;
            if (fd < 0)
                return DataFile::error(DataError::Kind::WriteFailed, path, errno);
            created = true;
        }
        // Replaced by a link since it was looked at: look again.
        if (fd < 0 && errno == ELOOP)
            continue;
        if (fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS)) {
            // Not ours to write: it can still be read, and a rename may still replace it.
            writeError = errno;
            fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        }
        if (fd < 0)
            return DataFile::error(DataError::Kind::Unreadable, path, errno);

        Stat opened{};
        if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            ::close(fd);
            return DataFile::error(DataError::Kind::NotRegular, path);
        }
        if (writeError == 0)
            lockExclusive(fd);
        // Whoever held the lock may have replaced or removed the file meanwhile.
        Stat now{};
        if (::lstat(name.constData(), &now) != 0 || now.st_dev != opened.st_dev ||
            now.st_ino != opened.st_ino) {
            ::close(fd);
            continue;
        }
        FileLock lock(file, fd, created);
        lock.m_writeError = writeError;
        return lock;
    }
    return DataFile::error(DataError::Kind::WriteFailed, path);
}

std::variant<QByteArray, DataError> FileLock::read(qint64 limit) const
{
    if (m_fd < 0)
        return DataFile::error(DataError::Kind::Missing, m_path);
    return DataFile::read(m_fd, m_path, limit);
}

std::variant<QByteArray, DataError> FileLock::readAt(qint64 offset, qint64 length) const
{
    if (m_fd < 0)
        return DataFile::error(DataError::Kind::Missing, m_path);
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

std::optional<DataError> FileLock::append(const QByteArray& bytes)
{
    if (m_fd < 0 || m_writeError != 0)
        return DataFile::error(DataError::Kind::WriteFailed, m_path, m_fd < 0 ? ENOENT : m_writeError);
    const off_t start = ::lseek(m_fd, 0, SEEK_END);
    int failure = 0;
    if (!writeAll(m_fd, bytes, failure)) {
        if (start >= 0)
            (void)::ftruncate(m_fd, start);
        return DataFile::error(DataError::Kind::WriteFailed, m_path, failure);
    }
    return std::nullopt;
}

std::optional<DataError> FileLock::replace(const QByteArray& contents)
{
    QByteArray scratch = native(m_path) + ".XXXXXX";
    const int fd = ::mkostemp(scratch.data(), O_CLOEXEC);
    if (fd < 0)
        return DataFile::error(DataError::Kind::WriteFailed, m_path, errno);
    // The new file may be read by whoever could read the old one.
    Stat old{};
    const mode_t mode = m_fd >= 0 && ::fstat(m_fd, &old) == 0 ? (old.st_mode & 07777) : newFileMode();
    int failure = 0;
    bool written = true;
    if (::fchmod(fd, mode) != 0) {
        failure = errno;
        written = false;
    }
    written = written && writeAll(fd, contents, failure);
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

std::optional<DataError> FileLock::remove()
{
    if (m_fd >= 0 && ::unlink(native(m_path).constData()) != 0)
        return DataFile::error(DataError::Kind::WriteFailed, m_path, errno);
    return std::nullopt;
}

} // namespace velmora
