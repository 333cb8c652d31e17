#pragma once

#include "dataerror.h"

#include <QList>
#include <QString>

#include <optional>

namespace velmora {

// A record database as a whole file: a fresh, empty one, and the spare copy
// that stands in for a missing one. Reading and changing records is SmartBase's.
class DatabaseFile
{
public:
    struct Field
    {
        QString name;
        int width;
    };

    // The header lines and no records: title, field count, then each field's
    // name and width. Replaces any file at path.
    static std::optional<DataError> createEmpty(const QString& path, const QString& title,
                                                const QList<Field>& fields);
    // Moves the spare file into the database's place when the database is
    // missing and the spare is there; otherwise does nothing.
    static std::optional<DataError> moveSpareIntoPlace(const QString& databaseName, const QString& spareName);
};

} // namespace velmora
