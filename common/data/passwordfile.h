#pragma once

#include "dataerror.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>
#include <variant>

namespace velmora {

// passwd: line 1 holds the enciphered password; an empty line, or an empty
// file, means no password is set. A passwd that cannot be read, or that is no
// regular file, is an error and never means "no password".
class PasswordFile
{
public:
    static constexpr QStringView FileName = u"passwd";
    static constexpr QByteArrayView Key = "Vrendlak";

    // Line 1 is a few characters; a longer file is refused as damaged.
    static constexpr qint64 FileLimit = 64 * 1024;

    static QString path();
    // Creates the file holding only a line end when it is missing.
    static std::optional<DataError> ensureExists(const QString& path);
    // Line 1 as stored (enciphered).
    static std::variant<QByteArray, DataError> readLine(const QString& path);
    // Replaces the file by the one line. With `expected`, only when line 1
    // still holds it, checked under the lock; otherwise RecordChanged.
    static std::optional<DataError> writeLine(const QString& path, const QByteArray& enciphered,
                                              const std::optional<QByteArray>& expected = std::nullopt);

    // The password's own bytes when it can be stored and read back: every
    // character in the code page and its code from 32 to 254.
    static std::optional<QByteArray> storable(const QString& password);
    static QByteArray encipher(const QByteArray& password);
    static QByteArray decipher(const QByteArray& stored);
};

} // namespace velmora
