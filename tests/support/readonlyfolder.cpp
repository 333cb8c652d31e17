#include "readonlyfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QStringList entriesOf(const QString& folder)
{
    QStringList paths;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        paths.append(QDir(folder).filePath(name));
    paths.append(folder);
    return paths;
}

} // namespace

ReadOnlyFolder::ReadOnlyFolder(const QString& folder) : m_folder(folder)
{
    for (const QString& path : entriesOf(folder))
        setImmutable(path, true);
    QDir(folder).mkdir(QStringLiteral("probe"));
    QFile probe(QDir(folder).filePath(QStringLiteral("probe.txt")));
    m_ok = !QDir(folder).exists(QStringLiteral("probe")) && !probe.open(QIODevice::WriteOnly);
    QDir(folder).rmdir(QStringLiteral("probe"));
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    for (const QString& path : entriesOf(m_folder))
        setImmutable(path, false);
    QFile::remove(QDir(m_folder).filePath(QStringLiteral("probe.txt")));
}

void ReadOnlyFolder::setImmutable(const QString& path, bool on)
{
    const QByteArray native = QFile::encodeName(path);
    const bool folder = QFileInfo(path).isDir();
    ::chmod(native.constData(), on ? (folder ? 0555 : 0444) : (folder ? 0755 : 0644));
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    int flags = 0;
    if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
    }
    ::close(fd);
}
