#include "passwordfile.h"

#include "ansitext.h"
#include "datafile.h"
#include "encryptor.h"
#include "filelock.h"
#include "programfolder.h"
#include "textlines.h"

#include <QFileInfo>

namespace velmora {

QString PasswordFile::path()
{
    return ProgramFolder::pathFor(FileName.toString());
}

std::optional<DataError> PasswordFile::ensureExists(const QString& path)
{
    // Whatever is there is read as it is; the reading says when it cannot be used.
    if (QFileInfo::exists(path))
        return std::nullopt;
    auto lock = FileLock::acquire(path, FileLock::IfMissing::Create, FileLock::Readers::Group);
    if (auto* error = std::get_if<DataError>(&lock))
        return *error;
    FileLock& file = std::get<FileLock>(lock);
    if (file.created())
        return file.append(TextLines::LineEnd.toByteArray());
    return std::nullopt;
}

namespace {

QByteArray lineOne(const QByteArray& data)
{
    const auto lines = TextLines::split(data);
    return lines.isEmpty() ? QByteArray() : lines.first().toByteArray();
}

} // namespace

std::variant<QByteArray, DataError> PasswordFile::readLine(const QString& path)
{
    auto data = DataFile::read(path, FileLimit);
    if (auto* error = std::get_if<DataError>(&data))
        return *error;
    return lineOne(std::get<QByteArray>(data));
}

std::optional<DataError> PasswordFile::writeLine(const QString& path, const QByteArray& enciphered,
                                                 const std::optional<QByteArray>& expected)
{
    auto lock = FileLock::acquire(path, expected ? FileLock::IfMissing::Fail : FileLock::IfMissing::Create,
                                  FileLock::Readers::Group);
    if (auto* error = std::get_if<DataError>(&lock))
        return *error;
    FileLock& file = std::get<FileLock>(lock);
    if (expected) {
        const auto data = file.read(FileLimit);
        if (auto* error = std::get_if<DataError>(&data))
            return *error;
        if (lineOne(std::get<QByteArray>(data)) != *expected)
            return DataError{DataError::Kind::RecordChanged, QFileInfo(path).fileName(), 1, {}};
    }
    auto error = file.replace(enciphered + TextLines::LineEnd.toByteArray());
    if (error)
        file.removeCreated();
    return error;
}

std::optional<QByteArray> PasswordFile::storable(const QString& password)
{
    const auto bytes = AnsiText::encode(password);
    if (!bytes)
        return std::nullopt;
    for (char c : *bytes) {
        const int code = static_cast<unsigned char>(c);
        if (code < 32 || code > 254)
            return std::nullopt;
    }
    return bytes;
}

QByteArray PasswordFile::encipher(const QByteArray& password)
{
    return Encryptor::Encrypt(password, Key);
}

QByteArray PasswordFile::decipher(const QByteArray& stored)
{
    return Encryptor::Decrypt(stored, Key);
}

} // namespace velmora
