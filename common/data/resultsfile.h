#pragma once

#include "dataerror.h"
#include "resultrecord.h"

#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace velmora {

// toets.res: five-line result records, appended by the pupil program and read
// by the teacher program.
class ResultsFile
{
public:
    static constexpr QStringView FileName = u"toets.res";

    static QString path();
    // One write of the whole record on a file opened for appending, under an
    // advisory lock, so records of pupils finishing at once never interleave.
    static std::optional<DataError> append(const QString& path, const QString& naam, const QString& kaart,
                                           int niveau, int gedaan, int goed);
    static QByteArray recordBytes(const QByteArray& naam, const QByteArray& kaart, int niveau, int gedaan,
                                  int goed);
    // Creates an empty file when none is there.
    static std::optional<DataError> ensureExists(const QString& path);
    // The whole records in file order; lines after the last whole record are ignored.
    static QList<ResultRecord> read(QIODevice& device);
    static QList<ResultRecord> readFile(const QString& path);
};

} // namespace velmora
