#include "atomicwrite.h"

#include "filelock.h"

namespace velmora {

std::optional<DataError> AtomicWrite::replace(const QString& path, const QByteArray& contents)
{
    auto lock = FileLock::acquire(path, FileLock::IfMissing::Proceed);
    if (auto* error = std::get_if<DataError>(&lock))
        return *error;
    return std::get<FileLock>(lock).replace(contents);
}

} // namespace velmora
