#pragma once

#include "dataerror.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <variant>

namespace velmora {

// The one exclusive lock that every append and every read-modify-write of a
// data file holds, so that two teachers and a class on one shared folder never
// lose each other's changes. It is a POSIX record lock on the data file
// itself (an open-file-description lock), which NFS and SMB clients pass on
// to the file server. Readers take no lock: a rewrite replaces the file by a
// rename, so they always see a whole file. Where the file system or the
// file's permissions allow no lock, the work goes on without one.
//
// A file replaced while a lock was awaited is opened and locked anew, so that
// whoever holds the lock works on the file that is there now.
class FileLock
{
public:
    enum class IfMissing {
        Fail,    // Missing, e.g. a database that has gone
        Create,  // an empty file is created and locked
        Proceed, // no lock; replace() creates the file
    };

    static std::variant<FileLock, DataError> acquire(const QString& path, IfMissing ifMissing);

    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&&) = delete;
    ~FileLock();

    // The file changed: the path, or where its link leads within the folder.
    const QString& path() const { return m_path; }
    bool exists() const { return m_fd >= 0; }
    // True when acquire() created the file.
    bool created() const { return m_created; }

    // The file as it is now, read under the lock; limit as DataFile::read.
    std::variant<QByteArray, DataError> read(qint64 limit) const;
    // At most length bytes from offset; empty at the end of the file.
    std::variant<QByteArray, DataError> readAt(qint64 offset, qint64 length) const;
    // Adds bytes at the end in one write; a write that fails part way (a full
    // disk) is cut back, so that no half record stays.
    std::optional<DataError> append(const QByteArray& bytes);
    // Writes contents to a scratch file beside the file and renames it over
    // the file once complete: the old file stays whole when anything fails.
    std::optional<DataError> replace(const QByteArray& contents);
    // Renames the file to newPath, which must not exist.
    std::optional<DataError> moveTo(const QString& newPath);
    std::optional<DataError> remove();

private:
    FileLock(QString path, int fd, bool created);

    QString m_path;
    int m_fd = -1;
    bool m_created = false;
    int m_writeError = 0; // why the file could only be opened for reading
};

} // namespace velmora
