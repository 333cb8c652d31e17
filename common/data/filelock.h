#pragma once

#include "dataerror.h"
#include "platformfile.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <variant>

namespace velmora {

// The one exclusive lock that every write of a data file holds (an append, a
// read-modify-write, a replace, a clear), so that two teachers and a class on
// one shared folder never lose each other's changes. It is a record lock on
// the data file itself (PlatformFile::tryLock), which NFS and SMB clients pass
// on to the file server. Readers take no lock: a rewrite replaces
// the file by a rename, so they always see a whole file.
//
// Nothing is written without the lock: a file this account may not write, a
// file system without locks, a link (symbolic or hard) and a lock that stays
// taken beyond the wait limit are all refused, with nothing written. A file
// replaced while the lock was awaited is opened and locked anew, so that
// whoever holds the lock works on the file that is there now.
class FileLock
{
public:
    enum class IfMissing {
        Fail,   // Missing, e.g. a database that has gone
        Create, // an empty file is created and locked
    };
    using Readers = PlatformFile::Readers;

    static std::variant<FileLock, DataError> acquire(const QString& path, IfMissing ifMissing,
                                                     Readers readers = Readers::Everyone);
    // Locks a file opened earlier (the pupil program's toets.res, opened
    // before it gave up the group that may write it). The file stays open
    // afterwards, so it must outlive the lock; path must still name it.
    static std::variant<FileLock, DataError> acquireHeld(const PlatformFile& held, const QString& path);

    // Called again and again while a lock is awaited (with true) and once when
    // the wait is over (with false), so that a window can show it is busy and
    // keep painting. Without a handler the wait just sleeps.
    using WaitHandler = std::function<void(bool waiting)>;
    static void setWaitHandler(WaitHandler handler);
    // How long a lock is awaited before the write is refused (tests shorten it).
    static void setWaitLimit(int milliseconds);

    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&&) = delete;
    ~FileLock();

    const QString& path() const { return m_path; }
    // True when acquire() created the file.
    bool created() const { return m_created; }

    // The file as it is now, read under the lock; limit as DataFile::read.
    std::variant<QByteArray, DataError> read(qint64 limit) const;
    // At most length bytes from offset; empty at the end of the file.
    std::variant<QByteArray, DataError> readAt(qint64 offset, qint64 length) const;
    std::variant<qint64, DataError> size() const;
    // Adds bytes at the end in one write; a write that fails part way (a full
    // disk) is cut back, so that no half record stays.
    std::optional<DataError> append(const QByteArray& bytes);
    // Writes contents to a scratch file beside the file and renames it over
    // the file once complete: the old file stays whole when anything fails.
    std::optional<DataError> replace(const QByteArray& contents);
    // Empties the file in place: whoever holds it open keeps a valid file.
    std::optional<DataError> truncate();
    // Locks the file at path and empties it in place; a missing file is empty already.
    static std::optional<DataError> truncateIfThere(const QString& path);
    // Renames the file to newPath, which must not exist.
    std::optional<DataError> moveTo(const QString& newPath);
    // Removes the file; only a file this lock created may be removed, when
    // what was to fill it could not be written.
    std::optional<DataError> removeCreated();

private:
    FileLock(QString path, PlatformFile owned, const PlatformFile* held, bool created, Readers readers);
    const PlatformFile& file() const { return m_held ? *m_held : m_owned; }

    QString m_path;
    // Closing the file gives its lock up; a held file is only unlocked.
    PlatformFile m_owned;
    const PlatformFile* m_held = nullptr;
    bool m_created = false;
    Readers m_readers = Readers::Everyone;
};

} // namespace velmora
