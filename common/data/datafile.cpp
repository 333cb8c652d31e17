#include "datafile.h"

#include <QFileInfo>

namespace velmora {

DataError DataFile::error(DataError::Kind kind, const QString& path, const QString& detail)
{
    return DataError{kind, QFileInfo(path).fileName(), 0, detail};
}

std::variant<QByteArray, DataError> DataFile::read(const QString& path, qint64 limit)
{
    auto opened = PlatformFile::openForReading(path);
    if (auto* failure = std::get_if<PlatformFile::Failure>(&opened)) {
        if (failure->cause == PlatformFile::Failure::Cause::Missing)
            return error(DataError::Kind::Missing, path);
        return error(DataError::Kind::Unreadable, path, failure->text);
    }
    return read(std::get<PlatformFile>(opened), path, limit);
}

std::variant<QByteArray, DataError> DataFile::read(const PlatformFile& file, const QString& shownName,
                                                   qint64 limit)
{
    const auto status = file.info();
    if (auto* failure = std::get_if<PlatformFile::Failure>(&status))
        return error(DataError::Kind::Unreadable, shownName, failure->text);
    const PlatformFile::Info& info = std::get<PlatformFile::Info>(status);
    if (info.type != PlatformFile::Info::Type::Regular)
        return error(DataError::Kind::NotRegular, shownName);
    if (limit >= 0 && info.size > limit)
        return error(DataError::Kind::TooLarge, shownName);
    QByteArray data;
    data.reserve(qsizetype(info.size));
    char chunk[64 * 1024];
    qint64 offset = 0;
    for (;;) {
        const auto read = file.readAt(offset, chunk, sizeof chunk);
        if (auto* failure = std::get_if<PlatformFile::Failure>(&read))
            return error(DataError::Kind::Unreadable, shownName, failure->text);
        const qint64 n = std::get<qint64>(read);
        if (n == 0)
            return data;
        // The file may grow while it is read: the limit holds for what is read.
        if (limit >= 0 && offset + n > limit)
            return error(DataError::Kind::TooLarge, shownName);
        data.append(chunk, qsizetype(n));
        offset += n;
    }
}

} // namespace velmora
