#include "resultsfile.h"

#include "ansitext.h"
#include "numberform.h"
#include "programfolder.h"
#include "textlines.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace velmora {
namespace {

DataError writeFailed(const QString& path, int errorNumber)
{
    return DataError{DataError::Kind::WriteFailed, QFileInfo(path).fileName(), 0,
                     QString::fromLocal8Bit(std::strerror(errorNumber))};
}

} // namespace

QString ResultsFile::path()
{
    return ProgramFolder::pathFor(FileName.toString());
}

QByteArray ResultsFile::recordBytes(const QByteArray& naam, const QByteArray& kaart, int niveau, int gedaan,
                                    int goed)
{
    const QByteArray lineEnd = TextLines::LineEnd.toByteArray();
    return naam + lineEnd + kaart + lineEnd + NumberForm::line(niveau) + NumberForm::line(gedaan)
        + NumberForm::line(goed);
}

std::optional<DataError> ResultsFile::append(const QString& path, const QString& naam, const QString& kaart,
                                             int niveau, int gedaan, int goed)
{
    const auto naamBytes = AnsiText::encode(naam);
    const auto kaartBytes = AnsiText::encode(kaart.trimmed());
    if (!naamBytes || !kaartBytes)
        return DataError{DataError::Kind::NotEncodable, QFileInfo(path).fileName(), 0, {}};
    const QByteArray record = recordBytes(*naamBytes, *kaartBytes, niveau, gedaan, goed);

    const QByteArray nativePath = QFile::encodeName(path);
    const int fd = ::open(nativePath.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return writeFailed(path, errno);
    while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
    // Where this record starts: a write that fails part way (a full disk) is
    // cut back to here, so that no torn record shifts every later one.
    const off_t start = ::lseek(fd, 0, SEEK_END);
    qsizetype written = 0;
    int failure = 0;
    while (written < record.size()) {
        const ssize_t n = ::write(fd, record.constData() + written, std::size_t(record.size() - written));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            failure = errno;
            break;
        }
        written += n;
    }
    if (failure == 0 && ::fsync(fd) != 0 && errno != EINVAL)
        failure = errno;
    if (failure != 0 && start >= 0)
        (void)::ftruncate(fd, start);
    ::flock(fd, LOCK_UN);
    if (::close(fd) != 0 && failure == 0)
        failure = errno;
    if (failure != 0)
        return writeFailed(path, failure);
    return std::nullopt;
}

std::optional<DataError> ResultsFile::ensureExists(const QString& path)
{
    if (QFileInfo::exists(path))
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return DataError{DataError::Kind::WriteFailed, QFileInfo(path).fileName(), 0, file.errorString()};
    return std::nullopt;
}

QList<ResultRecord> ResultsFile::read(QIODevice& device)
{
    QList<ResultRecord> records;
    if (!device.isOpen() && !device.open(QIODevice::ReadOnly))
        return records;
    const QByteArray data = device.readAll();
    const QList<QByteArrayView> lines = TextLines::split(data);
    for (qsizetype i = 0; i + 5 <= lines.size(); i += 5) {
        records.append(ResultRecord{AnsiText::decode(lines[i]), AnsiText::decode(lines[i + 1]),
                                    AnsiText::decode(lines[i + 2]), AnsiText::decode(lines[i + 3]),
                                    AnsiText::decode(lines[i + 4])});
    }
    return records;
}

QList<ResultRecord> ResultsFile::readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return read(file);
}

} // namespace velmora
