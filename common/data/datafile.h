#pragma once

#include "dataerror.h"
#include "platformfile.h"

#include <QByteArray>
#include <QString>

#include <variant>

namespace velmora {

// How every data file is opened: only a regular file is read or written. A
// FIFO or device is refused at once instead of waited on or read without end,
// and nothing is ever written through a link.
class DataFile
{
public:
    static constexpr qint64 NoLimit = -1;

    struct Opened
    {
        PlatformFile file;
        qint64 size; // when it was opened
    };

    // Opened for reading when it is a regular file of at most limit bytes;
    // a longer one is refused as damaged.
    static std::variant<Opened, DataError> open(const QString& path, qint64 limit = NoLimit);
    // The whole file, refused as open() refuses it.
    static std::variant<QByteArray, DataError> read(const QString& path, qint64 limit = NoLimit);
    // Reads an open regular file from its start.
    static std::variant<QByteArray, DataError> read(const PlatformFile& file, const QString& shownName,
                                                    qint64 limit);

    // detail: the system's own reason, when there is one.
    static DataError error(DataError::Kind kind, const QString& path, const QString& detail = {});

private:
    // The size of an open regular file of at most limit bytes.
    static std::variant<qint64, DataError> checkedSize(const PlatformFile& file, const QString& shownName,
                                                       qint64 limit);
    static std::variant<QByteArray, DataError> readAll(const PlatformFile& file, const QString& shownName,
                                                       qint64 size, qint64 limit);
};

} // namespace velmora
