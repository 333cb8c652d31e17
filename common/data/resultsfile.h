#pragma once

#include "dataerror.h"
#include "resultstable.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>
#include <variant>

namespace velmora {

// toets.res: five-line result records, appended by the pupil program and read
// and cleared by the teacher program. Appends and the clear hold the file's lock.
class ResultsFile
{
public:
    static constexpr QStringView FileName = u"toets.res";
    // Far beyond a school's results; a larger file is refused as damaged.
    static constexpr qint64 FileLimit = qint64(1) << 30;

    static QString path();
    // One write of the whole record on the locked file, so records of pupils
    // finishing at once never interleave. A record that an interrupted write
    // or a hand edit left cut short is first completed with empty lines, so
    // that the new record starts where a reader expects one.
    // In an installed pupil program the file held open since the start is used.
    static std::optional<DataError> append(const QString& path, const QString& naam, const QString& kaart,
                                           int niveau, int gedaan, int goed);
    // Creates an empty file when none is there; an installed build cannot.
    static std::optional<DataError> ensureExists(const QString& path);
    static std::variant<ResultsTable, DataError> readFile(const QString& path);

    // Empties the file only when it still holds exactly the bytes seen, i.e.
    // the records the teacher was shown; otherwise changes nothing and gives
    // the records it holds now. A file that is already gone counts as cleared.
    struct Cleared
    {
    };
    using ClearResult = std::variant<Cleared, ResultsTable, DataError>;
    static ClearResult clear(const QString& path, const QByteArray& seen);
    // Empties the file whatever it holds: for a file too large to be read.
    static std::optional<DataError> empty(const QString& path);
};

} // namespace velmora
