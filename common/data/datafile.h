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

    // The whole file; a file longer than limit bytes is refused as damaged.
    static std::variant<QByteArray, DataError> read(const QString& path, qint64 limit = NoLimit);
    // Reads an open regular file from its start.
    static std::variant<QByteArray, DataError> read(const PlatformFile& file, const QString& shownName,
                                                    qint64 limit);

    // detail: the system's own reason, when there is one.
    static DataError error(DataError::Kind kind, const QString& path, const QString& detail = {});
};

} // namespace velmora
