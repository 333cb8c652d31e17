#include "datafile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {
namespace {

using Stat = struct stat;

} // namespace

DataError DataFile::error(DataError::Kind kind, const QString& path, int errorNumber)
{
    return DataError{kind, QFileInfo(path).fileName(), 0,
                     errorNumber != 0 ? QString::fromLocal8Bit(std::strerror(errorNumber)) : QString()};
}

std::variant<QByteArray, DataError> DataFile::read(const QString& path, qint64 limit)
{
    // Non-blocking, so that opening a FIFO returns at once; the check below then refuses it.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return error(errno == ENOENT || errno == ENOTDIR ? DataError::Kind::Missing
                                                         : DataError::Kind::Unreadable,
                     path, errno == ENOENT || errno == ENOTDIR ? 0 : errno);
    auto result = read(fd, path, limit);
    ::close(fd);
    return result;
}

std::variant<QByteArray, DataError> DataFile::read(int fd, const QString& shownName, qint64 limit)
{
    Stat info{};
    if (::fstat(fd, &info) != 0)
        return error(DataError::Kind::Unreadable, shownName, errno);
    if (!S_ISREG(info.st_mode))
        return error(DataError::Kind::NotRegular, shownName);
    if (limit >= 0 && info.st_size > limit)
        return error(DataError::Kind::TooLarge, shownName);
    QByteArray data;
    data.reserve(qsizetype(info.st_size));
    char chunk[64 * 1024];
    off_t offset = 0;
    for (;;) {
        const ssize_t n = ::pread(fd, chunk, sizeof chunk, offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return error(DataError::Kind::Unreadable, shownName, errno);
        if (n == 0)
            return data;
        // The file may grow while it is read: the limit holds for what is read.
        if (limit >= 0 && offset + n > limit)
            return error(DataError::Kind::TooLarge, shownName);
        data.append(chunk, n);
        offset += n;
    }
}

} // namespace velmora
