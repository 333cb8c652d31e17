#pragma once

#include "dataerror.h"
#include "plaatsen.h"

#include <QIODevice>
#include <QList>
#include <QString>

#include <optional>
#include <variant>

namespace velmora {

// A map description file: line 1 names the picture, every further line is an
// item in fixed columns (level 1-2, kind 3-4, top 5-9, left 10-14, name 15-).
class MapFile
{
public:
    struct Contents
    {
        QString picture;
        QList<Plaats> items;
    };
    using ReadResult = std::variant<Contents, DataError>;
    // Far more than 500 items can take: a larger file is refused as damaged
    // instead of read without end (a link to a device, say).
    static constexpr qint64 FileLimit = 1024 * 1024;

    // shownName names the file in error values.
    static ReadResult read(QIODevice& device, const QString& shownName);
    // Reads a map file of the program folder, its name as a database field holds it.
    static ReadResult readFile(const QString& krtName);
    // The same, handing back the bytes read, for writeOver().
    static ReadResult readFile(const QString& krtName, QByteArray& bytesRead);
    // Puts the items into the table at indices 1 .. n and returns n.
    static int fill(const Contents& contents, Plaatsen& table);

    // Five columns and a 16-bit reader: the positions a map file holds.
    static constexpr int MinCoordinate = -9999;
    static constexpr int MaxCoordinate = 32767;

    // Items of levels 1, 2 and 3 in that order; others are left out. Fails
    // (writing nothing) when the picture or an item cannot be written so that
    // the reader takes it back unchanged, or when there are too many items.
    static std::variant<QByteArray, DataError> format(const QString& picture, const QList<Plaats>& items,
                                                      const QString& shownName);
    static std::optional<DataError> write(const QString& path, const QString& picture,
                                          const QList<Plaats>& items);
    // Replaces the file under its lock only while it still holds `expected`,
    // the bytes read when the map was opened: when another save came in
    // between, RecordChanged, and the file stays as it is. A file that has
    // gone is written anew.
    static std::optional<DataError> writeOver(const QString& path, const QByteArray& expected,
                                              const QString& picture, const QList<Plaats>& items);
    // A new map: the picture line alone.
    static std::optional<DataError> startNew(const QString& path, const QString& picture);

    static QByteArray itemLine(const Plaats& item);

private:
    static ReadResult parse(const QByteArray& data, const QString& shownName);
};

} // namespace velmora
