#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <variant>

namespace velmora {

// Where the data layer meets the operating system: opening, locking, reading,
// writing, replacing and renaming data files, and the rights the program runs
// with. Each system has its own source file behind this header, picked in
// sources.cmake; nothing else in the programs calls the system for these.
// An object owns one open file and closes it when it goes, which also gives
// up a lock taken through it.
class PlatformFile
{
public:
    // Why a call failed, in the terms the callers act on, with the system's own text.
    struct Failure
    {
        enum class Cause {
            Missing,  // no file of that name
            Exists,   // a file of that name is already there
            Link,     // the name is a link, which is never opened for writing
            NoRights, // this account may not do it
            Other,
        };
        Cause cause = Cause::Other;
        QString text;
    };
    template <typename T> using Result = std::variant<T, Failure>;

    // Who may read a file that a write creates. Beyond that the folder
    // decides: its group, its default ACL, else the user's umask.
    enum class Readers {
        Everyone, // registers, maps: pupils read them
        Group,    // passwd, results: never readable for others
    };

    // What a name or an open file is.
    struct Info
    {
        enum class Type { Regular, Link, Other };
        Type type = Type::Other;
        qint64 size = 0;
        qint64 names = 1; // more than one: a hard link
        // Together they tell which file it is, whatever its name.
        quint64 volume = 0;
        quint64 index = 0;

        bool sameFile(const Info& other) const { return volume == other.volume && index == other.index; }
    };

    PlatformFile() = default;
    PlatformFile(PlatformFile&& other) noexcept;
    PlatformFile& operator=(PlatformFile&& other) noexcept;
    ~PlatformFile();

    bool isOpen() const;

    // For reading. Opening a FIFO or device returns at once, without waiting
    // or having an effect; info() then tells it is no regular file. A folder
    // on the way that is a file counts as Missing.
    static Result<PlatformFile> openForReading(const QString& path);
    // For reading and appending at the end; a link is refused (Cause::Link).
    static Result<PlatformFile> openForWriting(const QString& path);
    // Creates the file, opened as openForWriting; Cause::Exists when the name is taken.
    static Result<PlatformFile> create(const QString& path, Readers readers);
    // What the name itself is; a link is not followed.
    static Result<Info> infoOf(const QString& path);

    Result<Info> info() const;
    // Reads up to length bytes at offset into buffer: how many, 0 at the end.
    Result<qint64> readAt(qint64 offset, char* buffer, qint64 length) const;
    // One try at the exclusive lock on the whole file, one that a file server
    // sees: true when taken, false when someone else holds it, a Failure when
    // the file system offers no lock.
    Result<bool> tryLock() const;
    void unlock() const;
    // Adds bytes at the end in one write, on disk when it returns. A write
    // that fails part way is cut back, so that no half of it stays.
    std::optional<Failure> append(const QByteArray& bytes) const;
    // Empties the file in place, on disk when it returns.
    std::optional<Failure> truncate() const;

    // Writes contents to a new scratch file beside path and puts it in place
    // of whatever path names (a link too, which is never written through)
    // only once complete: the old file stays whole when anything fails. Only
    // a failure to create the scratch file has a cause other than Other.
    static std::optional<Failure> replace(const QString& path, const QByteArray& contents, Readers readers);
    // Renames path to newPath, which must not exist.
    static std::optional<Failure> moveNoReplace(const QString& path, const QString& newPath);
    static std::optional<Failure> remove(const QString& path);

    // Whether the program was started with rights its user lacks (an
    // installed pupil program gets the group that may write toets.res).
    static bool runsWithGainedRights();
    // Gives those rights up for good; false when that failed.
    static bool dropGainedRights();
    // Removes every environment entry ("NAME=value") that keep refuses.
    static void keepEnvironment(bool (*keep)(const char* entry));

private:
    explicit PlatformFile(qintptr handle) : m_handle(handle) {}
    // Closes the handle, if any (each system's own call).
    void close();

    // The system's own handle (a descriptor, a HANDLE), -1 when none.
    qintptr m_handle = -1;
};

} // namespace velmora
