#include "platformfile.h"

#include <QDir>
#include <QRandomGenerator>
#include <QStringList>

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <stdlib.h>

namespace velmora {
namespace {

using Failure = PlatformFile::Failure;

// Readers and the pupil program may keep a file open while it is replaced,
// renamed or removed.
constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// WriteFile and ReadFile take a DWORD count; larger buffers go in pieces.
constexpr qint64 MaxPiece = 1 << 30;

std::wstring native(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

HANDLE toHandle(qintptr handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

QString systemText(DWORD error)
{
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    QString text = length ? QString::fromWCharArray(buffer, int(length)).trimmed()
                          : QStringLiteral("Windows error %1").arg(error);
    LocalFree(buffer);
    return text;
}

Failure failure(DWORD error)
{
    Failure::Cause cause = Failure::Cause::Other;
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        cause = Failure::Cause::Missing;
    else if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)
        cause = Failure::Cause::Exists;
    else if (error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT)
        cause = Failure::Cause::NoRights;
    // A sharing violation is another program holding the file, not a lack of rights: Other.
    return Failure{cause, systemText(error)};
}

// A failure whose cause the caller does not act on, only reports.
Failure otherFailure(DWORD error)
{
    return Failure{Failure::Cause::Other, systemText(error)};
}

// Only name surrogates (symbolic links, junctions) are links; other reparse
// points, such as cloud placeholders, are ordinary files to the user.
bool isLink(HANDLE handle, DWORD attributes)
{
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return false;
    FILE_ATTRIBUTE_TAG_INFO tag{};
    if (!GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &tag, sizeof tag))
        return true;
    return IsReparseTagNameSurrogate(tag.ReparseTag);
}

PlatformFile::Result<PlatformFile::Info> infoOfHandle(HANDLE handle)
{
    BY_HANDLE_FILE_INFORMATION status{};
    if (!GetFileInformationByHandle(handle, &status))
        return failure(GetLastError());
    PlatformFile::Info info;
    if (isLink(handle, status.dwFileAttributes))
        info.type = PlatformFile::Info::Type::Link;
    else if (GetFileType(handle) == FILE_TYPE_DISK && !(status.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        info.type = PlatformFile::Info::Type::Regular;
    info.size = qint64(quint64(status.nFileSizeHigh) << 32 | status.nFileSizeLow);
    info.names = qint64(status.nNumberOfLinks);
    info.volume = quint64(status.dwVolumeSerialNumber);
    info.index = quint64(status.nFileIndexHigh) << 32 | status.nFileIndexLow;
    return info;
}

OVERLAPPED at(qint64 offset)
{
    OVERLAPPED position{};
    position.Offset = DWORD(quint64(offset) & 0xFFFFFFFF);
    position.OffsetHigh = DWORD(quint64(offset) >> 32);
    return position;
}

// A file system that cannot flush says so; the write itself went through.
bool flush(HANDLE handle)
{
    return FlushFileBuffers(handle) || GetLastError() == ERROR_INVALID_FUNCTION;
}

// Writes all bytes from offset on and flushes them to disk; 0 or why not.
DWORD writeAll(HANDLE handle, qint64 offset, const QByteArray& bytes)
{
    qint64 written = 0;
    while (written < bytes.size()) {
        const DWORD piece = DWORD(std::min(qint64(bytes.size()) - written, MaxPiece));
        OVERLAPPED position = at(offset + written);
        DWORD n = 0;
        if (!WriteFile(handle, bytes.constData() + written, piece, &n, &position))
            return GetLastError();
        if (n == 0)
            return ERROR_WRITE_FAULT;
        written += n;
    }
    return flush(handle) ? 0 : GetLastError();
}

bool cutTo(HANDLE handle, qint64 size)
{
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile.QuadPart = size;
    return SetFileInformationByHandle(handle, FileEndOfFileInfo, &end, sizeof end);
}

// Opens a new scratch file beside path, with a name nobody else uses.
HANDLE openScratch(const QString& path, std::wstring& name)
{
    static constexpr char16_t Letters[] = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString candidate = path + u'.';
        for (int i = 0; i < 6; ++i)
            candidate += QChar(Letters[QRandomGenerator::global()->bounded(int(std::size(Letters) - 1))]);
        name = native(candidate);
        const HANDLE handle = CreateFileW(name.c_str(), GENERIC_WRITE, ShareAll, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return handle;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

// Puts the complete scratch file in place of whatever path names; 0 or why not.
// Either call replaces in one step or not at all, so trying both is safe.
DWORD putInPlace(const std::wstring& scratch, const QString& path)
{
    const std::wstring target = native(path);
    const auto seen = PlatformFile::infoOf(path);
    // ReplaceFileW copes with readers that hold the old file open; a link is
    // not handed to it, so that it is replaced itself, never written through.
    const bool plain = std::holds_alternative<PlatformFile::Info>(seen) &&
                       std::get<PlatformFile::Info>(seen).type != PlatformFile::Info::Type::Link;
    if (plain && ReplaceFileW(target.c_str(), scratch.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                              nullptr, nullptr))
        return 0;
    if (MoveFileExW(scratch.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    return GetLastError();
}

constexpr DWORD WriteAccess = GENERIC_READ | GENERIC_WRITE;

} // namespace

void PlatformFile::close()
{
    if (isOpen()) {
        // Windows may keep a lock of a closed handle a while; give it up at once.
        unlock();
        CloseHandle(toHandle(m_handle));
    }
}

PlatformFile::Result<PlatformFile> PlatformFile::openForReading(const QString& path)
{
    // Backup semantics lets a folder open too, so that info() refuses it as on other systems.
    const HANDLE handle = CreateFileW(native(path).c_str(), GENERIC_READ, ShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_DIRECTORY ? Failure{Failure::Cause::Missing, {}} : failure(error);
    }
    return PlatformFile(reinterpret_cast<qintptr>(handle));
}

PlatformFile::Result<PlatformFile> PlatformFile::openForWriting(const QString& path)
{
    const std::wstring name = native(path);
    HANDLE handle = CreateFileW(name.c_str(), WriteAccess, ShareAll, nullptr, OPEN_EXISTING,
                                FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return failure(GetLastError());
    BY_HANDLE_FILE_INFORMATION status{};
    if (GetFileInformationByHandle(handle, &status) &&
        (status.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        const bool link = isLink(handle, status.dwFileAttributes);
        CloseHandle(handle);
        if (link)
            return Failure{Failure::Cause::Link, {}};
        // Another kind of reparse point (a cloud placeholder): let its driver serve it.
        // The caller checks afterwards that the name still leads to this file.
        handle = CreateFileW(name.c_str(), WriteAccess, ShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return failure(GetLastError());
    }
    return PlatformFile(reinterpret_cast<qintptr>(handle));
}

PlatformFile::Result<PlatformFile> PlatformFile::create(const QString& path, Readers)
{
    // Who may read it is the folder's inherited ACL's business on Windows: Readers has no effect.
    const HANDLE handle = CreateFileW(native(path).c_str(), WriteAccess, ShareAll, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return failure(GetLastError());
    return PlatformFile(reinterpret_cast<qintptr>(handle));
}

PlatformFile::Result<PlatformFile::Info> PlatformFile::infoOf(const QString& path)
{
    // Attributes only: this looks at the name without opening a device for use.
    const HANDLE handle =
        CreateFileW(native(path).c_str(), FILE_READ_ATTRIBUTES, ShareAll, nullptr, OPEN_EXISTING,
                    FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return failure(GetLastError());
    auto info = infoOfHandle(handle);
    CloseHandle(handle);
    return info;
}

PlatformFile::Result<PlatformFile::Info> PlatformFile::info() const
{
    return infoOfHandle(toHandle(m_handle));
}

PlatformFile::Result<qint64> PlatformFile::readAt(qint64 offset, char* buffer, qint64 length) const
{
    OVERLAPPED position = at(offset);
    DWORD n = 0;
    if (!ReadFile(toHandle(m_handle), buffer, DWORD(std::min(length, MaxPiece)), &n, &position)) {
        const DWORD error = GetLastError();
        if (error == ERROR_HANDLE_EOF)
            return qint64(0);
        return failure(error);
    }
    return qint64(n);
}

// Windows byte-range locks are mandatory: a lock on the contents would make
// every reader without the lock fail. All writers lock this one byte far past
// any data file's end instead, which keeps them apart, leaves reading free,
// and is forwarded by SMB to the file server like any other range.
constexpr qint64 LockByte = qint64(1) << 62;

PlatformFile::Result<bool> PlatformFile::tryLock() const
{
    OVERLAPPED position = at(LockByte);
    if (LockFileEx(toHandle(m_handle), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                   &position))
        return true;
    const DWORD error = GetLastError();
    if (error == ERROR_LOCK_VIOLATION)
        return false;
    return failure(error);
}

void PlatformFile::unlock() const
{
    OVERLAPPED position = at(LockByte);
    UnlockFileEx(toHandle(m_handle), 0, 1, 0, &position);
}

std::optional<PlatformFile::Failure> PlatformFile::append(const QByteArray& bytes) const
{
    const HANDLE handle = toHandle(m_handle);
    LARGE_INTEGER start{};
    if (!GetFileSizeEx(handle, &start))
        return failure(GetLastError());
    if (const DWORD error = writeAll(handle, start.QuadPart, bytes)) {
        // The write's own failure is what the user is told; the cut back is a best effort.
        cutTo(handle, start.QuadPart);
        return failure(error);
    }
    return std::nullopt;
}

std::optional<PlatformFile::Failure> PlatformFile::truncate() const
{
    const HANDLE handle = toHandle(m_handle);
    if (!cutTo(handle, 0) || !flush(handle))
        return failure(GetLastError());
    return std::nullopt;
}

std::optional<PlatformFile::Failure> PlatformFile::replace(const QString& path, const QByteArray& contents,
                                                           Readers)
{
    // Readers has no effect on Windows: the new file gets the folder's inherited ACL.
    std::wstring scratch;
    const HANDLE handle = openScratch(path, scratch);
    if (handle == INVALID_HANDLE_VALUE)
        return failure(GetLastError());
    DWORD error = writeAll(handle, 0, contents);
    if (!CloseHandle(handle) && error == 0)
        error = GetLastError();
    if (error == 0)
        error = putInPlace(scratch, path);
    if (error != 0) {
        DeleteFileW(scratch.c_str());
        return otherFailure(error);
    }
    return std::nullopt;
}

std::optional<PlatformFile::Failure> PlatformFile::moveNoReplace(const QString& path, const QString& newPath)
{
    if (MoveFileExW(native(path).c_str(), native(newPath).c_str(), 0))
        return std::nullopt;
    return failure(GetLastError());
}

std::optional<PlatformFile::Failure> PlatformFile::remove(const QString& path)
{
    if (!DeleteFileW(native(path).c_str()))
        return failure(GetLastError());
    return std::nullopt;
}

// Windows programs gain no rights when started: who may write toets.res is
// the folder's ACL's business.
bool PlatformFile::runsWithGainedRights()
{
    return false;
}

bool PlatformFile::dropGainedRights()
{
    return true;
}

void PlatformFile::keepEnvironment(bool (*keep)(const char* entry))
{
    wchar_t* block = GetEnvironmentStringsW();
    if (!block)
        return;
    QStringList refused;
    for (const wchar_t* entry = block; *entry; entry += wcslen(entry) + 1) {
        const QString text = QString::fromWCharArray(entry);
        // "=C:=C:\..." entries are the drives' current folders, not variables.
        if (text.startsWith(u'=') || keep(text.toUtf8().constData()))
            continue;
        refused += text.left(text.indexOf(u'='));
    }
    FreeEnvironmentStringsW(block);
    // The C runtime keeps its own copy; an empty value removes the name from both.
    for (const QString& name : refused)
        _wputenv_s(name.toStdWString().c_str(), L"");
}

} // namespace velmora
