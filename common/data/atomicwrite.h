#pragma once

#include "dataerror.h"

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include <optional>

namespace velmora {

// Replaces a whole file: the new contents go to a scratch file beside it that
// is renamed over the old one only once complete, so the old file stays whole
// when anything fails.
class AtomicWrite
{
public:
    static std::optional<DataError> replace(const QString& path, const QByteArray& contents);
    // Writes all of contents to an unbuffered file, going on after a short
    // write until done or an error, which errorString() then names.
    static bool writeAll(QFileDevice& file, const QByteArray& contents);
};

} // namespace velmora
