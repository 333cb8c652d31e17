#pragma once

#include "dataerror.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

namespace velmora {

// passwd: line 1 holds the enciphered password; an empty line, or an empty
// file, means no password is set.
class PasswordFile
{
public:
    static constexpr QStringView FileName = u"passwd";
    static constexpr QByteArrayView Key = "Vrendlak";

    static QString path();
    // Creates the file holding only a line end when it is missing.
    static std::optional<DataError> ensureExists(const QString& path);
    // Line 1 as stored (enciphered); empty when the file is empty or unreadable.
    static QByteArray readLine(const QString& path);
    static std::optional<DataError> writeLine(const QString& path, const QByteArray& enciphered);

    // The password's own bytes when it can be stored and read back: every
    // character in the code page and its code from 32 to 254.
    static std::optional<QByteArray> storable(const QString& password);
    static QByteArray encipher(const QByteArray& password);
    static QByteArray decipher(const QByteArray& stored);
};

} // namespace velmora
