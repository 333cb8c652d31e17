#include "datafile.h"

#include <QFileInfo>

namespace velmora {

DataError DataFile::error(DataError::Kind kind, const QString& path, const QString& detail)
{
    return DataError{kind, QFileInfo(path).fileName(), 0, detail};
}

std::variant<DataFile::Opened, DataError> DataFile::open(const QString& path, qint64 limit)
{
    auto opened = PlatformFile::openForReading(path);
    if (auto* failure = std::get_if<PlatformFile::Failure>(&opened)) {
        if (failure->cause == PlatformFile::Failure::Cause::Missing)
            return error(DataError::Kind::Missing, path);
        return error(DataError::Kind::Unreadable, path, failure->text);
    }
    PlatformFile& file = std::get<PlatformFile>(opened);
    const auto size = checkedSize(file, path, limit);
    if (auto* refused = std::get_if<DataError>(&size))
        return *refused;
    return Opened{std::move(file), std::get<qint64>(size)};
}

std::variant<QByteArray, DataError> DataFile::read(const QString& path, qint64 limit)
{
    auto opened = open(path, limit);
    if (auto* refused = std::get_if<DataError>(&opened))
        return *refused;
    const Opened& file = std::get<Opened>(opened);
    return readAll(file.file, path, file.size, limit);
}

std::variant<qint64, DataError> DataFile::checkedSize(const PlatformFile& file, const QString& shownName,
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
    return info.size;
}

std::variant<QByteArray, DataError> DataFile::read(const PlatformFile& file, const QString& shownName,
                                                   qint64 limit)
{
    const auto size = checkedSize(file, shownName, limit);
    if (auto* refused = std::get_if<DataError>(&size))
        return *refused;
    return readAll(file, shownName, std::get<qint64>(size), limit);
}

std::variant<QByteArray, DataError> DataFile::readAll(const PlatformFile& file, const QString& shownName,
                                                      qint64 size, qint64 limit)
{
    // Read straight into the result, sized for the whole file; the byte beyond
    // its size sees the end at once, and a file that grows while it is read
    // gets room a chunk at a time.
    constexpr qint64 Chunk = 64 * 1024;
    QByteArray data(qsizetype(size + 1), Qt::Uninitialized);
    qint64 offset = 0;
    for (;;) {
        if (offset == data.size())
            data.resize(qsizetype(offset + Chunk));
        const auto read = file.readAt(offset, data.data() + offset, data.size() - offset);
        if (auto* failure = std::get_if<PlatformFile::Failure>(&read))
            return error(DataError::Kind::Unreadable, shownName, failure->text);
        const qint64 n = std::get<qint64>(read);
        if (n == 0) {
            data.truncate(qsizetype(offset));
            return data;
        }
        // The limit holds for what is read, also of a file that grew.
        if (limit >= 0 && offset + n > limit)
            return error(DataError::Kind::TooLarge, shownName);
        offset += n;
    }
}

} // namespace velmora
