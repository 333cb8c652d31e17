#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace velmora {

// Single-byte Windows-1252 text, the code page of every data file. Every byte
// decodes to one character and back again, so lines are copied byte for byte.
class AnsiText
{
public:
    static QString decode(QByteArrayView bytes);
    // Empty optional when a character has no Windows-1252 byte.
    static std::optional<QByteArray> encode(QStringView text);
    static bool canEncode(QStringView text);
    // The first character that cannot be written, for messages.
    static std::optional<QChar> firstUnencodable(QStringView text);
};

} // namespace velmora
