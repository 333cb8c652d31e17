#include "filelock.h"

#include "datafile.h"

#include <QDeadlineTimer>

#include <chrono>
#include <thread>

namespace velmora {
namespace {

using Failure = PlatformFile::Failure;
using Info = PlatformFile::Info;

// About as long as a teacher waits before thinking the program hangs.
int waitLimitMs = 10000;

FileLock::WaitHandler& waitHandler()
{
    static FileLock::WaitHandler handler;
    return handler;
}

// Waits for the lock up to the deadline, letting a window show it is busy.
std::optional<DataError> waitForLock(const PlatformFile& file, const QString& path,
                                     const QDeadlineTimer& deadline, bool& waited)
{
    for (;;) {
        const auto locked = file.tryLock();
        if (auto* failure = std::get_if<Failure>(&locked))
            return DataFile::error(DataError::Kind::NoLock, path, failure->text);
        if (std::get<bool>(locked))
            return std::nullopt;
        if (deadline.hasExpired())
            return DataFile::error(DataError::Kind::Busy, path);
        waited = true;
        if (waitHandler())
            waitHandler()(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// A second name for the file (a hard link) would let a write land elsewhere.
std::optional<DataError> refuseIfNotPlain(const PlatformFile& file, const QString& path, Info& info)
{
    const auto status = file.info();
    if (auto* failure = std::get_if<Failure>(&status))
        return DataFile::error(DataError::Kind::Unreadable, path, failure->text);
    info = std::get<Info>(status);
    if (info.type != Info::Type::Regular)
        return DataFile::error(DataError::Kind::NotRegular, path);
    if (info.names > 1)
        return DataFile::error(DataError::Kind::Link, path);
    return std::nullopt;
}

// Whether path still names the file that was opened.
bool stillNamed(const QString& path, const Info& opened)
{
    const auto now = PlatformFile::infoOf(path);
    return std::holds_alternative<Info>(now) && std::get<Info>(now).sameFile(opened);
}

DataError openError(const QString& path, const Failure& failure)
{
    if (failure.cause == Failure::Cause::Link)
        return DataFile::error(DataError::Kind::Link, path);
    if (failure.cause == Failure::Cause::NoRights)
        return DataFile::error(DataError::Kind::NoRights, path, failure.text);
    return DataFile::error(DataError::Kind::WriteFailed, path, failure.text);
}

std::optional<DataError> writeError(const QString& path, const std::optional<Failure>& failure)
{
    if (!failure)
        return std::nullopt;
    return DataFile::error(DataError::Kind::WriteFailed, path, failure->text);
}

} // namespace

void FileLock::setWaitHandler(WaitHandler handler)
{
    waitHandler() = std::move(handler);
}

void FileLock::setWaitLimit(int milliseconds)
{
    waitLimitMs = milliseconds;
}

FileLock::FileLock(QString path, PlatformFile owned, const PlatformFile* held, bool created, Readers readers)
    : m_path(std::move(path)), m_owned(std::move(owned)), m_held(held), m_created(created), m_readers(readers)
{
}

FileLock::FileLock(FileLock&& other) noexcept
    : m_path(std::move(other.m_path)), m_owned(std::move(other.m_owned)), m_held(other.m_held),
      m_created(other.m_created), m_readers(other.m_readers)
{
    other.m_held = nullptr;
}

FileLock::~FileLock()
{
    if (m_held)
        m_held->unlock();
}

std::variant<FileLock, DataError> FileLock::acquire(const QString& path, IfMissing ifMissing, Readers readers)
{
    const QDeadlineTimer deadline(waitLimitMs);
    bool waited = false;
    const auto done = [&](std::variant<FileLock, DataError> result) {
        if (waited && waitHandler())
            waitHandler()(false);
        return result;
    };
    for (;;) {
        // Never open what is not a regular file: opening a device can have effects of its own,
        // and a link is never written through.
        const auto seen = PlatformFile::infoOf(path);
        if (auto* info = std::get_if<Info>(&seen)) {
            if (info->type == Info::Type::Link)
                return done(DataFile::error(DataError::Kind::Link, path));
            if (info->type != Info::Type::Regular)
                return done(DataFile::error(DataError::Kind::NotRegular, path));
        }

        bool created = false;
        auto opened = PlatformFile::openForWriting(path);
        if (auto* failure = std::get_if<Failure>(&opened);
            failure && failure->cause == Failure::Cause::Missing) {
            if (ifMissing == IfMissing::Fail)
                return done(DataFile::error(DataError::Kind::Missing, path));
            opened = PlatformFile::create(path, readers);
            created = std::holds_alternative<PlatformFile>(opened);
        }
        if (auto* failure = std::get_if<Failure>(&opened)) {
            const bool raced =
                failure->cause == Failure::Cause::Exists || failure->cause == Failure::Cause::Missing;
            if (raced && !deadline.hasExpired())
                continue; // made or removed by someone else just now: look again
            return done(openError(path, *failure));
        }

        PlatformFile& file = std::get<PlatformFile>(opened);
        Info info;
        if (auto refused = refuseIfNotPlain(file, path, info))
            return done(*refused);
        if (auto error = waitForLock(file, path, deadline, waited))
            return done(*error);
        // Whoever held the lock may have replaced or removed the file meanwhile.
        if (!stillNamed(path, info)) {
            if (deadline.hasExpired())
                return done(DataFile::error(DataError::Kind::Busy, path));
            continue;
        }
        return done(FileLock(path, std::move(file), nullptr, created, readers));
    }
}

std::variant<FileLock, DataError> FileLock::acquireHeld(const PlatformFile& held, const QString& path)
{
    const QDeadlineTimer deadline(waitLimitMs);
    bool waited = false;
    Info info;
    std::optional<DataError> error = refuseIfNotPlain(held, path, info);
    if (!error)
        error = waitForLock(held, path, deadline, waited);
    if (waited && waitHandler())
        waitHandler()(false);
    if (error)
        return *error;
    FileLock lock(path, PlatformFile(), &held, false, Readers::Group);
    // Results written to a file that has since been replaced or removed would reach nobody.
    if (!stillNamed(path, info))
        return DataFile::error(DataError::Kind::Replaced, path);
    return lock;
}

std::variant<QByteArray, DataError> FileLock::read(qint64 limit) const
{
    return DataFile::read(file(), m_path, limit);
}

std::variant<QByteArray, DataError> FileLock::readAt(qint64 offset, qint64 length) const
{
    QByteArray chunk(qsizetype(length), Qt::Uninitialized);
    const auto read = file().readAt(offset, chunk.data(), length);
    if (auto* failure = std::get_if<Failure>(&read))
        return DataFile::error(DataError::Kind::Unreadable, m_path, failure->text);
    chunk.truncate(qsizetype(std::get<qint64>(read)));
    return chunk;
}

std::variant<qint64, DataError> FileLock::size() const
{
    const auto status = file().info();
    if (auto* failure = std::get_if<Failure>(&status))
        return DataFile::error(DataError::Kind::Unreadable, m_path, failure->text);
    return std::get<Info>(status).size;
}

std::optional<DataError> FileLock::append(const QByteArray& bytes)
{
    return writeError(m_path, file().append(bytes));
}

std::optional<DataError> FileLock::replace(const QByteArray& contents)
{
    if (auto failure = PlatformFile::replace(m_path, contents, m_readers))
        return openError(m_path, *failure);
    return std::nullopt;
}

std::optional<DataError> FileLock::truncate()
{
    return writeError(m_path, file().truncate());
}

std::optional<DataError> FileLock::moveTo(const QString& newPath)
{
    return writeError(m_path, PlatformFile::moveNoReplace(m_path, newPath));
}

std::optional<DataError> FileLock::removeCreated()
{
    if (!m_created)
        return std::nullopt;
    return writeError(m_path, PlatformFile::remove(m_path));
}

std::optional<DataError> FileLock::truncateIfThere(const QString& path)
{
    auto lock = acquire(path, IfMissing::Fail);
    if (auto* error = std::get_if<DataError>(&lock))
        return error->kind == DataError::Kind::Missing ? std::nullopt : std::optional(*error);
    return std::get<FileLock>(lock).truncate();
}

} // namespace velmora
