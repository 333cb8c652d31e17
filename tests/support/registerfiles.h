#pragma once

#include <QByteArray>
#include <QList>

#include <utility>

// The two registers byte for byte, as earlier installations wrote them.
namespace registerfiles {

inline const QByteArray PupilHeader = "Leerlingendatabase\r\n 2 \r\nId\r\n 5 \r\nNaam\r\n 50 \r\n";
inline const QByteArray MapHeader = "Kaarten\r\n 2 \r\nKaartnaam\r\n 30 \r\nKaartbestand\r\n 50 \r\n";

// Pupils with an empty (blank) Id, as the teacher program adds them.
inline QByteArray pupils(const QList<QByteArray>& names)
{
    QByteArray bytes = PupilHeader;
    for (const QByteArray& name : names)
        bytes += "     " + name + "\r\n";
    return bytes;
}

// Each map as (name, file field); the name is padded to 30 as the register writes it.
inline QByteArray maps(const QList<std::pair<QByteArray, QByteArray>>& entries)
{
    QByteArray bytes = MapHeader;
    for (const auto& [name, file] : entries)
        bytes += name.leftJustified(30, ' ', true) + file + "\r\n";
    return bytes;
}

} // namespace registerfiles
