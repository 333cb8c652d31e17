#pragma once

#include "dataerror.h"
#include "filelock.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace velmora {

// Replaces a whole file under its lock: the new contents go to a scratch file
// beside it that is renamed over the old one only once complete, so the old
// file stays whole when anything fails.
class AtomicWrite
{
public:
    static std::optional<DataError> replace(const QString& path, const QByteArray& contents,
                                            FileLock::Readers readers = FileLock::Readers::Everyone);
};

} // namespace velmora
