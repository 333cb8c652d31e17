#include "readonlyfolder.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Only Linux has the immutable attribute; elsewhere ok() stays false.
void setReadOnly([[maybe_unused]] const QString& folder, [[maybe_unused]] bool on)
{
#ifdef Q_OS_LINUX
    QStringList paths{folder};
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        paths.append(QDir(folder).filePath(name));
    for (const QString& path : paths) {
        const QByteArray native = QFile::encodeName(path);
        const mode_t mode = path == folder ? 0555 : 0444;
        ::chmod(native.constData(), on ? mode : mode | 0200);
        const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        int flags = 0;
        if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
        }
        if (fd >= 0)
            ::close(fd);
    }
#endif
}

} // namespace

ReadOnlyFolder::ReadOnlyFolder(const QString& folder) : m_folder(folder)
{
    setReadOnly(folder, true);
    m_ok = !QFile(QDir(folder).filePath(QStringLiteral("probe"))).open(QIODevice::WriteOnly);
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    setReadOnly(m_folder, false);
    QFile::remove(QDir(m_folder).filePath(QStringLiteral("probe")));
}
