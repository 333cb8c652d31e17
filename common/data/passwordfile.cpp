#include "passwordfile.h"

#include "ansitext.h"
#include "atomicwrite.h"
#include "encryptor.h"
#include "programfolder.h"
#include "textlines.h"

#include <QFile>
#include <QFileInfo>

namespace velmora {

QString PasswordFile::path()
{
    return ProgramFolder::pathFor(FileName.toString());
}

std::optional<DataError> PasswordFile::ensureExists(const QString& path)
{
    if (QFileInfo::exists(path))
        return std::nullopt;
    return AtomicWrite::replace(path, TextLines::LineEnd.toByteArray());
}

QByteArray PasswordFile::readLine(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    const auto lines = TextLines::split(data);
    return lines.isEmpty() ? QByteArray() : lines.first().toByteArray();
}

std::optional<DataError> PasswordFile::writeLine(const QString& path, const QByteArray& enciphered)
{
    return AtomicWrite::replace(path, enciphered + TextLines::LineEnd.toByteArray());
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
