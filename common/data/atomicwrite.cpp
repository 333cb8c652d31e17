#include "atomicwrite.h"

#include "filelock.h"

namespace velmora {

std::optional<DataError> AtomicWrite::replace(const QString& path, const QByteArray& contents,
                                              FileLock::Readers readers)
{
    auto lock = FileLock::acquire(path, FileLock::IfMissing::Create, readers);
    if (auto* error = std::get_if<DataError>(&lock))
        return *error;
    FileLock& file = std::get<FileLock>(lock);
    auto error = file.replace(contents);
    // A new file that could not be filled leaves no empty file behind.
    if (error)
        file.removeCreated();
    return error;
}

} // namespace velmora
